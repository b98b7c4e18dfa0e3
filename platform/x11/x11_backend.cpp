#include "platform/x11/x11_backend.h"

#include <X11/Xatom.h>
#include <X11/Xcursor/Xcursor.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/shape.h>
#include <poll.h>

#include <cerrno>

namespace platform::x11 {

std::unique_ptr<X11Backend> X11Backend::Open() {
  auto c = Connection::Open();
  if (!c) return nullptr;
  return std::unique_ptr<X11Backend>(new X11Backend(std::move(c)));
}

X11Backend::X11Backend(std::unique_ptr<Connection> c)
    : conn_(std::move(c)), dpy_(conn_->display()) {
  has_wm_ = conn_->HasWindowManager();
}

X11Backend::~X11Backend() {
  for (auto& [id, w] : windows_) XDestroyWindow(dpy_, w.xid);
  for (auto& [n, c] : stock_cursors_) XFreeCursor(dpy_, c);
  XFlush(dpy_);
}

XWindowRecord* X11Backend::Find(WindowId id) {
  auto it = windows_.find(id);
  return it == windows_.end() ? nullptr : &it->second;
}

WindowId X11Backend::IdOf(::Window xid) const {
  auto it = by_xid_.find(xid);
  return it == by_xid_.end() ? kNoWindow : it->second;
}

Size X11Backend::ScreenSize() {
  return {DisplayWidth(dpy_, conn_->screen()), DisplayHeight(dpy_, conn_->screen())};
}

int X11Backend::ScreenDepth() { return DefaultDepth(dpy_, conn_->screen()); }

bool X11Backend::CreateSurface(WindowId id, const SurfaceSpec& spec) {
  XWindowRecord w;
  w.spec = spec;
  w.outer = spec.outer;
  w.client = spec.client;
  XSetWindowAttributes attrs{};
  if (spec.invisible) {
    // Only an owner for other windows: never mapped, takes no input.
    attrs.override_redirect = True;
    w.xid = XCreateWindow(dpy_, conn_->root(), -100, -100, 1, 1, 0, 0, InputOnly, CopyFromParent,
                          CWOverrideRedirect, &attrs);
  } else {
    has_wm_ = conn_->HasWindowManager();
    attrs.background_pixmap = None;  // our own pixels cover the window: nothing to clear first
    attrs.bit_gravity = NorthWestGravity;
    attrs.event_mask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                       PointerMotionMask | ExposureMask | StructureNotifyMask | FocusChangeMask |
                       PropertyChangeMask;
    w.xid = XCreateWindow(dpy_, conn_->root(), spec.client.x, spec.client.y,
                          unsigned(std::max(spec.client.w, 1)),
                          unsigned(std::max(spec.client.h, 1)), 0, CopyFromParent, InputOutput,
                          CopyFromParent, CWBackPixmap | CWBitGravity | CWEventMask, &attrs);
  }
  if (!w.xid) return false;
  if (!spec.invisible) {
    SetAllHints(w);
    if (has_wm_) AskFrameExtents(w);
  }
  by_xid_[w.xid] = id;
  windows_.emplace(id, std::move(w));
  return true;
}

void X11Backend::DestroySurface(WindowId id) {
  XWindowRecord* w = Find(id);
  if (!w) return;
  by_xid_.erase(w->xid);
  XDestroyWindow(dpy_, w->xid);
  if (w->cursor) XFreeCursor(dpy_, w->cursor);
  if (w->first_frame) XFreePixmap(dpy_, w->first_frame);
  windows_.erase(id);
  XFlush(dpy_);
}

void X11Backend::SetTitle(WindowId id, const std::string& title) {
  if (XWindowRecord* w = Find(id)) {
    w->spec.title = title;
    SetTitleProperties(w->xid, title);
  }
}

void X11Backend::SetIcons(WindowId id, std::shared_ptr<const Icons> icons) {
  if (XWindowRecord* w = Find(id)) {
    w->spec.icons = icons;
    SetIconProperty(w->xid, icons.get());
  }
}

void X11Backend::Show(WindowId id, ShowMode mode) {
  XWindowRecord* w = Find(id);
  if (!w || w->spec.invisible) return;
  SettleFrameExtents(*w);
  switch (mode) {
    case ShowMode::kHide:
      if (w->mapped || !w->minimized) {
        w->hiding = true;
        XWithdrawWindow(dpy_, w->xid, conn_->screen());
      }
      break;
    case ShowMode::kMinimized:
      if (w->mapped) {
        XIconifyWindow(dpy_, w->xid, conn_->screen());
      } else {
        XWMHints hints{};
        hints.flags = InputHint | StateHint;
        hints.input = True;
        hints.initial_state = IconicState;
        XSetWMHints(dpy_, w->xid, &hints);
        XMapWindow(dpy_, w->xid);
      }
      break;
    default:
      if (w->minimized || !w->mapped) {
        w->focus_on_map = !has_wm_;
        XMapRaised(dpy_, w->xid);
      }
      if (w->managed) SendActivation(w->xid);
      break;
  }
  XFlush(dpy_);
}

void X11Backend::Move(WindowId id, Rect outer, Rect client) {
  XWindowRecord* w = Find(id);
  if (!w || w->spec.invisible) return;
  bool resized = client.w != w->client.w || client.h != w->client.h;
  w->outer = outer;
  w->client = client;
  SettleFrameExtents(*w);
  Point at = FramePosition(*w);
  if (resized) {
    XSizeHints size{};
    size.flags = PPosition | PSize | PWinGravity;
    size.win_gravity = NorthWestGravity;
    if (w->spec.style.frame != FrameKind::kSizable) {
      size.flags |= PMinSize | PMaxSize;
      size.min_width = size.max_width = client.w;
      size.min_height = size.max_height = client.h;
    }
    XSetWMNormalHints(dpy_, w->xid, &size);
    XMoveResizeWindow(dpy_, w->xid, at.x, at.y, unsigned(std::max(client.w, 1)),
                      unsigned(std::max(client.h, 1)));
  } else {
    XMoveWindow(dpy_, w->xid, at.x, at.y);
  }
  XFlush(dpy_);
}

void X11Backend::Activate(WindowId id) {
  XWindowRecord* w = Find(id);
  if (!w || w->spec.invisible) return;
  if (has_wm_) {
    // Only a managed window can be activated through the window manager; a window that is
    // still being mapped gets the focus from the window manager's own rule for new windows.
    if (w->managed) SendActivation(w->xid);
  } else if (w->mapped) {
    XRaiseWindow(dpy_, w->xid);
    XSetInputFocus(dpy_, w->xid, RevertToParent, CurrentTime);
  } else {
    w->focus_on_map = true;
  }
  XFlush(dpy_);
}

void X11Backend::SetEnabled(WindowId id, bool enabled) {
  // There is no standard property for a disabled window; a private one lets tools and tests see
  // the state. Input is refused in the core, not here.
  XWindowRecord* w = Find(id);
  if (!w || w->spec.invisible) return;
  long value = enabled ? 0 : 1;
  XChangeProperty(dpy_, w->xid, conn_->atoms().disabled, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&value), 1);
  XFlush(dpy_);
}

void X11Backend::SetCursor(WindowId id, const CursorSpec& spec) {
  XWindowRecord* w = Find(id);
  if (!w || w->spec.invisible) return;
  ::Cursor cursor = None;
  if (spec.image && !spec.image->Empty()) {
    XcursorImage* xi = XcursorImageCreate(spec.image->width, spec.image->height);
    if (xi) {
      xi->xhot = unsigned(std::clamp(spec.hot_spot.x, 0, spec.image->width - 1));
      xi->yhot = unsigned(std::clamp(spec.hot_spot.y, 0, spec.image->height - 1));
      std::copy(spec.image->pixels.begin(), spec.image->pixels.end(), xi->pixels);
      cursor = XcursorImageLoadCursor(dpy_, xi);
      XcursorImageDestroy(xi);
    }
    if (w->cursor) XFreeCursor(dpy_, w->cursor);
    w->cursor = cursor;
  } else if (spec.stock > 0) {
    auto it = stock_cursors_.find(spec.stock);
    if (it == stock_cursors_.end()) {
      // Theme names first, the core cursor font when the theme has none.
      struct Stock {
        const char* name;
        unsigned shape;
      };
      static const Stock kStock[] = {{"left_ptr", XC_left_ptr},
                                     {"left_ptr", XC_left_ptr},
                                     {"crosshair", XC_crosshair},
                                     {"xterm", XC_xterm},
                                     {"watch", XC_watch},
                                     {"question_arrow", XC_question_arrow},
                                     {"left_ptr_watch", XC_watch},
                                     {"not-allowed", XC_X_cursor},
                                     {"fleur", XC_fleur},
                                     {"nesw-resize", XC_bottom_left_corner},
                                     {"sb_v_double_arrow", XC_sb_v_double_arrow},
                                     {"nwse-resize", XC_bottom_right_corner},
                                     {"sb_h_double_arrow", XC_sb_h_double_arrow},
                                     {"sb_up_arrow", XC_sb_up_arrow},
                                     {"hand2", XC_hand2}};
      int n = std::clamp(spec.stock, 0, int(std::size(kStock)) - 1);
      ::Cursor c = XcursorLibraryLoadCursor(dpy_, kStock[n].name);
      if (!c) c = XCreateFontCursor(dpy_, kStock[n].shape);
      it = stock_cursors_.emplace(spec.stock, c).first;
    }
    cursor = it->second;
  }
  XDefineCursor(dpy_, w->xid, cursor);
  XFlush(dpy_);
}

void X11Backend::SetShape(WindowId id, const std::vector<Rect>& spans) {
  XWindowRecord* w = Find(id);
  if (!w || w->spec.invisible) return;
  if (spans.empty()) {
    XShapeCombineMask(dpy_, w->xid, ShapeBounding, 0, 0, None, ShapeSet);
  } else {
    std::vector<XRectangle> rects;
    for (const Rect& r : spans)
      rects.push_back({short(r.x), short(r.y), (unsigned short)(r.w), (unsigned short)(r.h)});
    XShapeCombineRectangles(dpy_, w->xid, ShapeBounding, 0, 0, rects.data(), int(rects.size()),
                            ShapeSet, Unsorted);
  }
  XFlush(dpy_);
}

void X11Backend::BeginMoveDrag(WindowId id, Point p) {
  XWindowRecord* w = Find(id);
  if (!w || !has_wm_) return;
  // The window manager moves the window as if its caption had been pressed.
  ::Window child;
  int root_x, root_y;
  XTranslateCoordinates(dpy_, w->xid, conn_->root(), p.x, p.y, &root_x, &root_y, &child);
  XUngrabPointer(dpy_, CurrentTime);
  SendToRoot(w->xid, conn_->atoms().net_wm_moveresize, {root_x, root_y, 8 /* move */, Button1, 1});
  XFlush(dpy_);
}

void X11Backend::AnswerRequest(uint32_t token, int32_t answer) {
  auto it = requests_.find(token);
  if (it == requests_.end()) return;
  PendingRequest r = it->second;
  requests_.erase(it);
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = r.reply_to;
  e.xclient.message_type = conn_->atoms().answer;
  e.xclient.format = 32;
  e.xclient.data.l[0] = r.serial;
  e.xclient.data.l[1] = answer;
  XSendEvent(dpy_, r.reply_to, False, NoEventMask, &e);
  XFlush(dpy_);
}

bool X11Backend::WaitEvents() {
  XFlush(dpy_);
  // Blocks in poll() with no timeout: an idle program makes no system calls at all.
  while (!XPending(dpy_)) {
    pollfd pfd{ConnectionNumber(dpy_), POLLIN, 0};
    if (poll(&pfd, 1, -1) < 0 && errno != EINTR) return false;
  }
  while (XPending(dpy_)) {
    XEvent e;
    XNextEvent(dpy_, &e);
    HandleEvent(e);
  }
  // Exposures are presented once per batch.
  for (auto& [id, w] : windows_) {
    if (w.exposed.Empty()) continue;
    Rect r = w.exposed;
    w.exposed = {};
    sink_->OnExposed(id, r);
  }
  return true;
}

}  // namespace platform::x11
