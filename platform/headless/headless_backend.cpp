#include "platform/headless/headless_backend.h"

namespace platform {

const HeadlessBackend::Record* HeadlessBackend::Find(WindowId id) const {
  auto it = windows_.find(id);
  return it == windows_.end() ? nullptr : &it->second;
}

std::vector<WindowId> HeadlessBackend::TaskBar() const {
  std::vector<WindowId> out;
  for (const auto& [id, r] : windows_)
    if (r.mapped && r.spec.owner == kNoWindow && r.spec.style.taskbar_button) out.push_back(id);
  return out;
}

bool HeadlessBackend::CreateSurface(WindowId id, const SurfaceSpec& spec) {
  windows_[id] = Record{spec, spec.outer};
  return true;
}

void HeadlessBackend::DestroySurface(WindowId id) {
  windows_.erase(id);
  if (wm_active_ == id) wm_active_ = kNoWindow;
}

void HeadlessBackend::SetTitle(WindowId id, const std::string& title) {
  if (auto it = windows_.find(id); it != windows_.end()) it->second.spec.title = title;
}

void HeadlessBackend::SetIcons(WindowId id, std::shared_ptr<const Icons> icons) {
  if (auto it = windows_.find(id); it != windows_.end()) it->second.spec.icons = std::move(icons);
}

void HeadlessBackend::Show(WindowId id, ShowMode mode) {
  auto it = windows_.find(id);
  if (it == windows_.end() || it->second.spec.invisible) return;
  Record& r = it->second;
  r.mapped = mode != ShowMode::kHide;
  r.minimized = mode == ShowMode::kMinimized;
  if (mode == ShowMode::kNormal || mode == ShowMode::kMaximized || mode == ShowMode::kRestore)
    wm_active_ = id;
  if ((mode == ShowMode::kHide || mode == ShowMode::kMinimized) && wm_active_ == id)
    wm_active_ = kNoWindow;
}

void HeadlessBackend::Move(WindowId id, Rect outer, Rect) {
  if (auto it = windows_.find(id); it != windows_.end()) it->second.outer = outer;
}

void HeadlessBackend::Activate(WindowId id) {
  auto it = windows_.find(id);
  if (it == windows_.end() || !it->second.mapped) return;
  it->second.minimized = false;  // activation brings a minimised window back
  wm_active_ = id;
}

void HeadlessBackend::SetEnabled(WindowId id, bool enabled) {
  if (auto it = windows_.find(id); it != windows_.end()) it->second.enabled = enabled;
}

void HeadlessBackend::SetCursor(WindowId id, const CursorSpec& cursor) {
  if (auto it = windows_.find(id); it != windows_.end()) it->second.cursor = cursor;
}

void HeadlessBackend::SetShape(WindowId id, const std::vector<Rect>& spans) {
  if (auto it = windows_.find(id); it != windows_.end()) it->second.shape = spans;
}

void HeadlessBackend::BeginMoveDrag(WindowId, Point) { ++move_drags; }

void HeadlessBackend::Present(WindowId id, cairo_surface_t*, Rect) {
  if (auto it = windows_.find(id); it != windows_.end()) ++it->second.presents;
}

void HeadlessBackend::AnswerRequest(uint32_t token, int32_t answer) {
  answers.emplace_back(token, answer);
}

bool HeadlessBackend::WaitEvents() {
  if (script_.empty()) return false;
  auto step = std::move(script_.front());
  script_.pop_front();
  step();
  return true;
}

void HeadlessBackend::MouseDown(WindowId top, Point p, MouseButton b) {
  // As under a window manager, a press on a window activates it first.
  ActivateFromTaskBar(top);
  sink_->OnMouseButton(top, p, b, true, false, 0);
}

void HeadlessBackend::MouseUp(WindowId top, Point p, MouseButton b) {
  sink_->OnMouseButton(top, p, b, false, false, 0);
}

void HeadlessBackend::MouseMove(WindowId top, Point p) { sink_->OnMouseMove(top, p, 0); }

void HeadlessBackend::Click(WindowId top, Point p, MouseButton b) {
  MouseMove(top, p);
  MouseDown(top, p, b);
  MouseUp(top, p, b);
}

void HeadlessBackend::KeyDown(int32_t key, uint32_t modifiers, std::string text) {
  if (wm_active_ != kNoWindow) sink_->OnKey(wm_active_, key, true, modifiers, text);
}

void HeadlessBackend::KeyUp(int32_t key, uint32_t modifiers) {
  if (wm_active_ != kNoWindow) sink_->OnKey(wm_active_, key, false, modifiers, {});
}

void HeadlessBackend::Key(int32_t key, uint32_t modifiers, std::string text) {
  KeyDown(key, modifiers, std::move(text));
  KeyUp(key, modifiers);
}

void HeadlessBackend::Close(WindowId top) { sink_->OnCloseRequest(top); }

void HeadlessBackend::ActivateFromTaskBar(WindowId top) {
  auto it = windows_.find(top);
  if (it == windows_.end() || !it->second.mapped) return;
  if (it->second.minimized) {
    it->second.minimized = false;
    sink_->OnMinimized(top, false);
  }
  if (wm_active_ != top && wm_active_ != kNoWindow) sink_->OnDeactivated(wm_active_);
  wm_active_ = top;
  sink_->OnActivated(top);
}

void HeadlessBackend::Minimize(WindowId top) {
  auto it = windows_.find(top);
  if (it == windows_.end() || !it->second.mapped) return;
  it->second.minimized = true;
  if (wm_active_ == top) wm_active_ = kNoWindow;
  sink_->OnMinimized(top, true);
}

void HeadlessBackend::DestroyFromOutside(WindowId top) {
  if (!windows_.erase(top)) return;
  if (wm_active_ == top) wm_active_ = kNoWindow;
  sink_->OnDestroyedOutside(top);
}

void HeadlessBackend::Request(WindowId top, int32_t control_id, int32_t a, int32_t b,
                              uint32_t token) {
  sink_->OnRequest(top, control_id, a, b, token);
}

}  // namespace platform
