// The live window: its messages become the window kind's events, and it paints its client area
// from the background colour and picture.
#include "platform/metrics.h"
#include "platform/picture/decode_ahead.h"
#include "runtime/units.h"

namespace runtime {
namespace {

using platform::Message;
using platform::MessageType;
using platform::Rect;

class WindowUnit : public platform::WindowHandler {
 public:
  // The background picture starts decoding now, while the window is built and placed.
  WindowUnit(Runtime& rt, uint32_t number, const Bytes& picture)
      : rt_(rt), number_(number), picture_(picture) {}

  int32_t OnMessage(platform::Platform& p, const Message& m) override {
    const LoadedWindow* w = rt_.Loaded(number_);
    if (!w || m.window != w->id) return 0;
    switch (m.type) {
      case MessageType::kCloseRequest:
        rt_.CloseWindow(number_);
        return 0;
      case MessageType::kDestroyed:
        rt_.OnWindowDestroyed(number_);
        return 0;
      case MessageType::kMoved:
        RaiseSimple(rt_, number_, 0, event::kMoved);
        return 0;
      case MessageType::kResized:
        RaiseSimple(rt_, number_, 0, event::kResized);
        return 0;
      case MessageType::kActivated:
        rt_.OnWindowActivated(number_);
        RaiseSimple(rt_, number_, 0, event::kActivated);
        return 0;
      case MessageType::kDeactivated:
        RaiseSimple(rt_, number_, 0, event::kDeactivated);
        return 0;
      case MessageType::kFocusGained:
        rt_.PassFocusOn(number_);
        if (rt_.Loaded(number_) && p.Focus() == m.window)
          RaiseSimple(rt_, number_, 0, event::kGotFocus);
        return 0;
      case MessageType::kFocusLost:
        RaiseSimple(rt_, number_, 0, event::kLostFocus);
        return 0;
      case MessageType::kCommand:
        if (m.code == platform::kCommandClicked) Clicked(p, platform::WindowId(m.arg0));
        return 0;
      case MessageType::kMouseDown:
        if (RaiseCommonEvent(rt_, number_, 0, m)) return 1;
        if (m.code == int32_t(platform::MouseButton::kLeft) &&
            w->form->Own().Int(window::kDragAnywhere) == 1)
          p.BeginMoveDrag(m.window, {m.x, m.y});
        return 1;
      default:
        return RaiseCommonEvent(rt_, number_, 0, m);
    }
  }

  void Paint(platform::Platform& p, platform::WindowId id, platform::Canvas& c) override {
    const LoadedWindow* w = rt_.Loaded(number_);
    if (!w) return;
    const Unit& own = w->form->Own();
    const Rect client = p.ClientRect(id);
    uint32_t colour = own.Colour(window::kBackgroundColour);
    c.FillRect(c.clip(), colour == kDefaultColour ? platform::kButtonFace : colour);
    const platform::Image* picture = picture_.Get();
    if (!picture) return;
    const platform::Image& pic = *picture;
    const int cw = client.w, ch = client.h, pw = pic.width, ph = pic.height;
    const platform::Scaling scaling =
        p.ScreenDepth() > 16 ? platform::Scaling::kSmooth : platform::Scaling::kNearest;
    switch (own.Int(window::kPictureLayout)) {
      case 0:
        c.DrawImage(pic, {0, 0, pw, ph});
        break;
      case 1:
        for (int y = 0; y < ch; y += ph)
          for (int x = 0; x < cw; x += pw)
            if (!Rect{x, y, pw, ph}.Intersect(c.clip()).Empty()) c.DrawImage(pic, {x, y, pw, ph});
        break;
      case 2:
        c.DrawImage(pic, ShrinkToFit(cw, ch, pw, ph), scaling);
        break;
      case 3:
        c.DrawImage(pic, {0, 0, cw, ch}, scaling);
        break;
      default:
        break;  // the background colour alone
    }
  }

  // Centred, shrunk to fit when too large, keeping the aspect ratio.
  static Rect ShrinkToFit(int cw, int ch, int pw, int ph) {
    int x = 0, y = 0, aw = cw, ah = ch;
    if (pw <= cw) x = (cw - pw) / 2, aw = pw;
    if (ph <= ch) y = (ch - ph) / 2, ah = ph;
    int w = pw, h = ph;
    if (pw > aw || ph > ah) {
      double s = std::min(double(aw) / pw, double(ah) / ph);
      w = int(pw * s);
      h = int(ph * s);
      x += (aw - w) / 2;
      y += (ah - h) / 2;
    }
    return {x, y, w, h};
  }

 private:
  void Clicked(platform::Platform& p, platform::WindowId child) {
    const LoadedWindow* w = rt_.Loaded(number_);
    if (!w || !p.Exists(child)) return;
    for (size_t i = 1; i < w->controls.size(); ++i) {
      if (w->controls[i] != child) continue;
      const Unit& unit = w->form->units[i];
      if (unit.kind == kButtonKind) RaiseSimple(rt_, number_, unit.number, event::kClicked);
      return;
    }
  }

  Runtime& rt_;
  uint32_t number_;
  platform::PictureAhead picture_;
};

}  // namespace

std::unique_ptr<platform::WindowHandler> MakeWindowUnit(Runtime& rt, uint32_t number) {
  const FormDescription* form = rt.FindForm(number);
  static const Bytes kNone;
  return std::make_unique<WindowUnit>(rt, number,
                                      form ? form->Own().Data(window::kBackgroundPicture) : kNone);
}

}  // namespace runtime
