// The standard push button: raised 3-D face, pressed look while held, focus rectangle, grey
// caption when disabled. A click is a left press and release over it, or Space pressed and
// released while it has the focus; it is reported to the parent as a kCommand message.
#pragma once

#include <optional>
#include <string>

#include "platform/canvas.h"
#include "platform/platform.h"

namespace platform {

struct PushButtonLook {
  std::string caption;  // "&" marks a mnemonic
  HAlign h = HAlign::kCenter;
  VAlign v = VAlign::kCenter;
  bool default_button = false;  // drawn with the default button's dark frame
  bool multi_line = true;
  Font font = Font::DefaultGui();
  std::optional<Image> picture;  // shown instead of the caption
};

class PushButton : public WindowHandler {
 public:
  explicit PushButton(PushButtonLook look) : look_(std::move(look)) {}
  int32_t OnMessage(Platform& platform, const Message& m) override;
  void Paint(Platform& platform, WindowId id, Canvas& canvas) override;

  const PushButtonLook& look() const { return look_; }
  bool pressed() const { return (mouse_held_ && mouse_inside_) || space_held_; }

 protected:
  // Reports a click to the parent window.
  void ReportClick(Platform& platform, WindowId id);

 private:
  void Reset(Platform& platform, WindowId id);

  PushButtonLook look_;
  bool mouse_held_ = false;
  bool mouse_inside_ = false;
  bool space_held_ = false;
};

}  // namespace platform
