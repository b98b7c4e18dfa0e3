// The backend for real use: one X window per top-level window, covering its client area; the
// window manager draws the frame and caption around it.
#pragma once

#include <X11/Xlib.h>

#include <map>
#include <memory>
#include <unordered_map>

#include "platform/backend.h"
#include "platform/x11/x11_connection.h"

namespace platform::x11 {

struct FrameExtents {
  int left = 0, right = 0, top = 0, bottom = 0;
};

struct XWindowRecord {
  ::Window xid = 0;
  SurfaceSpec spec;
  Rect outer;   // logical
  Rect client;  // logical client rectangle on the screen
  FrameExtents extents;
  bool extents_pending = false;  // asked of the window manager, not yet answered
  bool mapped = false;
  bool minimized = false;
  bool hiding = false;        // we asked for the unmap
  bool focus_on_map = false;  // no window manager: give ourselves the focus once mapped
  bool managed = false;       // a window manager has reparented it
  ::Cursor cursor = 0;
  Pixmap first_frame = 0;  // the pixels shown the moment the window maps
  Rect exposed;
};

class X11Backend : public Backend {
 public:
  // Nothing when there is no display.
  static std::unique_ptr<X11Backend> Open();
  ~X11Backend() override;

  void Attach(BackendSink* sink) override { sink_ = sink; }
  Size ScreenSize() override;
  int ScreenDepth() override;
  bool CreateSurface(WindowId id, const SurfaceSpec& spec) override;
  void DestroySurface(WindowId id) override;
  void SetTitle(WindowId id, const std::string& title) override;
  void SetIcons(WindowId id, std::shared_ptr<const Icons> icons) override;
  void Show(WindowId id, ShowMode mode) override;
  void Move(WindowId id, Rect outer, Rect client) override;
  void Activate(WindowId id) override;
  void SetEnabled(WindowId id, bool enabled) override;
  void SetCursor(WindowId id, const CursorSpec& cursor) override;
  void SetShape(WindowId id, const std::vector<Rect>& spans) override;
  void BeginMoveDrag(WindowId id, Point client_point) override;
  void Present(WindowId id, cairo_surface_t* backing, Rect damage) override;
  void AnswerRequest(uint32_t token, int32_t answer) override;
  bool WaitEvents() override;

 private:
  explicit X11Backend(std::unique_ptr<Connection> c);
  XWindowRecord* Find(WindowId id);
  WindowId IdOf(::Window xid) const;
  // x11_hints.cpp
  void SetAllHints(XWindowRecord& w);
  void SetTitleProperties(::Window xid, const std::string& title);
  void SetIconProperty(::Window xid, const Icons* icons);
  // The frame's size, asked of the window manager when the window is made and settled (waited
  // for, and the window placed by it) before anything needs it: mapping or moving.
  void AskFrameExtents(XWindowRecord& w);
  void SettleFrameExtents(XWindowRecord& w);
  Point FramePosition(const XWindowRecord& w) const;
  void SendActivation(::Window xid);
  void SendToRoot(::Window about, Atom type, std::initializer_list<long> data);
  // x11_events.cpp
  void HandleEvent(XEvent& e);
  void OnKeyEvent(XEvent& e);
  void OnButtonEvent(XEvent& e);
  void OnMotion(XEvent& e);
  void OnFocus(XEvent& e);
  void OnClientMessage(XEvent& e);
  void OnConfigure(XEvent& e);
  void OnMapping(XEvent& e);
  void OnExpose(XEvent& e);
  void OnDestroy(XEvent& e);
  void OnReparent(XEvent& e);

  std::unique_ptr<Connection> conn_;
  Display* dpy_;
  BackendSink* sink_ = nullptr;
  std::map<WindowId, XWindowRecord> windows_;
  std::unordered_map<::Window, WindowId> by_xid_;
  std::map<int, ::Cursor> stock_cursors_;
  struct PendingRequest {
    ::Window reply_to;
    long serial;
  };
  std::unordered_map<uint32_t, PendingRequest> requests_;
  uint32_t next_token_ = 1;
  bool has_wm_ = false;
  // Double clicks: the last press.
  Time last_press_time_ = 0;
  unsigned last_press_button_ = 0;
  Point last_press_pos_;
  ::Window last_press_window_ = 0;
};

}  // namespace platform::x11
