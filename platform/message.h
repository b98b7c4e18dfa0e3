// The closed set of messages that windows receive.
#pragma once

#include <cstdint>

namespace platform {

using WindowId = uint32_t;
constexpr WindowId kNoWindow = 0;

enum class MessageType : uint8_t {
  kCreated,
  kDestroyed,
  kCloseRequest,
  kKeyDown,
  kKeyUp,
  kChar,
  kMouseDown,
  kMouseUp,
  kMouseDoubleClick,
  kMouseMove,
  kMouseWheel,
  kFocusGained,
  kFocusLost,
  kActivated,
  kDeactivated,
  kEnabled,
  kShown,
  kMoved,
  kResized,
  kCommand,
  kRequest,
  kQuit,
};

enum class MouseButton : int32_t { kLeft = 1, kMiddle = 2, kRight = 3 };

// Modifier bits, in the layout the run time hands to its key events.
enum Modifier : uint32_t { kCtrl = 1, kShift = 2, kAlt = 4 };

// Virtual key codes: letters and digits are their upper-case ASCII codes.
namespace key {
constexpr int32_t kBack = 0x08, kTab = 0x09, kReturn = 0x0D, kShift = 0x10, kControl = 0x11,
                  kMenu = 0x12, kEscape = 0x1B, kSpace = 0x20, kLeft = 0x25, kUp = 0x26,
                  kRight = 0x27, kDown = 0x28, kDelete = 0x2E, kF1 = 0x70, kF4 = 0x73;
}

// Command codes a child sends to its parent.
constexpr int32_t kCommandClicked = 0;

struct Message {
  MessageType type = MessageType::kQuit;
  WindowId window = kNoWindow;
  // Mouse: position in the window's client coordinates. Move: new outer position.
  int32_t x = 0;
  int32_t y = 0;
  // Keys: virtual key code; char: Unicode code point; wheel: delta (120 a notch);
  // mouse: the button; command: the command code; shown/enabled: the new state; quit: exit code.
  int32_t code = 0;
  uint32_t modifiers = 0;
  // Command: the child that sent it. Request: the two integers.
  int32_t arg0 = 0;
  int32_t arg1 = 0;
};

}  // namespace platform
