#include "platform/push_button.h"

#include "platform/metrics.h"

namespace platform {

void PushButton::ReportClick(Platform& p, WindowId id) {
  p.Send({.type = MessageType::kCommand,
          .window = p.Parent(id),
          .code = kCommandClicked,
          .arg0 = int32_t(id)});
}

void PushButton::Reset(Platform& p, WindowId id) {
  if (mouse_held_ && p.Capture() == id) p.ReleaseCapture();
  bool was_pressed = pressed();
  mouse_held_ = mouse_inside_ = space_held_ = false;
  if (was_pressed) p.Invalidate(id);
}

int32_t PushButton::OnMessage(Platform& p, const Message& m) {
  const WindowId id = m.window;
  switch (m.type) {
    case MessageType::kMouseDown:
    case MessageType::kMouseDoubleClick:
      if (m.code != int32_t(MouseButton::kLeft)) return 0;
      p.SetFocus(id);
      p.SetCapture(id);
      mouse_held_ = mouse_inside_ = true;
      p.Invalidate(id);
      return 1;
    case MessageType::kMouseMove:
      if (mouse_held_) {
        bool inside = p.ClientRect(id).Contains({m.x, m.y});
        if (inside != mouse_inside_) {
          mouse_inside_ = inside;
          p.Invalidate(id);
        }
      }
      return 1;
    case MessageType::kMouseUp: {
      if (m.code != int32_t(MouseButton::kLeft) || !mouse_held_) return 0;
      bool click = p.ClientRect(id).Contains({m.x, m.y}) && !space_held_;
      mouse_held_ = mouse_inside_ = false;
      if (p.Capture() == id) p.ReleaseCapture();
      p.Invalidate(id);
      if (click) ReportClick(p, id);
      return 1;
    }
    case MessageType::kKeyDown:
      if (m.code != key::kSpace || mouse_held_) return 0;
      if (!space_held_) {
        space_held_ = true;
        p.Invalidate(id);
      }
      return 1;
    case MessageType::kKeyUp:
      if (m.code != key::kSpace || !space_held_) return 0;
      space_held_ = false;
      p.Invalidate(id);
      ReportClick(p, id);
      return 1;
    case MessageType::kFocusGained:
    case MessageType::kFocusLost:
      if (m.type == MessageType::kFocusLost) Reset(p, id);
      p.Invalidate(id);
      return 0;
    case MessageType::kEnabled:
    case MessageType::kShown:
      if (!m.code) Reset(p, id);
      return 0;
    default:
      return 0;
  }
}

void PushButton::Paint(Platform& p, WindowId id, Canvas& c) {
  Rect r = p.ClientRect(id);
  const bool enabled = p.IsEnabled(id);
  const bool focused = p.Focus() == id;
  c.FillRect(r, kButtonFace);
  Rect face = r;
  if (look_.default_button) {
    c.DrawFrame(face, kWindowFrame);
    face = face.Inset(1);
  }
  if (pressed()) {
    c.DrawFrame(face, kWindowFrame);
    c.DrawFrame(face.Inset(1), kShadow3D);
  } else {
    c.DrawEdge(face, Edge::kRaised);
  }
  Rect content = r.Inset(4);
  if (pressed()) content = content.Translated(1, 1);
  if (look_.picture) {
    const Image& pic = *look_.picture;
    Rect dest{content.x + (content.w - pic.width) / 2, content.y + (content.h - pic.height) / 2,
              pic.width, pic.height};
    c.DrawImage(pic, dest);
  } else if (!look_.caption.empty()) {
    TextFormat f{look_.h, look_.v, look_.multi_line, true};
    if (!enabled) c.DrawText(look_.caption, content.Translated(1, 1), look_.font, kHighlight3D, f);
    c.DrawText(look_.caption, content, look_.font, enabled ? kButtonText : kGrayText, f);
  }
  if (focused && enabled) c.DrawFocusRect(r.Inset(look_.default_button ? 4 : 3));
}

}  // namespace platform
