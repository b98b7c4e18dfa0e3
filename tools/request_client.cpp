// Sends the cross-process request to a control of a running lanshaji-gifts window and prints
// the answer:  lanshaji-request WINDOW CONTROL A B  (WINDOW an X window id, CONTROL the
// control's identifier, A and B the two integers). Exit 0 with the answer on standard output,
// 2 when no answer came within two seconds.
//   lanshaji-request --malformed WINDOW  sends requests that must be ignored: the wrong format,
// no reply window, a reply window that does not exist, a control that does not exist.
#include <X11/Xlib.h>
#include <poll.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string_view>

namespace {

void SendMalformed(Display* d, Window target) {
  const Atom request = XInternAtom(d, "_LANSHAJI_REQUEST", False);
  auto send = [&](int format, long control, long reply) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = target;
    e.xclient.message_type = request;
    e.xclient.format = format;
    e.xclient.data.l[0] = control;
    e.xclient.data.l[1] = 1;
    e.xclient.data.l[2] = 2;
    e.xclient.data.l[3] = reply;
    e.xclient.data.l[4] = 7;
    XSendEvent(d, target, False, NoEventMask, &e);
  };
  Window own = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
  send(8, 140, long(own));  // not format 32
  send(16, 140, long(own));
  send(32, 140, 0);             // nobody to answer
  send(32, 140, 0x7FFFFFF0);    // a reply window that does not exist
  send(32, 999999, long(own));  // no such control
  send(32, -1, long(own));
  XSync(d, False);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string_view(argv[1]) == "--malformed") {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return 1;
    SendMalformed(d, std::strtoul(argv[2], nullptr, 0));
    XCloseDisplay(d);
    return 0;
  }
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s WINDOW CONTROL A B\n", argv[0]);
    return 1;
  }
  Display* d = XOpenDisplay(nullptr);
  if (!d) {
    std::fprintf(stderr, "%s: cannot open the display\n", argv[0]);
    return 1;
  }
  const Window target = std::strtoul(argv[1], nullptr, 0);
  const long control = std::strtol(argv[2], nullptr, 0), a = std::strtol(argv[3], nullptr, 0),
             b = std::strtol(argv[4], nullptr, 0);
  const Atom request = XInternAtom(d, "_LANSHAJI_REQUEST", False);
  const Atom answer = XInternAtom(d, "_LANSHAJI_ANSWER", False);
  // A window of our own, never mapped, that receives the answer.
  Window reply = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
  const long serial = long(std::time(nullptr) & 0x7FFFFFFF);
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = target;
  e.xclient.message_type = request;
  e.xclient.format = 32;
  e.xclient.data.l[0] = control;
  e.xclient.data.l[1] = a;
  e.xclient.data.l[2] = b;
  e.xclient.data.l[3] = long(reply);
  e.xclient.data.l[4] = serial;
  XSendEvent(d, target, False, NoEventMask, &e);
  XFlush(d);
  for (int waited = 0; waited < 2000;) {
    while (XPending(d)) {
      XEvent in;
      XNextEvent(d, &in);
      if (in.type == ClientMessage && in.xclient.message_type == answer &&
          in.xclient.data.l[0] == serial) {
        std::printf("%d\n", int(in.xclient.data.l[1]));
        XCloseDisplay(d);
        return 0;
      }
    }
    pollfd p{ConnectionNumber(d), POLLIN, 0};
    poll(&p, 1, 50);
    waited += 50;
  }
  std::fprintf(stderr, "%s: no answer\n", argv[0]);
  XCloseDisplay(d);
  return 2;
}
