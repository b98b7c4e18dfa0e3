// The kind tables: every setting of the window, label and button kinds with its type and
// default, and the events each kind raises. Adding a setting is one row.
#include <algorithm>
#include <sstream>

#include "runtime/form_model.h"

namespace runtime {
namespace {

using T = SettingType;
constexpr int32_t kNone = int32_t(kDefaultColour);

std::vector<SettingDef> WithCommon(std::vector<SettingDef> own) {
  std::vector<SettingDef> all = {
      {1, "left", T::kInteger, 0},         {2, "top", T::kInteger, 0},
      {3, "width", T::kInteger, 0},        {4, "height", T::kInteger, 0},
      {5, "tag", T::kText, std::string()}, {6, "visible", T::kBoolean, 1},
      {7, "disabled", T::kBoolean, 0},     {8, "mouse_pointer", T::kMousePointer, 0},
  };
  all.insert(all.end(), own.begin(), own.end());
  return all;
}

std::vector<EventDef> WithCommonEvents(std::vector<EventDef> own) {
  std::vector<EventDef> common = {
      {-1, "left_down", 3},  {-2, "left_up", 3},    {-3, "left_double_click", 3},
      {-4, "right_down", 3}, {-5, "right_up", 3},   {-6, "mouse_move", 3},
      {-7, "got_focus", 0},  {-8, "lost_focus", 0}, {-9, "key_down", 2},
      {-10, "key_up", 2},    {-11, "char", 1},      {-12, "wheel", 2},
  };
  own.insert(own.end(), common.begin(), common.end());
  return own;
}

const std::vector<KindInfo>& Kinds() {
  static const std::vector<KindInfo> kinds = {
      {kWindowKind, "window", "窗口",
       WithCommon({
           {9, "title", T::kText, std::string()},
           {10, "border_style", T::kPick, 2, 0, 6},
           {11, "background_colour", T::kColourWithDefault, kNone},
           {12, "background_picture", T::kPicture, Bytes()},
           {13, "picture_layout", T::kPick, 1},
           {14, "background_sound", T::kSound, Bytes()},
           {15, "sound_play_mode", T::kPick, 0, 0, 2},
           {16, "control_box", T::kBoolean, 1},
           {17, "maximize_button", T::kBoolean, 0},
           {18, "minimize_button", T::kBoolean, 1},
           {19, "start_position", T::kPick, 1, 0, 3},
           {20, "movable", T::kBoolean, 1},
           {21, "icon", T::kIcon, Bytes()},
           {22, "enter_moves_focus", T::kBoolean, 0},
           {23, "esc_closes", T::kBoolean, 1},
           {24, "f1_opens_help", T::kBoolean, 0},
           {25, "help_file", T::kFileName, std::string()},
           {26, "help_context", T::kInteger, 0},
           {27, "show_in_task_bar", T::kBoolean, 1},
           {28, "drag_anywhere", T::kBoolean, 0},
           {29, "shape", T::kPick, 0, 0, 29},
           {30, "always_on_top", T::kBoolean, 0},
           {31, "keep_title_bar_active", T::kBoolean, 0},
           {32, "window_class_name", T::kText, std::string()},
       }),
       WithCommonEvents({{0, "created", 0},
                         {1, "closing", 0},
                         {2, "destroyed", 0},
                         {3, "moved", 0},
                         {4, "resized", 0},
                         {5, "activated", 0},
                         {6, "deactivated", 0}})},
      {kLabelKind, "label", "标签",
       WithCommon({
           {9, "caption", T::kText, std::string("标签")},
           {10, "text_effect", T::kPick, 0},
           {11, "border_style", T::kPick, 0},
           {12, "frame_width", T::kInteger, 8},
           {13, "frame_colour_1", T::kOptionalColour, 0x00808080},
           {14, "frame_colour_2", T::kOptionalColour, 0x00FFFFFF},
           {15, "frame_colour_3", T::kOptionalColour, 0x00808080},
           {16, "font", T::kFont, Bytes()},
           {17, "text_colour", T::kColour, 0x00000000},
           {18, "background_colour", T::kColourWithDefault, kNone},
           {19, "background_picture", T::kPicture, Bytes()},
           {20, "picture_layout", T::kPick, 1},
           {21, "gradient", T::kPick, 0},
           {22, "gradient_colour_1", T::kOptionalColour, 0x00808080},
           {23, "gradient_colour_2", T::kOptionalColour, 0x00FFFFFF},
           {24, "gradient_colour_3", T::kOptionalColour, 0x00808080},
           {25, "horizontal_alignment", T::kPick, 0},
           {26, "word_wrap", T::kBoolean, 0},
           {27, "vertical_alignment", T::kPick, 1},
           {28, "data_source", T::kDataSource, std::string()},
           {29, "data_column", T::kDataColumn, std::string()},
       }),
       WithCommonEvents({{0, "request", 2}})},
      {kButtonKind, "button", "按钮",
       WithCommon({
           {9, "picture", T::kPicture, Bytes()},
           {10, "button_type", T::kPick, 0, 0, 1},
           {11, "caption", T::kText, std::string("按钮")},
           {12, "horizontal_alignment", T::kPick, 1, 0, 2},
           {13, "vertical_alignment", T::kPick, 1, 0, 2},
           {14, "font", T::kFont, Bytes()},
       }),
       WithCommonEvents({{0, "clicked", 0}})},
  };
  return kinds;
}

}  // namespace

const KindInfo* FindKind(uint32_t number) {
  for (const KindInfo& k : Kinds())
    if (k.number == number) return &k;
  return nullptr;
}

const KindInfo* FindKindByName(std::string_view name) {
  for (const KindInfo& k : Kinds())
    if (k.name == name || k.chinese_name == name) return &k;
  return nullptr;
}

const SettingDef* FindSetting(const KindInfo& kind, std::string_view role) {
  for (const SettingDef& s : kind.settings)
    if (s.role == role) return &s;
  return nullptr;
}

const SettingDef* FindSetting(const KindInfo& kind, int number) {
  if (number < 1 || size_t(number) > kind.settings.size()) return nullptr;
  return &kind.settings[size_t(number - 1)];
}

const EventDef* FindEvent(const KindInfo& kind, int32_t index) {
  for (const EventDef& e : kind.events)
    if (e.index == index) return &e;
  return nullptr;
}

std::string Hex(uint32_t v) {
  std::ostringstream s;
  s << "0x" << std::hex << std::uppercase << v;
  return s.str();
}

const KindInfo& Unit::Kind() const { return *FindKind(kind); }

bool Unit::Gives(int number) const {
  return std::any_of(given.begin(), given.end(), [number](auto& g) { return g.first == number; });
}

const Value& Unit::Setting(int number) const {
  for (const auto& [n, v] : given)
    if (n == number) return v;
  return FindSetting(Kind(), number)->default_value;
}

int32_t Unit::Int(int number) const {
  const Value& v = Setting(number);
  return std::holds_alternative<int32_t>(v) ? std::get<int32_t>(v) : 0;
}

const std::string& Unit::Text(int number) const {
  static const std::string kEmpty;
  const Value& v = Setting(number);
  return std::holds_alternative<std::string>(v) ? std::get<std::string>(v) : kEmpty;
}

const Bytes& Unit::Data(int number) const {
  static const Bytes kEmpty;
  const Value& v = Setting(number);
  return std::holds_alternative<Bytes>(v) ? std::get<Bytes>(v) : kEmpty;
}

const Unit* FormDescription::FindUnit(uint32_t number) const {
  for (const Unit& u : units)
    if (u.number == number) return &u;
  return nullptr;
}

}  // namespace runtime
