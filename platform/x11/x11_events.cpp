// Native events to sink calls: one small function per kind of event, chosen by a table.
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include "platform/x11/x11_backend.h"

namespace platform::x11 {
namespace {

constexpr Time kDoubleClickTime = 500;

uint32_t Modifiers(unsigned state) {
  uint32_t m = 0;
  if (state & ControlMask) m |= kCtrl;
  if (state & ShiftMask) m |= kShift;
  if (state & Mod1Mask) m |= kAlt;
  return m;
}

int32_t VirtualKey(KeySym s) {
  if (s >= XK_a && s <= XK_z) return int32_t('A' + (s - XK_a));
  if (s >= XK_A && s <= XK_Z) return int32_t('A' + (s - XK_A));
  if (s >= XK_0 && s <= XK_9) return int32_t('0' + (s - XK_0));
  if (s >= XK_F1 && s <= XK_F12) return int32_t(key::kF1 + (s - XK_F1));
  switch (s) {
    case XK_Escape:
      return key::kEscape;
    case XK_Return:
    case XK_KP_Enter:
      return key::kReturn;
    case XK_Tab:
    case XK_ISO_Left_Tab:
      return key::kTab;
    case XK_space:
      return key::kSpace;
    case XK_BackSpace:
      return key::kBack;
    case XK_Delete:
      return key::kDelete;
    case XK_Left:
      return key::kLeft;
    case XK_Right:
      return key::kRight;
    case XK_Up:
      return key::kUp;
    case XK_Down:
      return key::kDown;
    case XK_Shift_L:
    case XK_Shift_R:
      return key::kShift;
    case XK_Control_L:
    case XK_Control_R:
      return key::kControl;
    case XK_Alt_L:
    case XK_Alt_R:
      return key::kMenu;
    default:
      return 0;
  }
}

}  // namespace

void X11Backend::HandleEvent(XEvent& e) {
  using Handler = void (X11Backend::*)(XEvent&);
  static const struct {
    int type;
    Handler handler;
  } kTable[] = {
      {KeyPress, &X11Backend::OnKeyEvent},
      {KeyRelease, &X11Backend::OnKeyEvent},
      {ButtonPress, &X11Backend::OnButtonEvent},
      {ButtonRelease, &X11Backend::OnButtonEvent},
      {MotionNotify, &X11Backend::OnMotion},
      {FocusIn, &X11Backend::OnFocus},
      {FocusOut, &X11Backend::OnFocus},
      {ClientMessage, &X11Backend::OnClientMessage},
      {ConfigureNotify, &X11Backend::OnConfigure},
      {MapNotify, &X11Backend::OnMapping},
      {UnmapNotify, &X11Backend::OnMapping},
      {Expose, &X11Backend::OnExpose},
      {DestroyNotify, &X11Backend::OnDestroy},
      {ReparentNotify, &X11Backend::OnReparent},
  };
  for (const auto& entry : kTable)
    if (entry.type == e.type) return (this->*entry.handler)(e);
}

void X11Backend::OnKeyEvent(XEvent& e) {
  WindowId id = IdOf(e.xkey.window);
  if (!id) return;
  // An auto-repeated key arrives as release + press with the same time: keep only the press.
  if (e.type == KeyRelease && XEventsQueued(dpy_, QueuedAfterReading)) {
    XEvent next;
    XPeekEvent(dpy_, &next);
    if (next.type == KeyPress && next.xkey.time == e.xkey.time &&
        next.xkey.keycode == e.xkey.keycode)
      return;
  }
  char text[8] = {};
  KeySym sym = NoSymbol;
  int n = XLookupString(&e.xkey, text, sizeof text - 1, &sym, nullptr);
  std::string utf8;
  if (n == 1 && static_cast<unsigned char>(text[0]) >= 0x20 && text[0] != 0x7F) {
    unsigned char c = static_cast<unsigned char>(text[0]);
    if (c < 0x80) {
      utf8 = std::string(1, char(c));
    } else {  // Latin-1 to UTF-8
      utf8 = {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
    }
  }
  int32_t vk = VirtualKey(sym);
  if (!vk && utf8.empty()) return;
  sink_->OnKey(id, vk, e.type == KeyPress, Modifiers(e.xkey.state), utf8);
}

void X11Backend::OnButtonEvent(XEvent& e) {
  WindowId id = IdOf(e.xbutton.window);
  if (!id) return;
  const XButtonEvent& b = e.xbutton;
  Point p{b.x, b.y};
  if (b.button == Button4 || b.button == Button5) {
    if (e.type == ButtonPress)
      sink_->OnMouseWheel(id, p, b.button == Button4 ? 120 : -120, Modifiers(b.state));
    return;
  }
  MouseButton button = b.button == Button1   ? MouseButton::kLeft
                       : b.button == Button2 ? MouseButton::kMiddle
                       : b.button == Button3 ? MouseButton::kRight
                                             : MouseButton(0);
  if (int32_t(button) == 0) return;
  bool double_click = false;
  if (e.type == ButtonPress) {
    double_click = b.window == last_press_window_ && b.button == last_press_button_ &&
                   b.time - last_press_time_ < kDoubleClickTime &&
                   std::abs(b.x - last_press_pos_.x) < 4 && std::abs(b.y - last_press_pos_.y) < 4;
    // A third press starts a new pair.
    last_press_time_ = double_click ? 0 : b.time;
    last_press_button_ = b.button;
    last_press_pos_ = p;
    last_press_window_ = b.window;
  }
  sink_->OnMouseButton(id, p, button, e.type == ButtonPress, double_click, Modifiers(b.state));
}

void X11Backend::OnMotion(XEvent& e) {
  WindowId id = IdOf(e.xmotion.window);
  if (id) sink_->OnMouseMove(id, {e.xmotion.x, e.xmotion.y}, Modifiers(e.xmotion.state));
}

void X11Backend::OnFocus(XEvent& e) {
  WindowId id = IdOf(e.xfocus.window);
  if (!id) return;
  const XFocusChangeEvent& f = e.xfocus;
  // Only a real change of the focus window counts; the pointer moving between windows in
  // PointerRoot mode, and focus moving inside the window, do not.
  if (f.mode != NotifyNormal && f.mode != NotifyWhileGrabbed) return;
  if (f.detail == NotifyInferior || f.detail == NotifyPointer) return;
  if (e.type == FocusIn)
    sink_->OnActivated(id);
  else
    sink_->OnDeactivated(id);
}

void X11Backend::OnClientMessage(XEvent& e) {
  const Atoms& a = conn_->atoms();
  const XClientMessageEvent& c = e.xclient;
  if (c.format != 32) return;
  if (c.message_type == a.wm_protocols) {
    Atom protocol = Atom(c.data.l[0]);
    if (protocol == a.net_wm_ping) {
      // Our own reply comes back to us on the root: never answer that one again.
      if (c.window == conn_->root()) return;
      XEvent reply = e;
      reply.xclient.window = conn_->root();
      XSendEvent(dpy_, conn_->root(), False, SubstructureNotifyMask | SubstructureRedirectMask,
                 &reply);
      return;
    }
    if (protocol == a.wm_delete_window) {
      if (WindowId id = IdOf(c.window)) sink_->OnCloseRequest(id);
    }
    return;
  }
  if (c.message_type == a.request) {
    // data: control identifier, two integers, the reply window, a serial.
    WindowId id = IdOf(c.window);
    auto it = windows_.find(id);
    if (!id || it == windows_.end() || it->second.spec.invisible) return;
    ::Window reply_to = ::Window(c.data.l[3]);
    if (!reply_to) return;
    uint32_t token = next_token_++;
    if (requests_.size() > 1024) requests_.clear();  // answers nobody collected
    requests_[token] = {reply_to, c.data.l[4]};
    sink_->OnRequest(id, int32_t(c.data.l[0]), int32_t(c.data.l[1]), int32_t(c.data.l[2]), token);
  }
}

void X11Backend::OnConfigure(XEvent& e) {
  WindowId id = IdOf(e.xconfigure.window);
  auto it = windows_.find(id);
  if (!id || it == windows_.end()) return;
  XWindowRecord& w = it->second;
  int x = e.xconfigure.x, y = e.xconfigure.y;
  if (!e.xconfigure.send_event && w.managed) {
    // A real ConfigureNotify of a reparented window is relative to the frame: ask for the root
    // position instead.
    ::Window child;
    XTranslateCoordinates(dpy_, w.xid, conn_->root(), 0, 0, &x, &y, &child);
  }
  // From where the client is to where the logical outer rectangle is.
  Point outer;
  if (has_wm_ && w.managed) {
    int frame_w = w.client.w + w.extents.left + w.extents.right;
    int frame_h = w.client.h + w.extents.top + w.extents.bottom;
    outer = {x - w.extents.left - (w.outer.w - frame_w) / 2,
             y - w.extents.top - (w.outer.h - frame_h) / 2};
  } else {
    outer = {x - (w.client.x - w.outer.x), y - (w.client.y - w.outer.y)};
  }
  if (outer == Point{w.outer.x, w.outer.y}) return;
  int dx = outer.x - w.outer.x, dy = outer.y - w.outer.y;
  w.outer = w.outer.Translated(dx, dy);
  w.client = w.client.Translated(dx, dy);
  sink_->OnMoved(id, outer);
}

void X11Backend::OnMapping(XEvent& e) {
  ::Window xid = e.type == MapNotify ? e.xmap.window : e.xunmap.window;
  WindowId id = IdOf(xid);
  auto it = windows_.find(id);
  if (!id || it == windows_.end()) return;
  XWindowRecord& w = it->second;
  if (e.type == MapNotify) {
    w.mapped = true;
    if (w.minimized) {
      w.minimized = false;
      sink_->OnMinimized(id, false);
    }
    if (w.focus_on_map) {
      // No window manager gives the focus to a new window: take it, now that it is viewable.
      w.focus_on_map = false;
      XSetInputFocus(dpy_, w.xid, RevertToParent, CurrentTime);
    }
    return;
  }
  w.mapped = false;
  if (w.hiding) {
    w.hiding = false;
    return;
  }
  // Unmapped by the window manager: minimised.
  w.minimized = true;
  sink_->OnMinimized(id, true);
}

void X11Backend::OnExpose(XEvent& e) {
  WindowId id = IdOf(e.xexpose.window);
  auto it = windows_.find(id);
  if (!id || it == windows_.end()) return;
  // While the first frame is the window's background, the server has already drawn the exposed
  // part with the current pixels.
  if (it->second.first_frame) return;
  it->second.exposed =
      it->second.exposed.Union({e.xexpose.x, e.xexpose.y, e.xexpose.width, e.xexpose.height});
}

void X11Backend::OnDestroy(XEvent& e) {
  WindowId id = IdOf(e.xdestroywindow.window);
  if (!id) return;  // one of ours that we destroyed ourselves is no longer in the table
  // Destroyed by another program: the window is gone, the program goes on.
  by_xid_.erase(e.xdestroywindow.window);
  windows_.erase(id);
  sink_->OnDestroyedOutside(id);
}

void X11Backend::OnReparent(XEvent& e) {
  WindowId id = IdOf(e.xreparent.window);
  auto it = windows_.find(id);
  if (!id || it == windows_.end()) return;
  it->second.managed = e.xreparent.parent != conn_->root();
}

}  // namespace platform::x11
