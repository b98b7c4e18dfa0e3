#include "platform/platform.h"

#include <cairo.h>

#include <algorithm>

#include "platform/metrics.h"

namespace platform {

struct Platform::Window {
  WindowId id = kNoWindow;
  bool top_level = false;
  bool alive = true;
  int depth = 0;  // calls into the handler now running
  bool visible = false;
  bool enabled = true;
  bool minimized = false;
  bool tab_stop = false;
  bool invisible = false;
  int32_t control_id = 0;
  WindowId parent = kNoWindow;
  WindowId owner = kNoWindow;
  WindowId focus = kNoWindow;      // top-level only: the focused window inside it
  std::vector<WindowId> children;  // top of the stacking order first
  Rect rect;     // top-level: outer rectangle on the screen; child: in the parent's client area
  Rect client;   // (0, 0, client size)
  int edge = 0;  // client edge width, painted by the core
  WindowStyle style;
  std::string title;
  std::shared_ptr<const Icons> icons;
  CursorSpec cursor;
  CursorSpec shown_cursor;  // top-level: the pointer the backend shows now
  std::unique_ptr<WindowHandler> handler;
  cairo_surface_t* backing = nullptr;  // top-level: client area plus client edge
  Rect damage;
};

Rect ClientRectFor(const WindowStyle& s, Rect outer) {
  int frame = s.frame == FrameKind::kNone    ? 0
              : s.frame == FrameKind::kFixed ? kFixedFrame
                                             : kSizableFrame;
  int caption = s.frame != FrameKind::kNone && s.caption
                    ? (s.tool_window ? kToolCaptionHeight : kCaptionHeight)
                    : 0;
  int edge = s.client_edge ? kClientEdge : 0;
  Rect c{outer.x + frame + edge, outer.y + frame + caption + edge, outer.w - 2 * (frame + edge),
         outer.h - 2 * (frame + edge) - caption};
  c.w = std::max(c.w, 0);
  c.h = std::max(c.h, 0);
  return c;
}

Platform::Platform(std::unique_ptr<Backend> backend) : backend_(std::move(backend)) {
  backend_->Attach(this);
}

Platform::~Platform() {
  // Owners go before the windows they own; Destroy takes owned windows along.
  while (!top_levels_.empty()) Destroy(top_levels_.back());
  for (auto& [id, w] : windows_)
    if (w->backing) cairo_surface_destroy(w->backing);
}

Platform::Window* Platform::Find(WindowId id) {
  auto it = windows_.find(id);
  return it == windows_.end() || !it->second->alive ? nullptr : it->second.get();
}

const Platform::Window* Platform::Find(WindowId id) const {
  auto it = windows_.find(id);
  return it == windows_.end() || !it->second->alive ? nullptr : it->second.get();
}

// ---- creation and destruction ----

WindowId Platform::CreateTopLevel(TopLevelSpec spec) {
  if (spec.owner != kNoWindow && !IsTopLevel(spec.owner)) return kNoWindow;
  auto w = std::make_unique<Window>();
  w->id = next_id_++;
  w->top_level = true;
  w->owner = spec.owner;
  w->rect = spec.outer;
  w->style = spec.style;
  w->invisible = spec.invisible;
  w->title = spec.title;
  w->icons = spec.icons;
  w->edge = spec.style.client_edge ? kClientEdge : 0;
  w->handler = spec.handler ? std::move(spec.handler) : std::make_unique<WindowHandler>();
  Rect c = ClientRectFor(spec.style, spec.outer);
  w->client = {0, 0, c.w, c.h};
  SurfaceSpec surface{spec.title,        spec.class_name, spec.style,     spec.outer,
                      c.Inset(-w->edge), spec.owner,      spec.invisible, spec.icons};
  if (!backend_->CreateSurface(w->id, surface)) return kNoWindow;
  WindowId id = w->id;
  if (!spec.invisible) ResizeBacking(w.get());
  windows_.emplace(id, std::move(w));
  top_levels_.push_back(id);
  Deliver(id, {.type = MessageType::kCreated, .window = id});
  return Exists(id) ? id : kNoWindow;
}

WindowId Platform::CreateChild(ChildSpec spec) {
  Window* parent = Find(spec.parent);
  if (!parent) return kNoWindow;
  auto w = std::make_unique<Window>();
  w->id = next_id_++;
  w->parent = spec.parent;
  w->rect = spec.rect;
  w->client = {0, 0, std::max(spec.rect.w, 0), std::max(spec.rect.h, 0)};
  w->enabled = !spec.disabled;
  w->tab_stop = spec.tab_stop;
  w->control_id = spec.control_id;
  w->handler = spec.handler ? std::move(spec.handler) : std::make_unique<WindowHandler>();
  WindowId id = w->id;
  parent->children.insert(parent->children.begin(), id);
  windows_.emplace(id, std::move(w));
  Deliver(id, {.type = MessageType::kCreated, .window = id});
  return Exists(id) ? id : kNoWindow;
}

bool Platform::Destroy(WindowId id) {
  if (!Find(id)) return false;
  DestroyTree(id, false);
  return true;
}

void Platform::DestroyTree(WindowId id, bool surface_gone) {
  Window* w = Find(id);
  if (!w) return;
  // Windows owned by this one go first, then this window's children, then the window itself.
  if (w->top_level) {
    std::vector<WindowId> owned;
    for (WindowId t : top_levels_)
      if (const Window* o = Find(t); o && o->owner == id) owned.push_back(t);
    for (WindowId t : owned) DestroyTree(t, false);
  }
  Deliver(id, {.type = MessageType::kDestroyed, .window = id});
  w = Find(id);
  if (!w) return;
  std::vector<WindowId> children = w->children;
  for (WindowId c : children) DestroyTree(c, false);
  w = Find(id);
  if (!w) return;

  w->alive = false;
  if (capture_ == id) capture_ = kNoWindow;
  if (active_ == id) active_ = kNoWindow;
  if (Window* p = Find(w->parent)) {
    std::erase(p->children, id);
    if (WindowId top = TopLevelOf(w->parent); Window* t = Find(top)) {
      if (t->focus == id) t->focus = kNoWindow;
    }
    Invalidate(w->parent, w->rect);
  }
  if (w->top_level) {
    std::erase(top_levels_, id);
    if (!surface_gone) backend_->DestroySurface(id);
  }
  std::erase_if(queue_, [id](const Message& m) { return m.window == id; });
  if (w->depth == 0) Release(w);
}

void Platform::Release(Window* w) {
  if (w->backing) cairo_surface_destroy(w->backing);
  windows_.erase(w->id);
}

int32_t Platform::Deliver(WindowId id, const Message& m) {
  auto it = windows_.find(id);
  if (it == windows_.end() || !it->second->alive) return 0;
  Window* w = it->second.get();
  ++w->depth;
  int32_t result = w->handler->OnMessage(*this, m);
  if (--w->depth == 0 && !w->alive) Release(w);
  return result;
}

// ---- queries ----

bool Platform::Exists(WindowId id) const { return Find(id) != nullptr; }
bool Platform::IsTopLevel(WindowId id) const {
  const Window* w = Find(id);
  return w && w->top_level;
}
bool Platform::IsVisible(WindowId id) const {
  const Window* w = Find(id);
  return w && w->visible;
}
bool Platform::IsEnabled(WindowId id) const {
  const Window* w = Find(id);
  return w && w->enabled;
}
bool Platform::IsMinimized(WindowId id) const {
  const Window* w = Find(id);
  return w && w->minimized;
}
WindowId Platform::Parent(WindowId id) const {
  const Window* w = Find(id);
  return w ? w->parent : kNoWindow;
}
WindowId Platform::Owner(WindowId id) const {
  const Window* w = Find(id);
  return w ? w->owner : kNoWindow;
}
WindowId Platform::TopLevelOf(WindowId id) const {
  const Window* w = Find(id);
  while (w && !w->top_level) w = Find(w->parent);
  return w ? w->id : kNoWindow;
}
int32_t Platform::ControlId(WindowId id) const {
  const Window* w = Find(id);
  return w ? w->control_id : 0;
}
bool Platform::IsTabStop(WindowId id) const {
  const Window* w = Find(id);
  return w && w->tab_stop;
}
WindowId Platform::ChildByControlId(WindowId parent, int32_t control_id) const {
  const Window* p = Find(parent);
  if (!p) return kNoWindow;
  for (WindowId c : p->children)
    if (const Window* w = Find(c); w && w->control_id == control_id) return c;
  return kNoWindow;
}
std::vector<WindowId> Platform::Children(WindowId id) const {
  const Window* w = Find(id);
  return w ? w->children : std::vector<WindowId>{};
}
std::vector<WindowId> Platform::TopLevels() const { return top_levels_; }
Rect Platform::OuterRect(WindowId top) const {
  const Window* w = Find(top);
  return w && w->top_level ? w->rect : Rect{};
}
Rect Platform::ClientRect(WindowId id) const {
  const Window* w = Find(id);
  return w ? w->client : Rect{};
}
Rect Platform::ChildRect(WindowId child) const {
  const Window* w = Find(child);
  return w && !w->top_level ? w->rect : Rect{};
}
const WindowStyle* Platform::Style(WindowId top) const {
  const Window* w = Find(top);
  return w && w->top_level ? &w->style : nullptr;
}
std::string Platform::Title(WindowId top) const {
  const Window* w = Find(top);
  return w ? w->title : std::string();
}

// ---- changes ----

bool Platform::Show(WindowId id, ShowMode mode) {
  Window* w = Find(id);
  if (!w || (w->invisible && mode != ShowMode::kHide)) return false;
  if (!w->top_level) {
    bool visible = mode != ShowMode::kHide;
    if (w->visible == visible) return true;
    w->visible = visible;
    if (!visible) {
      WindowId top = TopLevelOf(id);
      if (Window* t = Find(top); t && t->focus == id) SetFocus(top);
      if (capture_ == id) capture_ = kNoWindow;
    }
    Invalidate(w->parent, w->rect);
    Deliver(id, {.type = MessageType::kShown, .window = id, .code = visible});
    return true;
  }
  if (mode == ShowMode::kHide) {
    if (!w->visible) return true;
    w->visible = false;
    if (active_ == id) Deactivate(id);
    if (capture_ != kNoWindow && TopLevelOf(capture_) == id) capture_ = kNoWindow;
    backend_->Show(id, mode);
    Deliver(id, {.type = MessageType::kShown, .window = id, .code = 0});
    return true;
  }
  bool was_visible = w->visible;
  w->visible = true;
  w->minimized = mode == ShowMode::kMinimized;
  // Activation comes before the first frame, so that the frame already shows the focus where
  // it will be: nothing changes on the screen once the window has appeared.
  if ((mode == ShowMode::kNormal || mode == ShowMode::kMaximized || mode == ShowMode::kRestore) &&
      w->enabled) {
    SetActive(id);
    if (!(w = Find(id))) return false;
  }
  if (!was_visible) {
    // The first frame is complete before the window appears.
    w->damage = w->client.Inset(-w->edge).Translated(w->edge, w->edge);
    UpdateWindow(id);
  }
  backend_->Show(id, mode);
  if (!Find(id)) return false;
  if (!was_visible) Deliver(id, {.type = MessageType::kShown, .window = id, .code = 1});
  return Exists(id);
}

bool Platform::Enable(WindowId id, bool enabled) {
  Window* w = Find(id);
  if (!w) return false;
  if (w->enabled == enabled) return true;
  w->enabled = enabled;
  if (!enabled && capture_ != kNoWindow) {
    for (WindowId c = capture_; c != kNoWindow; c = Parent(c))
      if (c == id) capture_ = kNoWindow;
  }
  if (w->top_level) backend_->SetEnabled(id, enabled);
  Invalidate(id);
  Deliver(id, {.type = MessageType::kEnabled, .window = id, .code = enabled});
  return Exists(id);
}

bool Platform::Move(WindowId id, Rect r) {
  Window* w = Find(id);
  if (!w) return false;
  Rect old = w->rect;
  if (old == r) return true;
  w->rect = r;
  if (w->top_level) {
    Rect c = ClientRectFor(w->style, r);
    bool resized = c.w != w->client.w || c.h != w->client.h;
    w->client = {0, 0, c.w, c.h};
    if (resized && !w->invisible) ResizeBacking(w);
    backend_->Move(id, r, c.Inset(-w->edge));
  } else {
    w->client = {0, 0, std::max(r.w, 0), std::max(r.h, 0)};
    Invalidate(w->parent, old);
    Invalidate(w->parent, r);
  }
  if (old.x != r.x || old.y != r.y)
    Deliver(id, {.type = MessageType::kMoved, .window = id, .x = r.x, .y = r.y});
  if (Find(id) && (old.w != r.w || old.h != r.h))
    Deliver(id, {.type = MessageType::kResized, .window = id, .x = r.w, .y = r.h});
  return Exists(id);
}

bool Platform::PlaceBelow(WindowId child, WindowId above) {
  Window* w = Find(child);
  if (!w || w->top_level || child == above) return false;
  Window* p = Find(w->parent);
  if (!p) return false;
  auto& list = p->children;
  if (above != kNoWindow && std::find(list.begin(), list.end(), above) == list.end()) return false;
  std::erase(list, child);
  auto at = above == kNoWindow ? list.begin() : std::find(list.begin(), list.end(), above) + 1;
  list.insert(at, child);
  Invalidate(w->parent, w->rect);
  return true;
}

bool Platform::Activate(WindowId top) {
  Window* w = Find(top);
  if (!w || !w->top_level || !w->visible || !w->enabled || w->minimized) return false;
  backend_->Activate(top);
  SetActive(top);
  return true;
}

void Platform::SetActive(WindowId top) {
  if (active_ == top) return;
  if (active_ != kNoWindow) Deactivate(active_);
  Window* w = Find(top);
  if (!w) return;
  active_ = top;
  Deliver(top, {.type = MessageType::kActivated, .window = top});
  if (active_ != top || !(w = Find(top))) return;
  // The focus goes back where it was when the window was deactivated, else to the window.
  WindowId target = w->focus;
  if (!AcceptsInput(target) || !IsVisible(target) || TopLevelOf(target) != top) target = top;
  w->focus = target;
  Deliver(target, {.type = MessageType::kFocusGained, .window = target});
}

void Platform::Deactivate(WindowId top) {
  if (active_ != top) return;
  active_ = kNoWindow;
  if (const Window* w = Find(top); w && w->focus != kNoWindow)
    Deliver(w->focus, {.type = MessageType::kFocusLost, .window = w->focus});
  Deliver(top, {.type = MessageType::kDeactivated, .window = top});
}

bool Platform::SetFocus(WindowId id) {
  Window* w = Find(id);
  if (!w || !w->enabled) return false;
  WindowId top = TopLevelOf(id);
  Window* t = Find(top);
  if (!t) return false;
  if (t->focus == id) return true;
  WindowId old = t->focus;
  t->focus = id;
  if (active_ == top) {
    if (old != kNoWindow) Deliver(old, {.type = MessageType::kFocusLost, .window = old});
    if (Find(top) && Find(top)->focus == id)
      Deliver(id, {.type = MessageType::kFocusGained, .window = id});
  }
  return true;
}

WindowId Platform::FocusOf(WindowId top) const {
  const Window* t = Find(top);
  if (!t) return kNoWindow;
  return Find(t->focus) ? t->focus : top;
}

bool Platform::SetCapture(WindowId id) {
  if (!AcceptsInput(id)) return false;
  capture_ = id;
  return true;
}

void Platform::ReleaseCapture() { capture_ = kNoWindow; }

bool Platform::SetCursor(WindowId id, CursorSpec cursor) {
  Window* w = Find(id);
  if (!w) return false;
  w->cursor = std::move(cursor);
  return true;
}

bool Platform::SetShape(WindowId top, std::vector<Rect> spans) {
  if (!IsTopLevel(top)) return false;
  backend_->SetShape(top, spans);
  return true;
}

bool Platform::SetTitle(WindowId top, std::string title) {
  Window* w = Find(top);
  if (!w || !w->top_level) return false;
  w->title = title;
  backend_->SetTitle(top, title);
  return true;
}

bool Platform::SetIcons(WindowId top, std::shared_ptr<const Icons> icons) {
  Window* w = Find(top);
  if (!w || !w->top_level) return false;
  w->icons = icons;
  backend_->SetIcons(top, std::move(icons));
  return true;
}

bool Platform::BeginMoveDrag(WindowId top, Point p) {
  if (!IsTopLevel(top) || !AcceptsInput(top)) return false;
  capture_ = kNoWindow;
  backend_->BeginMoveDrag(top, p);
  return true;
}

// ---- painting ----

void Platform::ResizeBacking(Window* w) {
  if (w->backing) cairo_surface_destroy(w->backing);
  int width = std::max(w->client.w + 2 * w->edge, 1),
      height = std::max(w->client.h + 2 * w->edge, 1);
  w->backing = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  w->damage = {0, 0, width, height};
}

Point Platform::OffsetInTop(WindowId id) const {
  Point p;
  const Window* w = Find(id);
  while (w && !w->top_level) {
    p.x += w->rect.x;
    p.y += w->rect.y;
    w = Find(w->parent);
  }
  return p;
}

void Platform::Invalidate(WindowId id) {
  if (const Window* w = Find(id)) Invalidate(id, w->client);
}

void Platform::Invalidate(WindowId id, Rect r) {
  WindowId top = TopLevelOf(id);
  Window* t = Find(top);
  if (!t || !t->backing) return;
  Point o = OffsetInTop(id);
  Rect in_backing = r.Translated(o.x + t->edge, o.y + t->edge);
  t->damage = t->damage.Union(in_backing);
}

void Platform::PaintTree(WindowId id, cairo_surface_t* surface, Point origin, Rect clip) {
  // Children are painted after their parent, bottom of the stacking order first, each clipped
  // to its rectangle: what lies on top is painted last.
  Window* w = Find(id);
  if (!w) return;
  {
    Canvas canvas(surface, origin, clip.Translated(-origin.x, -origin.y).Intersect(w->client));
    ++w->depth;
    w->handler->Paint(*this, id, canvas);
    if (--w->depth == 0 && !w->alive) {
      Release(w);
      return;
    }
  }
  std::vector<WindowId> children = w->children;
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    const Window* c = Find(*it);
    if (!c || !c->visible) continue;
    Rect r = c->rect.Translated(origin.x, origin.y).Intersect(clip);
    if (r.Empty()) continue;
    PaintTree(*it, surface, {origin.x + c->rect.x, origin.y + c->rect.y}, r);
  }
}

void Platform::UpdateWindow(WindowId top) {
  Window* t = Find(top);
  if (!t || !t->top_level || !t->backing) return;
  Rect all{0, 0, cairo_image_surface_get_width(t->backing),
           cairo_image_surface_get_height(t->backing)};
  Rect damage = t->damage.Intersect(all);
  t->damage = {};
  if (damage.Empty()) return;
  if (t->edge) {
    Canvas edge(t->backing, {0, 0}, damage);
    edge.DrawEdge(all, Edge::kSunken);
  }
  Rect client_clip = damage.Intersect(all.Inset(t->edge));
  if (!client_clip.Empty()) {
    cairo_surface_t* surface = t->backing;
    cairo_surface_reference(surface);
    PaintTree(top, surface, {t->edge, t->edge}, client_clip);
    cairo_surface_flush(surface);
    if (Find(top) && t->visible) backend_->Present(top, surface, damage);
    cairo_surface_destroy(surface);
  }
}

void Platform::PaintPending() {
  std::vector<WindowId> tops = top_levels_;
  for (WindowId id : tops)
    if (const Window* w = Find(id); w && w->visible && !w->damage.Empty()) UpdateWindow(id);
}

std::optional<Image> Platform::CaptureClient(WindowId top) {
  Window* t = Find(top);
  if (!t || !t->backing) return std::nullopt;
  UpdateWindow(top);
  cairo_surface_flush(t->backing);
  Image image(t->client.w, t->client.h);
  const unsigned char* data = cairo_image_surface_get_data(t->backing);
  int stride = cairo_image_surface_get_stride(t->backing);
  for (int y = 0; y < image.height; ++y) {
    const auto* row =
        reinterpret_cast<const uint32_t*>(data + size_t(y + t->edge) * size_t(stride));
    for (int x = 0; x < image.width; ++x) image.At(x, y) = row[x + t->edge];
  }
  return image;
}

bool Platform::WritePng(WindowId top, const std::string& path) {
  Window* t = Find(top);
  if (!t || !t->backing) return false;
  UpdateWindow(top);
  return cairo_surface_write_to_png(t->backing, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

// ---- messages ----

int32_t Platform::Send(const Message& m) { return Deliver(m.window, m); }

void Platform::Post(const Message& m) { queue_.push_back(m); }

void Platform::PostQuit(int32_t code) {
  quit_pending_ = true;
  quit_code_ = code;
}

bool Platform::GetMessage(Message* m) {
  for (;;) {
    if (!queue_.empty()) {
      *m = queue_.front();
      queue_.pop_front();
      return true;
    }
    if (quit_pending_) {
      quit_pending_ = false;
      *m = {.type = MessageType::kQuit, .code = quit_code_};
      return false;
    }
    PaintPending();
    if (!queue_.empty() || quit_pending_) continue;
    if (!backend_->WaitEvents()) {
      *m = {.type = MessageType::kQuit, .code = 1};
      return false;
    }
  }
}

bool Platform::AcceptsInput(WindowId id) const {
  // A window takes input only while it and every window it lies in are enabled.
  const Window* w = Find(id);
  if (!w) return false;
  for (; w; w = w->top_level ? nullptr : Find(w->parent))
    if (!w->enabled) return false;
  return true;
}

void Platform::DispatchMessage(const Message& m) {
  switch (m.type) {
    case MessageType::kKeyDown:
    case MessageType::kKeyUp:
    case MessageType::kChar:
    case MessageType::kMouseDown:
    case MessageType::kMouseUp:
    case MessageType::kMouseDoubleClick:
    case MessageType::kMouseMove:
    case MessageType::kMouseWheel:
      if (!AcceptsInput(m.window)) return;
      if (m.type == MessageType::kKeyDown && key_hook_ && key_hook_(m)) return;
      Deliver(m.window, m);
      return;
    case MessageType::kRequest: {
      if (!Exists(m.window)) return;  // a request for nobody is not answered
      int32_t answer = Deliver(m.window, m);
      backend_->AnswerRequest(uint32_t(m.x), answer);
      return;
    }
    default:
      Deliver(m.window, m);
  }
}

// ---- input routing (BackendSink) ----

WindowId Platform::HitTest(WindowId top, Point p, Point* local) const {
  const Window* w = Find(top);
  if (!w || !w->client.Contains(p)) return kNoWindow;
  WindowId hit = top;
  Point at = p;
  for (bool descended = true; descended;) {
    descended = false;
    for (WindowId c : w->children) {
      const Window* cw = Find(c);
      if (cw && cw->visible && cw->rect.Contains(at)) {
        at = {at.x - cw->rect.x, at.y - cw->rect.y};
        hit = c;
        w = cw;
        descended = true;
        break;
      }
    }
  }
  *local = at;
  return hit;
}

void Platform::UpdateCursor(WindowId top, WindowId under) {
  Window* t = Find(top);
  if (!t) return;
  CursorSpec cursor;
  for (const Window* w = Find(under); w; w = w->top_level ? nullptr : Find(w->parent))
    if (w->cursor.stock != 0 || w->cursor.image) {
      cursor = w->cursor;
      break;
    }
  if (cursor == t->shown_cursor) return;
  t->shown_cursor = cursor;
  backend_->SetCursor(top, cursor);
}

void Platform::OnMouseButton(WindowId top, Point p, MouseButton b, bool down, bool double_click,
                             uint32_t modifiers) {
  Window* t = Find(top);
  if (!t || !t->top_level) return;
  if (!t->enabled) {
    // A click on a disabled window is an attempt to activate it.
    if (down && activation_hook_) activation_hook_(top);
    return;
  }
  Point local = p;
  WindowId target = kNoWindow;
  if (capture_ != kNoWindow && TopLevelOf(capture_) == top) {
    target = capture_;
    Point o = OffsetInTop(capture_);
    local = {p.x - o.x, p.y - o.y};
  } else {
    target = HitTest(top, p, &local);
  }
  if (target == kNoWindow) return;
  MessageType type = double_click ? MessageType::kMouseDoubleClick
                     : down       ? MessageType::kMouseDown
                                  : MessageType::kMouseUp;
  queue_.push_back({.type = type,
                    .window = target,
                    .x = local.x,
                    .y = local.y,
                    .code = int32_t(b),
                    .modifiers = modifiers});
}

void Platform::OnMouseMove(WindowId top, Point p, uint32_t modifiers) {
  const Window* t = Find(top);
  if (!t || !t->enabled) return;
  Point local = p;
  WindowId under = HitTest(top, p, &local);
  UpdateCursor(top, under);
  WindowId target = under;
  if (capture_ != kNoWindow && TopLevelOf(capture_) == top) {
    target = capture_;
    Point o = OffsetInTop(capture_);
    local = {p.x - o.x, p.y - o.y};
  }
  if (target == kNoWindow) return;
  // Moves coalesce: only the latest position of a run of moves matters.
  if (!queue_.empty() && queue_.back().type == MessageType::kMouseMove &&
      queue_.back().window == target)
    queue_.pop_back();
  queue_.push_back({.type = MessageType::kMouseMove,
                    .window = target,
                    .x = local.x,
                    .y = local.y,
                    .modifiers = modifiers});
}

void Platform::OnMouseWheel(WindowId top, Point p, int delta, uint32_t modifiers) {
  const Window* t = Find(top);
  if (!t || !t->enabled) return;
  WindowId target = FocusOf(top);
  queue_.push_back({.type = MessageType::kMouseWheel,
                    .window = target,
                    .x = p.x,
                    .y = p.y,
                    .code = delta,
                    .modifiers = modifiers});
}

void Platform::OnKey(WindowId top, int32_t key, bool down, uint32_t modifiers,
                     const std::string& text) {
  const Window* t = Find(top);
  if (!t || !t->top_level || !t->enabled) return;
  WindowId target = FocusOf(top);
  queue_.push_back({.type = down ? MessageType::kKeyDown : MessageType::kKeyUp,
                    .window = target,
                    .code = key,
                    .modifiers = modifiers});
  if (down && !text.empty() && !(modifiers & (kCtrl | kAlt))) {
    // The character a key types follows its key-down, as one code point.
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    char32_t cp = s[0];
    size_t n = s[0] >= 0xF0 ? 4 : s[0] >= 0xE0 ? 3 : s[0] >= 0xC0 ? 2 : 1;
    if (n > 1 && text.size() >= n) {
      cp = s[0] & (0x3F >> (n - 1));
      for (size_t i = 1; i < n; ++i) cp = (cp << 6) | (s[i] & 0x3F);
    }
    queue_.push_back({.type = MessageType::kChar,
                      .window = target,
                      .code = int32_t(cp),
                      .modifiers = modifiers});
  }
}

void Platform::OnActivated(WindowId top) {
  const Window* t = Find(top);
  if (!t || !t->top_level || !t->visible) return;
  if (!t->enabled) {
    if (activation_hook_) activation_hook_(top);
    return;
  }
  SetActive(top);
}

void Platform::OnDeactivated(WindowId top) { Deactivate(top); }

void Platform::OnCloseRequest(WindowId top) {
  const Window* t = Find(top);
  if (!t || !t->top_level) return;
  if (!t->enabled) {
    // A disabled window refuses to close; the attempt counts as activating it.
    if (activation_hook_) activation_hook_(top);
    return;
  }
  queue_.push_back({.type = MessageType::kCloseRequest, .window = top});
}

void Platform::OnMoved(WindowId top, Point origin) {
  Window* t = Find(top);
  if (!t || !t->top_level || (t->rect.x == origin.x && t->rect.y == origin.y)) return;
  t->rect.x = origin.x;
  t->rect.y = origin.y;
  queue_.push_back({.type = MessageType::kMoved, .window = top, .x = origin.x, .y = origin.y});
}

void Platform::OnMinimized(WindowId top, bool minimized) {
  Window* t = Find(top);
  if (!t || !t->top_level) return;
  t->minimized = minimized;
  if (minimized && active_ == top) Deactivate(top);
}

void Platform::OnExposed(WindowId top, Rect r) {
  Window* t = Find(top);
  if (!t || !t->backing) return;
  // The backing store is already complete: exposing only presents it again.
  backend_->Present(top, t->backing, r);
}

void Platform::OnDestroyedOutside(WindowId top) {
  if (IsTopLevel(top)) DestroyTree(top, true);
}

void Platform::OnRequest(WindowId top, int32_t control_id, int32_t a, int32_t b, uint32_t token) {
  if (!IsTopLevel(top)) return;
  WindowId target = control_id == 0 ? top : ChildByControlId(top, control_id);
  if (target == kNoWindow) return;
  queue_.push_back(
      {.type = MessageType::kRequest, .window = target, .x = int32_t(token), .arg0 = a, .arg1 = b});
}

}  // namespace platform
