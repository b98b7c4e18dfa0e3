// Building a window from its description: the window with its frame, caption, place, icon,
// owner and shape, then its controls in reverse stored order, stacked by stored order.
#include <cmath>

#include "platform/metrics.h"
#include "platform/picture/decode.h"
#include "runtime/shapes.h"
#include "runtime/units.h"

namespace runtime {

std::unique_ptr<platform::WindowHandler> MakeControlUnit(Runtime& rt, uint32_t number,
                                                         const Unit& unit) {
  switch (unit.kind) {
    case kLabelKind:
      return MakeLabelUnit(rt, number, unit);
    case kButtonKind:
      return MakeButtonUnit(rt, number, unit);
    default:
      return nullptr;
  }
}

namespace {

using platform::Rect;

platform::WindowStyle StyleOf(const Unit& own, bool owned) {
  // Frame and caption from the border style, the title and the control box.
  const int border = own.Int(window::kBorderStyle);
  const bool control_box = own.Int(window::kControlBox) != 0;
  platform::WindowStyle s;
  s.frame = border == 0                                   ? platform::FrameKind::kNone
            : (border == 1 || border == 3 || border == 5) ? platform::FrameKind::kSizable
                                                          : platform::FrameKind::kFixed;
  s.tool_window = border == 3 || border == 4;
  s.client_edge = border == 5 || border == 6;
  s.caption = border != 0 && (!own.Text(window::kTitle).empty() || control_box);
  s.system_menu = s.caption && control_box;
  s.minimize_box = s.system_menu && own.Int(window::kMinimizeButton) != 0;
  s.maximize_box = s.system_menu && own.Int(window::kMaximizeButton) != 0;
  s.movable = own.Int(window::kMovable) != 0;
  s.taskbar_button = !owned;
  s.topmost = own.Int(window::kAlwaysOnTop) != 0;
  return s;
}

Rect PlacementOf(const Unit& own, platform::Size screen) {
  const int w = own.Int(common::kWidth), h = own.Int(common::kHeight);
  if (own.Int(window::kStartPosition) == 1) return {(screen.w - w) / 2, (screen.h - h) / 2, w, h};
  return {own.Int(common::kLeft), own.Int(common::kTop), w, h};
}

std::shared_ptr<const platform::Icons> IconsOf(const Unit& own, const Bytes* default_icon) {
  const Bytes& own_icon = own.Data(window::kIcon);
  const Bytes* source = !own_icon.empty() ? &own_icon : default_icon;
  if (!source || source->empty()) return nullptr;
  auto big = platform::IconImageForSize(*source, platform::kBigIconSize);
  auto small = platform::IconImageForSize(*source, platform::kSmallIconSize);
  if (!big || !small) return nullptr;
  return std::make_shared<platform::Icons>(platform::Icons{std::move(*big), std::move(*small)});
}

platform::CursorSpec CursorOf(const Unit& unit) {
  platform::CursorSpec spec;
  const Value& v = unit.Setting(common::kMousePointer);
  if (std::holds_alternative<int32_t>(v)) {
    spec.stock = std::get<int32_t>(v);
    return spec;
  }
  const Bytes& file = std::get<Bytes>(v);
  auto images = platform::DecodeIconImages(file);
  if (images.empty()) return spec;
  spec.image = std::make_shared<platform::Image>(std::move(images.front()));
  // A cursor file keeps the hot spot of its first image where an icon keeps planes and depth.
  if (file.size() >= 10 && file[2] == 2)
    spec.hot_spot = {file[10] | file[11] << 8, file[12] | file[13] << 8};
  return spec;
}

}  // namespace

bool Runtime::Build(const FormDescription& form, platform::WindowId owner, bool explicit_owner) {
  platform::Platform& p = *platform_;
  const Unit& own = form.Own();
  const bool owned = owner != platform::kNoWindow;
  platform::TopLevelSpec spec{own.Text(window::kTitle), own.Text(window::kClassName),
                              StyleOf(own, owned), PlacementOf(own, p.ScreenSize()), owner};
  spec.icons = IconsOf(own, config_.default_icon);
  spec.handler = MakeWindowUnit(*this, form.window_number);
  platform::WindowId id = p.CreateTopLevel(std::move(spec));
  if (!id) return false;
  // The system may have chosen another size: the outer size is exactly the stored one.
  Rect outer = p.OuterRect(id);
  if (outer.w != own.Int(common::kWidth) || outer.h != own.Int(common::kHeight))
    p.Move(id, {outer.x, outer.y, own.Int(common::kWidth), own.Int(common::kHeight)});

  LoadedWindow& w = loaded_windows_[form.window_number];
  w = LoadedWindow{form.window_number, &form, id, explicit_owner};
  w.controls.assign(form.units.size(), platform::kNoWindow);
  w.controls[0] = id;

  // Controls from the last stored to the first, identifiers 100, 110, ... in that order.
  int32_t control_id = 100;
  for (size_t i = form.units.size() - 1; i >= 1; --i, control_id += 10) {
    const Unit& u = form.units[i];
    auto handler = MakeControlUnit(*this, form.window_number, u);
    platform::WindowId child = platform::kNoWindow;
    if (handler) {
      child = p.CreateChild({id,
                             {u.Int(common::kLeft), u.Int(common::kTop), u.Int(common::kWidth),
                              u.Int(common::kHeight)},
                             control_id,
                             u.Int(common::kDisabled) == 1,
                             u.takes_focus,
                             std::move(handler)});
    }
    if (!child) {
      p.Destroy(id);
      loaded_windows_.erase(form.window_number);
      return false;
    }
    loaded_windows_[form.window_number].controls[i] = child;
  }
  LoadedWindow& built = loaded_windows_[form.window_number];
  // Stored order is stacking order: the first stored on top, each next one beneath the last.
  for (size_t i = 1; i < form.units.size(); ++i)
    p.PlaceBelow(built.controls[i], i == 1 ? platform::kNoWindow : built.controls[i - 1]);
  for (size_t i = 0; i < form.units.size(); ++i)
    p.SetCursor(built.controls[i], CursorOf(form.units[i]));
  if (int shape = own.Int(window::kShape); shape != 0) {
    Rect outer_now = p.OuterRect(id);
    Rect client = platform::ClientRectFor(*p.Style(id), outer_now);
    p.SetShape(id, ShapeSpans(shape, outer_now.w, outer_now.h, outer_now.x - client.x,
                              outer_now.y - client.y));
  }
  for (size_t i = 1; i < form.units.size(); ++i)
    if (form.units[i].Int(common::kVisible) == 1)
      p.Show(built.controls[i], platform::ShowMode::kNoActivate);
  return true;
}

}  // namespace runtime
