// The connection to the X server: the display, the atoms the backend uses, error handling and
// the question whether a window manager is running.
#pragma once

#include <X11/Xlib.h>

#include <memory>

namespace platform::x11 {

struct Atoms {
  Atom wm_protocols, wm_delete_window, wm_state, wm_change_state, wm_transient_for,
      wm_client_machine, utf8_string, net_wm_name, net_wm_icon, net_wm_pid, net_wm_ping,
      net_wm_state, net_wm_state_skip_taskbar, net_wm_state_skip_pager, net_wm_state_above,
      net_wm_state_hidden, net_wm_state_maximized_vert, net_wm_state_maximized_horz,
      net_wm_window_type, net_wm_window_type_normal, net_wm_window_type_dialog, net_active_window,
      net_frame_extents, net_request_frame_extents, net_supporting_wm_check, net_wm_moveresize,
      motif_wm_hints, request, answer, disabled;
};

class Connection {
 public:
  // Nothing when no display can be opened.
  static std::unique_ptr<Connection> Open();
  ~Connection();

  Display* display() const { return display_; }
  int screen() const { return screen_; }
  ::Window root() const { return root_; }
  const Atoms& atoms() const { return atoms_; }
  // A window manager is running: it answers frame-extent requests and activation requests.
  bool HasWindowManager();

 private:
  explicit Connection(Display* d);
  Display* display_;
  int screen_;
  ::Window root_;
  Atoms atoms_;
};

}  // namespace platform::x11
