// The form model: a form description is a window number and its units in stored order (the
// window's own unit first). A unit holds only the settings its description gives; every other
// setting comes from its kind's table, which is the only place that knows setting numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace runtime {

constexpr uint32_t kWindowKind = 0x00010001;
constexpr uint32_t kLabelKind = 0x0001000A;
constexpr uint32_t kButtonKind = 0x0001000B;

enum class SettingType : int {
  kInteger = 1001,
  kBoolean = 1003,
  kText = 1005,
  kPick = 1006,
  kPicture = 1009,
  kIcon = 1010,
  kMousePointer = 1011,
  kSound = 1012,
  kFont = 1013,
  kColour = 1014,
  kOptionalColour = 1015,
  kFileName = 1016,
  kColourWithDefault = 1017,
  kDataSource = 1018,
  kDataColumn = 1020,
};

constexpr uint32_t kDefaultColour = 0xFF000000;  // "default" or, for optional colours, "none"

using Bytes = std::vector<uint8_t>;
// Integers, booleans, picks and colours are int32 (colours as their bits); texts are UTF-8;
// pictures, icons, sounds, fonts and custom pointers are bytes.
using Value = std::variant<int32_t, std::string, Bytes>;

struct SettingDef {
  int number;
  std::string_view role;  // the name the form files use
  SettingType type;
  Value default_value;
  int32_t pick_min = INT32_MIN;  // picks whose other values have a meaning accept any value
  int32_t pick_max = INT32_MAX;
};

struct EventDef {
  int32_t index;
  std::string_view name;
  int arg_count;
};

struct KindInfo {
  uint32_t number;
  std::string_view name;             // as the form files name it
  std::string_view chinese_name;     // the kind table's own name, also the prefix of unit names
  std::vector<SettingDef> settings;  // 1 to 8 common, then the kind's own, in number order
  std::vector<EventDef> events;      // the kind's own (0..) and the common ones (-1..)
  bool raises_events = true;
};

const KindInfo* FindKind(uint32_t number);
const KindInfo* FindKindByName(std::string_view name);
const SettingDef* FindSetting(const KindInfo& kind, std::string_view role);
const SettingDef* FindSetting(const KindInfo& kind, int number);
const EventDef* FindEvent(const KindInfo& kind, int32_t index);

// "0x1601000B": how messages name window, unit and handler numbers.
std::string Hex(uint32_t v);

// A handler as the dispatcher calls it: the notice's arguments in, a result or none out.
using HandlerThunk = std::optional<int32_t> (*)(const int32_t* args);

struct EventBinding {
  int32_t event_index = 0;
  uint32_t handler_key = 0xFFFFFFFF;  // 0xFFFFFFFF: no handler
  HandlerThunk handler = nullptr;     // filled when keys are resolved at start-up
  int line = 0;                       // where the form file gives it, for messages
};
constexpr uint32_t kNoHandler = 0xFFFFFFFF;

struct Unit {
  uint32_t number = 0;
  uint32_t kind = 0;
  std::string name;
  uint32_t container = 0;
  bool takes_focus = false;
  uint32_t focus_order = 0;
  uint32_t event_source = 0;
  std::vector<std::pair<int, Value>> given;  // (setting number, value), only what is given
  std::vector<EventBinding> bindings;
  int line = 0;

  const KindInfo& Kind() const;
  // The setting's value: the given one, else the kind's default.
  const Value& Setting(int number) const;
  int32_t Int(int number) const;
  uint32_t Colour(int number) const { return uint32_t(Int(number)); }
  const std::string& Text(int number) const;
  const Bytes& Data(int number) const;  // empty for a setting that holds a number
  bool Gives(int number) const;
};

struct FormDescription {
  uint32_t window_number = 0;
  std::string file;         // where it was read from, for messages
  std::vector<Unit> units;  // the own unit first

  const Unit& Own() const { return units.front(); }
  const Unit* FindUnit(uint32_t number) const;
};

// Setting numbers by role, so that code reads as what it does.
namespace common {
constexpr int kLeft = 1, kTop = 2, kWidth = 3, kHeight = 4, kTag = 5, kVisible = 6, kDisabled = 7,
              kMousePointer = 8;
}
namespace window {
constexpr int kTitle = 9, kBorderStyle = 10, kBackgroundColour = 11, kBackgroundPicture = 12,
              kPictureLayout = 13, kBackgroundSound = 14, kSoundPlayMode = 15, kControlBox = 16,
              kMaximizeButton = 17, kMinimizeButton = 18, kStartPosition = 19, kMovable = 20,
              kIcon = 21, kEnterMovesFocus = 22, kEscCloses = 23, kF1OpensHelp = 24, kHelpFile = 25,
              kHelpContext = 26, kShowInTaskBar = 27, kDragAnywhere = 28, kShape = 29,
              kAlwaysOnTop = 30, kKeepTitleBarActive = 31, kClassName = 32;
}
namespace label {
constexpr int kCaption = 9, kTextEffect = 10, kBorderStyle = 11, kFrameWidth = 12,
              kFrameColour1 = 13, kFrameColour2 = 14, kFrameColour3 = 15, kFont = 16,
              kTextColour = 17, kBackgroundColour = 18, kBackgroundPicture = 19,
              kPictureLayout = 20, kGradient = 21, kGradientColour1 = 22, kGradientColour2 = 23,
              kGradientColour3 = 24, kHAlign = 25, kWordWrap = 26, kVAlign = 27, kDataSource = 28,
              kDataColumn = 29;
}
namespace button {
constexpr int kPicture = 9, kButtonType = 10, kCaption = 11, kHAlign = 12, kVAlign = 13, kFont = 14;
}

// Window events of the window kind, and the events every visible kind raises.
namespace event {
constexpr int32_t kCreated = 0, kClosing = 1, kDestroyed = 2, kMoved = 3, kResized = 4,
                  kActivated = 5, kDeactivated = 6;
constexpr int32_t kRequest = 0;  // label
constexpr int32_t kClicked = 0;  // button
constexpr int32_t kLeftDown = -1, kLeftUp = -2, kLeftDoubleClick = -3, kRightDown = -4,
                  kRightUp = -5, kMouseMove = -6, kGotFocus = -7, kLostFocus = -8, kKeyDown = -9,
                  kKeyUp = -10, kChar = -11, kWheel = -12;
}  // namespace event

}  // namespace runtime
