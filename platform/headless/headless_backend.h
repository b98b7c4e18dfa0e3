// A backend without an X server, for tests. It keeps what a window manager and a task bar would
// show, lets a test inject input, and runs the test's script whenever the program waits for
// input; when the script is done, waiting ends the loop (GetMessage gives quit with code 1).
// It follows the same rules as the real backend: hidden windows are never active.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>

#include "platform/backend.h"

namespace platform {

class HeadlessBackend : public Backend {
 public:
  struct Record {
    SurfaceSpec spec;
    Rect outer;
    bool mapped = false;
    bool minimized = false;
    bool enabled = true;
    CursorSpec cursor;
    std::vector<Rect> shape;
    int presents = 0;
  };

  explicit HeadlessBackend(Size screen = {1280, 1024}, int depth = 24)
      : screen_(screen), depth_(depth) {}

  // What a window manager and task bar would show.
  const Record* Find(WindowId id) const;
  std::vector<WindowId> TaskBar() const;  // mapped, unowned windows with a task-bar button
  WindowId WmActive() const { return wm_active_; }
  std::vector<std::pair<uint32_t, int32_t>> answers;  // (token, answer) of answered requests

  // A step the program runs the next time it waits for input.
  void Then(std::function<void()> step) { script_.push_back(std::move(step)); }
  size_t StepsLeft() const { return script_.size(); }

  // Input as a person (or another program) would give it.
  void Click(WindowId top, Point client, MouseButton b = MouseButton::kLeft);
  void MouseDown(WindowId top, Point client, MouseButton b = MouseButton::kLeft);
  void MouseUp(WindowId top, Point client, MouseButton b = MouseButton::kLeft);
  void MouseMove(WindowId top, Point client);
  // A key typed into the window that has the focus (the window manager's active one).
  void Key(int32_t key, uint32_t modifiers = 0, std::string text = {});
  void KeyDown(int32_t key, uint32_t modifiers = 0, std::string text = {});
  void KeyUp(int32_t key, uint32_t modifiers = 0);
  void Close(WindowId top);                // the frame's close button
  void ActivateFromTaskBar(WindowId top);  // a task-bar click or an activation request
  void Minimize(WindowId top);
  void DestroyFromOutside(WindowId top);
  void Request(WindowId top, int32_t control_id, int32_t a, int32_t b, uint32_t token);

  // Backend
  void Attach(BackendSink* sink) override { sink_ = sink; }
  Size ScreenSize() override { return screen_; }
  int ScreenDepth() override { return depth_; }
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

  int move_drags = 0;

 private:
  Size screen_;
  int depth_;
  BackendSink* sink_ = nullptr;
  std::map<WindowId, Record> windows_;
  std::deque<std::function<void()>> script_;
  WindowId wm_active_ = kNoWindow;
};

}  // namespace platform
