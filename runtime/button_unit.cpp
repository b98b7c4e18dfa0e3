// The button: the platform's push button, built from the button kind's settings, raising the
// common events before the button's own handling.
#include "platform/picture/decode.h"
#include "platform/push_button.h"
#include "runtime/units.h"

namespace runtime {
namespace {

using platform::Message;
using platform::MessageType;

platform::PushButtonLook LookOf(const Unit& unit) {
  platform::PushButtonLook look;
  look.caption = unit.Text(button::kCaption);
  const int h = unit.Int(button::kHAlign), v = unit.Int(button::kVAlign);
  look.h = h == 0   ? platform::HAlign::kLeft
           : h == 2 ? platform::HAlign::kRight
                    : platform::HAlign::kCenter;
  look.v = v == 0   ? platform::VAlign::kTop
           : v == 2 ? platform::VAlign::kBottom
                    : platform::VAlign::kCenter;
  look.default_button = unit.Int(button::kButtonType) == 1;
  look.font = FontOf(unit.Data(button::kFont));
  // Icon and cursor files show as an icon, other formats as a bitmap; undecodable data leaves a
  // plain text button.
  const Bytes& picture = unit.Data(button::kPicture);
  if (!picture.empty()) {
    auto format = platform::DetectPictureFormat(picture);
    if (format == platform::PictureFormat::kIcon || format == platform::PictureFormat::kCursor)
      look.picture = platform::IconImageForSize(picture, 32);
    else
      look.picture = platform::DecodePicture(picture);
  }
  return look;
}

class ButtonUnit : public platform::PushButton {
 public:
  ButtonUnit(Runtime& rt, uint32_t number, const Unit& unit)
      : PushButton(LookOf(unit)), rt_(rt), number_(number), unit_number_(unit.number) {}

  int32_t OnMessage(platform::Platform& p, const Message& m) override {
    switch (m.type) {
      case MessageType::kFocusGained:
        RaiseSimple(rt_, number_, unit_number_, event::kGotFocus);
        break;
      case MessageType::kFocusLost:
        RaiseSimple(rt_, number_, unit_number_, event::kLostFocus);
        break;
      case MessageType::kMouseDown:
      case MessageType::kMouseUp:
      case MessageType::kMouseDoubleClick:
      case MessageType::kMouseMove:
      case MessageType::kMouseWheel:
      case MessageType::kKeyDown:
      case MessageType::kKeyUp:
      case MessageType::kChar:
        // A handler's result of 0 keeps the message from the button.
        if (RaiseCommonEvent(rt_, number_, unit_number_, m)) return 1;
        break;
      default:
        break;
    }
    return PushButton::OnMessage(p, m);
  }

 private:
  Runtime& rt_;
  uint32_t number_;
  uint32_t unit_number_;
};

}  // namespace

std::unique_ptr<platform::WindowHandler> MakeButtonUnit(Runtime& rt, uint32_t number,
                                                        const Unit& unit) {
  return std::make_unique<ButtonUnit>(rt, number, unit);
}

}  // namespace runtime
