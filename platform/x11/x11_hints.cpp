// The hints a window manager reads, set before the window is mapped, and the frame geometry
// asked of it. shared facts: WM_NAME and _NET_WM_NAME both carry the title so that every tool
// finds it; every format-32 property is written from long[].
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <vector>

#include "platform/x11/x11_backend.h"

namespace platform::x11 {
namespace {

// Motif hint bits.
constexpr long kFuncResize = 2, kFuncMove = 4, kFuncMinimize = 8, kFuncMaximize = 16,
               kFuncClose = 32;
constexpr long kDecorBorder = 2, kDecorResizeH = 4, kDecorTitle = 8, kDecorMenu = 16,
               kDecorMinimize = 32, kDecorMaximize = 64;

void SetAtoms(Display* d, ::Window w, Atom property, const std::vector<Atom>& atoms) {
  std::vector<long> values(atoms.begin(), atoms.end());
  XChangeProperty(d, w, property, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(values.data()), int(values.size()));
}

void SetCardinals(Display* d, ::Window w, Atom property, Atom type, const std::vector<long>& v) {
  XChangeProperty(d, w, property, type, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(v.data()), int(v.size()));
}

}  // namespace

void X11Backend::SetTitleProperties(::Window xid, const std::string& title) {
  const Atoms& a = conn_->atoms();
  auto data = reinterpret_cast<const unsigned char*>(title.data());
  XChangeProperty(dpy_, xid, XA_WM_NAME, a.utf8_string, 8, PropModeReplace, data,
                  int(title.size()));
  XChangeProperty(dpy_, xid, a.net_wm_name, a.utf8_string, 8, PropModeReplace, data,
                  int(title.size()));
}

void X11Backend::SetIconProperty(::Window xid, const Icons* icons) {
  if (!icons) {
    XDeleteProperty(dpy_, xid, conn_->atoms().net_wm_icon);
    return;
  }
  std::vector<long> v;
  for (const Image* image : {&icons->big, &icons->small}) {
    if (image->Empty()) continue;
    v.push_back(image->width);
    v.push_back(image->height);
    for (uint32_t p : image->pixels) {
      // The property holds straight alpha; the images are premultiplied.
      uint32_t a = p >> 24;
      if (a != 0 && a != 255) {
        uint32_t r = ((p >> 16 & 0xFF) * 255 + a / 2) / a, g = ((p >> 8 & 0xFF) * 255 + a / 2) / a,
                 b = ((p & 0xFF) * 255 + a / 2) / a;
        p = a << 24 | std::min(r, 255u) << 16 | std::min(g, 255u) << 8 | std::min(b, 255u);
      }
      v.push_back(long(p));
    }
  }
  if (v.empty()) return;
  SetCardinals(dpy_, xid, conn_->atoms().net_wm_icon, XA_CARDINAL, v);
}

void X11Backend::SetAllHints(XWindowRecord& w) {
  const Atoms& a = conn_->atoms();
  const WindowStyle& s = w.spec.style;
  const ::Window xid = w.xid;
  SetTitleProperties(xid, w.spec.title);

  std::string name = "lanshaji-gifts";
  std::string cls = w.spec.class_name.empty() ? "Lanshaji-gifts" : w.spec.class_name;
  XClassHint class_hint{name.data(), cls.data()};
  XSetClassHint(dpy_, xid, &class_hint);

  XSizeHints size{};
  size.flags = PPosition | PSize | PWinGravity;
  size.win_gravity = NorthWestGravity;
  size.x = w.client.x, size.y = w.client.y;
  size.width = w.client.w, size.height = w.client.h;
  if (s.frame != FrameKind::kSizable) {
    size.flags |= PMinSize | PMaxSize;
    size.min_width = size.max_width = w.client.w;
    size.min_height = size.max_height = w.client.h;
  }
  XSetWMNormalHints(dpy_, xid, &size);

  long functions = 0, decorations = 0;
  if (s.frame != FrameKind::kNone) {
    decorations |= kDecorBorder;
    if (s.caption) decorations |= kDecorTitle;
    if (s.caption && s.system_menu) decorations |= kDecorMenu;
    if (s.minimize_box) decorations |= kDecorMinimize, functions |= kFuncMinimize;
    if (s.maximize_box) decorations |= kDecorMaximize, functions |= kFuncMaximize;
    if (s.frame == FrameKind::kSizable) decorations |= kDecorResizeH, functions |= kFuncResize;
  }
  if (s.movable) functions |= kFuncMove;
  if (s.system_menu) functions |= kFuncClose;
  SetCardinals(dpy_, xid, a.motif_wm_hints, a.motif_wm_hints, {3, functions, decorations, 0, 0});

  bool owned = w.spec.owner != kNoWindow;
  SetAtoms(dpy_, xid, a.net_wm_window_type,
           {owned ? a.net_wm_window_type_dialog : a.net_wm_window_type_normal});
  std::vector<Atom> state;
  if (owned || !s.taskbar_button) {
    state.push_back(a.net_wm_state_skip_taskbar);
    state.push_back(a.net_wm_state_skip_pager);
  }
  if (s.topmost) state.push_back(a.net_wm_state_above);
  if (!state.empty()) SetAtoms(dpy_, xid, a.net_wm_state, state);
  if (owned) {
    if (auto it = windows_.find(w.spec.owner); it != windows_.end())
      XSetTransientForHint(dpy_, xid, it->second.xid);
  }

  SetIconProperty(xid, w.spec.icons.get());
  Atom protocols[] = {a.wm_delete_window, a.net_wm_ping};
  XSetWMProtocols(dpy_, xid, protocols, 2);
  XWMHints hints{};
  hints.flags = InputHint | StateHint;
  hints.input = True;  // never False: the window manager would then refuse to focus our windows
  hints.initial_state = NormalState;
  XSetWMHints(dpy_, xid, &hints);
  SetCardinals(dpy_, xid, a.net_wm_pid, XA_CARDINAL, {long(getpid())});
  char host[HOST_NAME_MAX + 1] = {};
  if (gethostname(host, sizeof host - 1) == 0)
    XChangeProperty(dpy_, xid, a.wm_client_machine, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<unsigned char*>(host), int(strlen(host)));
}

void X11Backend::SendToRoot(::Window about, Atom type, std::initializer_list<long> data) {
  // Requests to the window manager go to the root window, about one of our windows.
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = about;
  e.xclient.message_type = type;
  e.xclient.format = 32;
  int i = 0;
  for (long v : data) e.xclient.data.l[i++] = v;
  XSendEvent(dpy_, conn_->root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

void X11Backend::AskFrameExtents(XWindowRecord& w) {
  // The answer reflects the hints present when asked, so this comes after SetAllHints. Nobody
  // waits for it here: the window is built and painted while the window manager answers.
  SendToRoot(w.xid, conn_->atoms().net_request_frame_extents, {});
  XFlush(dpy_);
  w.extents_pending = true;
}

void X11Backend::SettleFrameExtents(XWindowRecord& w) {
  if (!w.extents_pending) return;
  w.extents_pending = false;
  const Atoms& a = conn_->atoms();
  struct Match {
    ::Window w;
    Atom atom;
  } match{w.xid, a.net_frame_extents};
  auto predicate = [](Display*, XEvent* ev, XPointer arg) -> Bool {
    auto* m = reinterpret_cast<Match*>(arg);
    return ev->type == PropertyNotify && ev->xproperty.window == m->w &&
           ev->xproperty.atom == m->atom;
  };
  // The window manager answers within milliseconds; a silent one must not hold the start up.
  for (int waited = 0; waited < 500;) {
    XEvent ev;
    if (XCheckIfEvent(dpy_, &ev, predicate, reinterpret_cast<XPointer>(&match))) break;
    pollfd pfd{ConnectionNumber(dpy_), POLLIN, 0};
    poll(&pfd, 1, 20);
    waited += 20;
  }
  Atom type;
  int format;
  unsigned long n, after;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(dpy_, w.xid, a.net_frame_extents, 0, 4, False, XA_CARDINAL, &type, &format,
                         &n, &after, &data) == Success &&
      data && n == 4) {
    auto* v = reinterpret_cast<long*>(data);
    w.extents = {int(v[0]), int(v[1]), int(v[2]), int(v[3])};
  }
  if (data) XFree(data);
  Point at = FramePosition(w);
  XMoveWindow(dpy_, w.xid, at.x, at.y);
}

Point X11Backend::FramePosition(const XWindowRecord& w) const {
  if (!has_wm_) return {w.client.x, w.client.y};
  // The real frame is centred on the logical outer rectangle.
  int frame_w = w.client.w + w.extents.left + w.extents.right;
  int frame_h = w.client.h + w.extents.top + w.extents.bottom;
  return {w.outer.x + (w.outer.w - frame_w) / 2, w.outer.y + (w.outer.h - frame_h) / 2};
}

void X11Backend::SendActivation(::Window xid) {
  SendToRoot(xid, conn_->atoms().net_active_window, {1 /* from an application */, CurrentTime});
}

}  // namespace platform::x11
