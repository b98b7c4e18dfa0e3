#include "platform/error_box.h"

#include <cairo.h>

#include <cstdio>
#include <string>

#include "platform/metrics.h"
#include "platform/platform.h"
#include "platform/push_button.h"

namespace platform {
namespace {

constexpr int kIconSize = 32;
constexpr int kMargin = 12;
constexpr int kTextWidth = 320;
constexpr int kButtonWidth = 88, kButtonHeight = 26;

class ErrorBoxWindow : public WindowHandler {
 public:
  explicit ErrorBoxWindow(std::string message) : message_(std::move(message)) {}

  int32_t OnMessage(Platform& p, const Message& m) override {
    switch (m.type) {
      case MessageType::kCommand:
      case MessageType::kCloseRequest:
        p.Destroy(m.window);
        return 0;
      case MessageType::kFocusGained:
        if (WindowId ok = p.ChildByControlId(m.window, 1)) p.SetFocus(ok);
        return 0;
      default:
        return 0;
    }
  }

  void Paint(Platform& p, WindowId id, Canvas& c) override {
    Rect r = p.ClientRect(id);
    c.FillRect(r, kButtonFace);
    DrawErrorIcon(c, {kMargin, kMargin, kIconSize, kIconSize});
    c.DrawText(message_,
               {kMargin * 2 + kIconSize, kMargin, kTextWidth, r.h - kButtonHeight - 3 * kMargin},
               Font::DefaultGui(), kWindowText, {HAlign::kLeft, VAlign::kTop, true, false});
  }

 private:
  // A red disc with a white cross, drawn rather than loaded so the box needs no files.
  static void DrawErrorIcon(Canvas& c, Rect r) {
    int cx2 = 2 * r.x + r.w - 1, cy2 = 2 * r.y + r.h - 1, rad2 = r.w - 1;
    c.FillPixels(r, [&](int x, int y) -> Colour {
      int dx = 2 * x - cx2, dy = 2 * y - cy2;
      if (dx * dx + dy * dy > rad2 * rad2) return kButtonFace;
      int ax = dx < 0 ? -dx : dx, ay = dy < 0 ? -dy : dy;
      bool cross = (ax - ay <= 3 && ay - ax <= 3) && ax < r.w / 2 && ay < r.w / 2;
      return cross ? Rgb(255, 255, 255) : Rgb(0xD0, 0x20, 0x20);
    });
  }

  std::string message_;
};

}  // namespace

void ShowErrorBox(Platform* p, std::string_view title, std::string_view message) {
  std::fprintf(stderr, "%.*s: %.*s\n", int(title.size()), title.data(), int(message.size()),
               message.data());
  if (!p) return;
  // The box grows with the message: measure by wrapping at the fixed text width.
  int lines = 1 + int(message.size() / 40);
  int text_h = std::max(kIconSize, lines * 18);
  int client_w = kMargin * 3 + kIconSize + kTextWidth;
  int client_h = kMargin * 3 + text_h + kButtonHeight;
  WindowStyle style;
  style.minimize_box = false;
  style.taskbar_button = true;
  Size screen = p->ScreenSize();
  int outer_w = client_w + 2 * kFixedFrame, outer_h = client_h + 2 * kFixedFrame + kCaptionHeight;
  TopLevelSpec spec{std::string(title),
                    "lanshaji-error",
                    style,
                    {(screen.w - outer_w) / 2, (screen.h - outer_h) / 2, outer_w, outer_h}};
  spec.handler = std::make_unique<ErrorBoxWindow>(std::string(message));
  WindowId box = p->CreateTopLevel(std::move(spec));
  if (!box) return;
  PushButtonLook look;
  look.caption = "确定";
  look.default_button = true;
  p->CreateChild({box,
                  {(client_w - kButtonWidth) / 2, client_h - kMargin - kButtonHeight, kButtonWidth,
                   kButtonHeight},
                  1,
                  false,
                  true,
                  std::make_unique<PushButton>(look)});
  for (WindowId c : p->Children(box)) p->Show(c, ShowMode::kNormal);
  // Enter and Escape dismiss the box, whichever control has the focus.
  p->SetKeyHook([p, box](const Message& m) {
    if (p->TopLevelOf(m.window) != box) return false;
    if (m.code == key::kReturn || m.code == key::kEscape) {
      p->Destroy(box);
      return true;
    }
    return false;
  });
  p->Show(box, ShowMode::kNormal);
  Message m;
  while (p->Exists(box) && p->GetMessage(&m)) p->DispatchMessage(m);
  p->SetKeyHook(nullptr);
}

}  // namespace platform
