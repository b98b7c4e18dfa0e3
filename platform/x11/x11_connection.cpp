#include "platform/x11/x11_connection.h"

#include <X11/Xatom.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace platform::x11 {
namespace {

// Errors are asynchronous and expected now and then (a reply to a window that has gone, a
// window destroyed by another program): they are ignored, never fatal.
extern "C" int OnXError(Display*, XErrorEvent*) { return 0; }

// A lost connection cannot be recovered from. Xlib would exit anyway; say why first, and leave
// without running exit handlers that would talk to the dead connection again.
extern "C" int OnXIoError(Display*) {
  static const char kMessage[] = "lanshaji-gifts: the connection to the X server was lost\n";
  ssize_t ignored = write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
  (void)ignored;
  _exit(1);
}

}  // namespace

std::unique_ptr<Connection> Connection::Open() {
  Display* d = XOpenDisplay(nullptr);
  if (!d) return nullptr;
  XSetErrorHandler(OnXError);
  XSetIOErrorHandler(OnXIoError);
  return std::unique_ptr<Connection>(new Connection(d));
}

Connection::Connection(Display* d)
    : display_(d), screen_(DefaultScreen(d)), root_(RootWindow(d, screen_)) {
  const char* names[] = {"WM_PROTOCOLS",
                         "WM_DELETE_WINDOW",
                         "WM_STATE",
                         "WM_CHANGE_STATE",
                         "WM_TRANSIENT_FOR",
                         "WM_CLIENT_MACHINE",
                         "UTF8_STRING",
                         "_NET_WM_NAME",
                         "_NET_WM_ICON",
                         "_NET_WM_PID",
                         "_NET_WM_PING",
                         "_NET_WM_STATE",
                         "_NET_WM_STATE_SKIP_TASKBAR",
                         "_NET_WM_STATE_SKIP_PAGER",
                         "_NET_WM_STATE_ABOVE",
                         "_NET_WM_STATE_HIDDEN",
                         "_NET_WM_STATE_MAXIMIZED_VERT",
                         "_NET_WM_STATE_MAXIMIZED_HORZ",
                         "_NET_WM_WINDOW_TYPE",
                         "_NET_WM_WINDOW_TYPE_NORMAL",
                         "_NET_WM_WINDOW_TYPE_DIALOG",
                         "_NET_ACTIVE_WINDOW",
                         "_NET_FRAME_EXTENTS",
                         "_NET_REQUEST_FRAME_EXTENTS",
                         "_NET_SUPPORTING_WM_CHECK",
                         "_NET_WM_MOVERESIZE",
                         "_MOTIF_WM_HINTS",
                         "_LANSHAJI_REQUEST",
                         "_LANSHAJI_ANSWER",
                         "_LANSHAJI_DISABLED"};
  constexpr int kCount = sizeof names / sizeof names[0];
  static_assert(kCount * sizeof(Atom) == sizeof(Atoms));
  // One round trip for all of them.
  XInternAtoms(d, const_cast<char**>(names), kCount, False, reinterpret_cast<Atom*>(&atoms_));
}

Connection::~Connection() { XCloseDisplay(display_); }

bool Connection::HasWindowManager() {
  auto check = [&](::Window w, ::Window* out) {
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = nullptr;
    bool ok = XGetWindowProperty(display_, w, atoms_.net_supporting_wm_check, 0, 1, False,
                                 XA_WINDOW, &type, &format, &n, &after, &data) == Success &&
              data && n == 1 && format == 32;
    if (ok) *out = ::Window(reinterpret_cast<unsigned long*>(data)[0]);
    if (data) XFree(data);
    return ok;
  };
  ::Window child = 0, self = 0;
  return check(root_, &child) && check(child, &self) && self == child;
}

}  // namespace platform::x11
