// The windowing layer: windows named by handles, their tree and stacking, showing, enabling,
// activation and focus, the message queue and its loop primitives, input routing and painting.
//
// To understand the layer, read this class: a backend (x11/ or headless/) turns native events into
// BackendSink calls, the core routes them to the right window as queued messages, GetMessage
// hands them out, DispatchMessage delivers them to the window's handler, and painting walks each
// top-level window's tree into its backing store before the backend presents it.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/backend.h"
#include "platform/canvas.h"

namespace platform {

class Platform;

// Receives the messages of one window and paints it. The platform owns it for exactly as long as
// the window exists, and keeps it alive while one of its own calls is running.
class WindowHandler {
 public:
  virtual ~WindowHandler() = default;
  // For key and mouse messages the result says whether the handler took the message.
  virtual int32_t OnMessage(Platform& /*platform*/, const Message& /*m*/) { return 0; }
  virtual void Paint(Platform& /*platform*/, WindowId /*id*/, Canvas& /*canvas*/) {}
};

struct TopLevelSpec {
  std::string title;
  std::string class_name;
  WindowStyle style;
  Rect outer;
  WindowId owner = kNoWindow;
  bool invisible = false;
  std::shared_ptr<const Icons> icons;
  std::unique_ptr<WindowHandler> handler;
};

struct ChildSpec {
  WindowId parent = kNoWindow;
  Rect rect;  // in the parent's client coordinates
  int32_t control_id = 0;
  bool disabled = false;
  bool tab_stop = false;
  std::unique_ptr<WindowHandler> handler;
};

// The client rectangle of a top-level window's outer rectangle under the platform metrics.
Rect ClientRectFor(const WindowStyle& style, Rect outer);

class Platform final : public BackendSink {
 public:
  explicit Platform(std::unique_ptr<Backend> backend);
  ~Platform() override;
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;

  Backend& backend() { return *backend_; }
  Size ScreenSize() { return backend_->ScreenSize(); }
  int ScreenDepth() { return backend_->ScreenDepth(); }

  // Creation and destruction. Windows are created hidden; a child goes on top of its siblings.
  WindowId CreateTopLevel(TopLevelSpec spec);
  WindowId CreateChild(ChildSpec spec);
  bool Destroy(WindowId id);

  // Queries; each is false, empty or kNoWindow for a window that does not exist.
  bool Exists(WindowId id) const;
  bool IsTopLevel(WindowId id) const;
  bool IsVisible(WindowId id) const;
  bool IsEnabled(WindowId id) const;
  bool IsMinimized(WindowId id) const;
  WindowId Parent(WindowId id) const;
  WindowId Owner(WindowId id) const;
  WindowId TopLevelOf(WindowId id) const;
  int32_t ControlId(WindowId id) const;
  bool IsTabStop(WindowId id) const;
  WindowId ChildByControlId(WindowId parent, int32_t control_id) const;
  std::vector<WindowId> Children(WindowId id) const;  // top of the stacking order first
  std::vector<WindowId> TopLevels() const;            // in creation order
  Rect OuterRect(WindowId top) const;                 // screen coordinates
  Rect ClientRect(WindowId id) const;                 // (0, 0, client size)
  Rect ChildRect(WindowId child) const;               // in the parent's client coordinates
  const WindowStyle* Style(WindowId top) const;
  std::string Title(WindowId top) const;

  // Changes. Each returns false when the window does not exist or the change is refused.
  bool Show(WindowId id, ShowMode mode);
  bool Enable(WindowId id, bool enabled);
  bool Move(WindowId id, Rect rect);
  // Places child directly beneath `above`, or on top of its siblings when `above` is kNoWindow.
  bool PlaceBelow(WindowId child, WindowId above);
  bool Activate(WindowId top);  // refused for hidden, minimised or disabled windows
  WindowId ActiveWindow() const { return active_; }
  bool SetFocus(WindowId id);
  WindowId FocusOf(WindowId top) const;  // the focused window inside top (top itself or a child)
  WindowId Focus() const { return FocusOf(active_); }
  bool SetCapture(WindowId id);
  void ReleaseCapture();
  WindowId Capture() const { return capture_; }
  bool SetCursor(WindowId id, CursorSpec cursor);
  bool SetShape(WindowId top, std::vector<Rect> client_spans);
  bool SetTitle(WindowId top, std::string title);
  bool SetIcons(WindowId top, std::shared_ptr<const Icons> icons);
  bool BeginMoveDrag(WindowId top, Point client_point);
  void Invalidate(WindowId id);
  void Invalidate(WindowId id, Rect r);  // r in id's client coordinates
  void UpdateWindow(WindowId top);       // paints and presents what is invalid now

  // The pixels of a top-level window's client area, as last painted.
  std::optional<Image> CaptureClient(WindowId top);
  bool WritePng(WindowId top, const std::string& path);

  // Messages. Send calls the handler at once; Post queues.
  int32_t Send(const Message& m);
  void Post(const Message& m);
  void PostQuit(int32_t exit_code);
  // Takes the next message, waiting with no timeout when there is none; false for the quit
  // message (m->code is its exit code) or when no input can ever come again (code 1).
  bool GetMessage(Message* m);
  void DispatchMessage(const Message& m);
  bool HasPendingMessages() const { return !queue_.empty() || quit_pending_; }

  // Sees every key press (key down) before the window it is addressed to; true consumes it.
  void SetKeyHook(std::function<bool(const Message&)> hook) { key_hook_ = std::move(hook); }
  // Called when a disabled top-level window is activated (by the user, the task bar, a click on
  // it or its close button); the layer above may bring another window forward.
  void SetActivationHook(std::function<void(WindowId)> hook) { activation_hook_ = std::move(hook); }

  // BackendSink
  void OnMouseButton(WindowId top, Point p, MouseButton b, bool down, bool double_click,
                     uint32_t modifiers) override;
  void OnMouseMove(WindowId top, Point p, uint32_t modifiers) override;
  void OnMouseWheel(WindowId top, Point p, int delta, uint32_t modifiers) override;
  void OnKey(WindowId top, int32_t key, bool down, uint32_t modifiers,
             const std::string& text) override;
  void OnActivated(WindowId top) override;
  void OnDeactivated(WindowId top) override;
  void OnCloseRequest(WindowId top) override;
  void OnMoved(WindowId top, Point outer_origin) override;
  void OnMinimized(WindowId top, bool minimized) override;
  void OnExposed(WindowId top, Rect r) override;
  void OnDestroyedOutside(WindowId top) override;
  void OnRequest(WindowId top, int32_t control_id, int32_t a, int32_t b, uint32_t token) override;

 private:
  struct Window;
  Window* Find(WindowId id);
  const Window* Find(WindowId id) const;
  int32_t Deliver(WindowId id, const Message& m);
  void Release(Window* w);
  void DestroyTree(WindowId id, bool surface_gone);
  void SetActive(WindowId top);
  void Deactivate(WindowId top);
  bool AcceptsInput(WindowId id) const;
  WindowId HitTest(WindowId top, Point p, Point* local) const;
  Point OffsetInTop(WindowId id) const;  // id's client origin in its top-level's client area
  void PaintTree(WindowId id, cairo_surface_t* surface, Point origin, Rect clip);
  void PaintPending();
  void UpdateCursor(WindowId top, WindowId under);
  void ResizeBacking(Window* w);

  std::unique_ptr<Backend> backend_;
  std::unordered_map<WindowId, std::unique_ptr<Window>> windows_;
  std::vector<WindowId> top_levels_;
  WindowId next_id_ = 1;
  WindowId active_ = kNoWindow;
  WindowId capture_ = kNoWindow;
  std::deque<Message> queue_;
  bool quit_pending_ = false;
  int32_t quit_code_ = 0;
  std::function<bool(const Message&)> key_hook_;
  std::function<void(WindowId)> activation_hook_;
};

}  // namespace platform
