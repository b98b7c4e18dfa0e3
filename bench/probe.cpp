// Times a program from outside, as a person would see it:
//   probe start TITLE COMMAND...  starts COMMAND and prints the milliseconds from exec to the
//                                 window titled TITLE being mapped and to its pixels being final
//                                 (the first moment its image equals the image it settles on),
//                                 then the program's pid; the program is left running.
//   probe click TITLE X Y NEWTITLE  clicks (X, Y) in the window TITLE and prints the same two
//                                 times for the window NEWTITLE that the click opens.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

std::string TitleOf(Display* d, Window w) {
  XTextProperty p{};
  std::string out;
  if (XGetWMName(d, w, &p) && p.value) out.assign(reinterpret_cast<char*>(p.value), p.nitems);
  if (p.value) XFree(p.value);
  return out;
}

Window FindByTitle(Display* d, Window root, const std::string& title) {
  Window r, parent, *children = nullptr;
  unsigned n = 0;
  if (!XQueryTree(d, root, &r, &parent, &children, &n)) return 0;
  Window found = 0;
  for (unsigned i = 0; i < n && !found; ++i) {
    if (TitleOf(d, children[i]) == title)
      found = children[i];
    else
      found = FindByTitle(d, children[i], title);
  }
  if (children) XFree(children);
  return found;
}

uint64_t ImageHash(Display* d, Window w) {
  XWindowAttributes a;
  if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable) return 0;
  XImage* img = XGetImage(d, w, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
  if (!img) return 0;
  uint64_t h = 1469598103934665603ull;
  for (int y = 0; y < img->height; ++y) {
    const auto* row = reinterpret_cast<const unsigned char*>(img->data + y * img->bytes_per_line);
    for (int x = 0; x < img->width * 4; ++x) h = (h ^ row[x]) * 1099511628211ull;
  }
  XDestroyImage(img);
  return h;
}

// Waits for a window titled `title` to be mapped (watching the root's children as they come),
// then polls its image until it has not changed for 600 ms. Times are from t0.
bool Watch(Display* d, const std::string& title, Clock::time_point t0, double* map_ms,
           double* final_ms) {
  Window root = DefaultRootWindow(d), target = 0;
  auto deadline = Clock::now() + std::chrono::seconds(10);
  while (!target && Clock::now() < deadline) {
    while (XPending(d)) {
      XEvent e;
      XNextEvent(d, &e);
      if (e.type == CreateNotify)
        XSelectInput(d, e.xcreatewindow.window, StructureNotifyMask | PropertyChangeMask);
      if ((e.type == MapNotify || e.type == PropertyNotify) && TitleOf(d, e.xany.window) == title) {
        XWindowAttributes a;
        if (e.type == MapNotify ||
            (XGetWindowAttributes(d, e.xany.window, &a) && a.map_state == IsViewable)) {
          target = e.xany.window;
          *map_ms = Ms(t0, Clock::now());
          break;
        }
      }
    }
    if (!target) {
      pollfd p{ConnectionNumber(d), POLLIN, 0};
      poll(&p, 1, 1);
      if (Window w = FindByTitle(d, root, title)) {  // created before we listened
        XWindowAttributes a;
        if (XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable) {
          target = w;
          *map_ms = Ms(t0, Clock::now());
        } else {
          XSelectInput(d, w, StructureNotifyMask | PropertyChangeMask);
        }
      }
    }
  }
  if (!target) return false;
  // An image shows the window as it was when it was asked for: that moment is what counts.
  Clock::time_point changed = Clock::now();
  uint64_t last = ImageHash(d, target);
  while (Ms(changed, Clock::now()) < 600) {
    Clock::time_point asked = Clock::now();
    uint64_t h = ImageHash(d, target);
    if (h != last) {
      last = h;
      changed = asked;
    }
    usleep(500);
  }
  *final_ms = Ms(t0, changed);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: probe start TITLE COMMAND... | probe click TITLE X Y NEWTITLE\n");
    return 1;
  }
  Display* d = XOpenDisplay(nullptr);
  if (!d) return 1;
  XSetErrorHandler(IgnoreErrors);
  XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
  XSync(d, False);
  double map_ms = 0, final_ms = 0;
  if (std::strcmp(argv[1], "start") == 0 && argc >= 4) {
    Clock::time_point t0 = Clock::now();
    pid_t pid = fork();
    if (pid == 0) {
      // The program must not hold the probe's output open: whoever reads it waits for its end.
      int null = open("/dev/null", O_WRONLY);
      dup2(null, STDOUT_FILENO);
      close(null);
      execvp(argv[3], argv + 3);
      _exit(127);
    }
    if (!Watch(d, argv[2], t0, &map_ms, &final_ms)) return 2;
    std::printf("%.1f %.1f %d\n", map_ms, final_ms, int(pid));
    return 0;
  }
  if (std::strcmp(argv[1], "click") == 0 && argc == 6) {
    Window w = FindByTitle(d, DefaultRootWindow(d), argv[2]);
    if (!w) return 2;
    int rx, ry;
    Window child;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), std::atoi(argv[3]), std::atoi(argv[4]), &rx,
                          &ry, &child);
    XTestFakeMotionEvent(d, -1, rx, ry, CurrentTime);
    XSync(d, False);
    usleep(50000);
    Clock::time_point t0 = Clock::now();
    XTestFakeButtonEvent(d, 1, True, CurrentTime);
    XTestFakeButtonEvent(d, 1, False, CurrentTime);
    XFlush(d);
    if (!Watch(d, argv[5], t0, &map_ms, &final_ms)) return 2;
    std::printf("%.1f %.1f\n", map_ms, final_ms);
    return 0;
  }
  return 1;
}
