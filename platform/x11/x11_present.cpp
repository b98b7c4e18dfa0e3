// Copying the backing store to the screen.
#include <X11/Xutil.h>
#include <cairo.h>

#include "platform/x11/x11_backend.h"

namespace platform::x11 {

void X11Backend::Present(WindowId id, cairo_surface_t* backing, Rect damage) {
  XWindowRecord* w = Find(id);
  if (!w || w->spec.invisible) return;
  int width = cairo_image_surface_get_width(backing),
      height = cairo_image_surface_get_height(backing);
  Rect r = damage.Intersect({0, 0, width, height});
  if (r.Empty()) return;
  Visual* visual = DefaultVisual(dpy_, conn_->screen());
  int depth = DefaultDepth(dpy_, conn_->screen());
  // ARGB32 rows are exactly a 24- or 32-bit TrueColor ZPixmap on little-endian servers.
  XImage* image =
      XCreateImage(dpy_, visual, unsigned(depth), ZPixmap, 0,
                   reinterpret_cast<char*>(cairo_image_surface_get_data(backing)), unsigned(width),
                   unsigned(height), 32, cairo_image_surface_get_stride(backing));
  if (!image) return;
  GC gc = DefaultGC(dpy_, conn_->screen());
  if (!w->mapped) {
    // An unmapped window keeps no pixels. The first frame becomes the window's background, so
    // the server shows it complete the moment the window maps, with no round trip for Expose.
    if (!w->first_frame)
      w->first_frame =
          XCreatePixmap(dpy_, w->xid, unsigned(width), unsigned(height), unsigned(depth));
    XPutImage(dpy_, w->first_frame, gc, image, r.x, r.y, r.x, r.y, unsigned(r.w), unsigned(r.h));
    XSetWindowBackgroundPixmap(dpy_, w->xid, w->first_frame);
  } else {
    XPutImage(dpy_, w->xid, gc, image, r.x, r.y, r.x, r.y, unsigned(r.w), unsigned(r.h));
    if (w->first_frame) {
      // From now on the backing store answers every exposure: no stale background in between.
      XSetWindowBackgroundPixmap(dpy_, w->xid, None);
      XFreePixmap(dpy_, w->first_frame);
      w->first_frame = 0;
    }
  }
  image->data = nullptr;  // the pixels belong to the backing store
  XDestroyImage(image);
  XFlush(dpy_);
}

}  // namespace platform::x11
