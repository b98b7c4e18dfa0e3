#include "platform/font.h"
#include "runtime/units.h"

namespace runtime {

platform::Font FontOf(const Bytes& record) {
  auto parsed = platform::ParseFontRecord(record);
  return parsed ? platform::Font::FromRecord(*parsed) : platform::Font::DefaultGui();
}

void RaiseSimple(Runtime& rt, uint32_t window_number, uint32_t unit_number, int32_t index) {
  if (!rt.Loaded(window_number)) return;  // a unit of a window that is gone raises nothing
  EventNotice n{window_number, unit_number, index};
  rt.RaiseEvent(n);
}

bool RaiseCommonEvent(Runtime& rt, uint32_t window_number, uint32_t unit_number,
                      const platform::Message& m, int32_t* replacement) {
  using platform::MessageType;
  if (!rt.Loaded(window_number)) return false;
  const int32_t state = int32_t(m.modifiers & 7);  // bit 0 Ctrl, bit 1 Shift, bit 2 Alt
  const bool left = m.code == int32_t(platform::MouseButton::kLeft);
  const bool right = m.code == int32_t(platform::MouseButton::kRight);
  EventNotice n{window_number, unit_number};
  switch (m.type) {
    case MessageType::kMouseDown:
      if (!left && !right) return false;
      n.event_index = left ? event::kLeftDown : event::kRightDown;
      break;
    case MessageType::kMouseUp:
      if (!left && !right) return false;
      n.event_index = left ? event::kLeftUp : event::kRightUp;
      break;
    case MessageType::kMouseDoubleClick:
      if (!left) return false;
      n.event_index = event::kLeftDoubleClick;
      break;
    case MessageType::kMouseMove:
      n.event_index = event::kMouseMove;
      break;
    case MessageType::kKeyDown:
    case MessageType::kKeyUp:
      n.event_index = m.type == MessageType::kKeyDown ? event::kKeyDown : event::kKeyUp;
      n.arg_count = 2;
      n.args[0] = m.code;
      n.args[1] = state;
      break;
    case MessageType::kChar:
      n.event_index = event::kChar;
      n.arg_count = 1;
      n.args[0] = m.code;
      break;
    case MessageType::kMouseWheel:
      n.event_index = event::kWheel;
      n.arg_count = 2;
      n.args[0] = m.code / 120;
      n.args[1] = state;
      break;
    default:
      return false;
  }
  if (n.arg_count == 0) {
    n.arg_count = 3;
    n.args[0] = m.x;
    n.args[1] = m.y;
    n.args[2] = state;
  }
  if (!rt.RaiseEvent(n) || !n.result_present) return false;
  if (m.type == MessageType::kChar && n.result != 0) {
    if (replacement) *replacement = n.result;
    return false;
  }
  return n.result == 0;
}

}  // namespace runtime
