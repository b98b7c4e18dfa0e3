// The narrow interface between the platform core and a windowing system. A backend creates and
// shows top-level surfaces, sets their hints, presents pixels and turns native events into calls
// on the sink. Everything else (hit testing, focus, enable rules, stacking of children, the
// message queue) lives once, in the core.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/geometry.h"
#include "platform/image.h"
#include "platform/message.h"

typedef struct _cairo_surface cairo_surface_t;

namespace platform {

enum class FrameKind : uint8_t { kNone, kFixed, kSizable };

struct WindowStyle {
  FrameKind frame = FrameKind::kFixed;
  bool caption = true;       // a caption bar
  bool tool_window = false;  // small caption
  bool client_edge = false;  // sunken edge inside the frame
  bool system_menu = true;   // window menu, icon and close button on the caption
  bool minimize_box = true;
  bool maximize_box = false;
  bool movable = true;
  bool taskbar_button = true;
  bool topmost = false;
};

struct Icons {
  Image big;    // 32 x 32
  Image small;  // 16 x 16
};

// Stock pointers by number (0 is "the class's arrow"); custom ones carry a picture and hot spot.
struct CursorSpec {
  int stock = 0;
  std::shared_ptr<const Image> image;
  Point hot_spot;
  friend bool operator==(const CursorSpec& a, const CursorSpec& b) {
    return a.stock == b.stock && a.image == b.image && a.hot_spot == b.hot_spot;
  }
};

enum class ShowMode : uint8_t { kHide, kNormal, kNoActivate, kMinimized, kMaximized, kRestore };

// What a backend needs to create the native surface of a top-level window.
struct SurfaceSpec {
  std::string title;
  std::string class_name;
  WindowStyle style;
  Rect outer;   // the logical outer rectangle, platform metrics
  Rect client;  // the logical client rectangle on the screen (client edge included)
  WindowId owner = kNoWindow;
  bool invisible = false;  // never shown: only an owner for other windows
  std::shared_ptr<const Icons> icons;
};

// Calls a backend makes into the core as it translates native events. Coordinates are client
// coordinates of the top-level window.
class BackendSink {
 public:
  virtual ~BackendSink() = default;
  virtual void OnMouseButton(WindowId top, Point p, MouseButton b, bool down, bool double_click,
                             uint32_t modifiers) = 0;
  virtual void OnMouseMove(WindowId top, Point p, uint32_t modifiers) = 0;
  virtual void OnMouseWheel(WindowId top, Point p, int delta, uint32_t modifiers) = 0;
  // text: the UTF-8 character the key types, if any.
  virtual void OnKey(WindowId top, int32_t key, bool down, uint32_t modifiers,
                     const std::string& text) = 0;
  virtual void OnActivated(WindowId top) = 0;
  virtual void OnDeactivated(WindowId top) = 0;
  virtual void OnCloseRequest(WindowId top) = 0;
  virtual void OnMoved(WindowId top, Point outer_origin) = 0;
  virtual void OnMinimized(WindowId top, bool minimized) = 0;
  virtual void OnExposed(WindowId top, Rect r) = 0;
  virtual void OnDestroyedOutside(WindowId top) = 0;
  // A request from another process: answer it with Backend::AnswerRequest(token, ...).
  virtual void OnRequest(WindowId top, int32_t control_id, int32_t a, int32_t b,
                         uint32_t token) = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;
  virtual void Attach(BackendSink* sink) = 0;
  virtual Size ScreenSize() = 0;
  virtual int ScreenDepth() = 0;

  virtual bool CreateSurface(WindowId id, const SurfaceSpec& spec) = 0;
  virtual void DestroySurface(WindowId id) = 0;
  virtual void SetTitle(WindowId id, const std::string& title) = 0;
  virtual void SetIcons(WindowId id, std::shared_ptr<const Icons> icons) = 0;
  virtual void Show(WindowId id, ShowMode mode) = 0;
  virtual void Move(WindowId id, Rect outer, Rect client) = 0;
  virtual void Activate(WindowId id) = 0;
  virtual void SetEnabled(WindowId id, bool enabled) = 0;
  virtual void SetCursor(WindowId id, const CursorSpec& cursor) = 0;
  // Client-area spans that stay visible; empty means the whole rectangle.
  virtual void SetShape(WindowId id, const std::vector<Rect>& spans) = 0;
  virtual void BeginMoveDrag(WindowId id, Point client_point) = 0;
  virtual void Present(WindowId id, cairo_surface_t* backing, Rect damage) = 0;
  virtual void AnswerRequest(uint32_t token, int32_t answer) = 0;
  // Blocks until native events have been handled; false when no more can ever come (the
  // connection is gone, or a headless script has run out).
  virtual bool WaitEvents() = 0;
};

}  // namespace platform
