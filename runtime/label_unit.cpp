// The label: an opaque box that draws its caption over a plain, gradient or pictured background,
// inside an optional border.
#include "platform/metrics.h"
#include "platform/picture/decode_ahead.h"
#include "runtime/gradient.h"
#include "runtime/units.h"

namespace runtime {
namespace {

using platform::Canvas;
using platform::Message;
using platform::MessageType;
using platform::Rect;

// Border styles 1 to 5 lie outside the text area; this is how much they take on each side.
int BorderWidth(int style) {
  switch (style) {
    case 1:
      return 2;  // sunken 3-D edge
    case 2:
      return 3;  // raised double frame
    case 3:
      return 1;  // thin sunken edge
    case 4:
      return 5;  // sunken edge inside a raised double frame
    case 5:
      return 1;  // single line
    default:
      return 0;
  }
}

void DrawBorder(Canvas& c, Rect r, int style) {
  switch (style) {
    case 1:
      c.DrawEdge(r, platform::Edge::kSunken);
      break;
    case 2:
      c.DrawEdge(r, platform::Edge::kRaised);
      c.DrawFrame(r.Inset(2), platform::kButtonFace);
      break;
    case 3:
      c.DrawEdge(r, platform::Edge::kThinSunken);
      break;
    case 4:
      c.DrawEdge(r, platform::Edge::kRaised);
      c.DrawFrame(r.Inset(2), platform::kButtonFace);
      c.DrawEdge(r.Inset(3), platform::Edge::kSunken);
      break;
    case 5:
      c.DrawFrame(r, platform::kWindowFrame);
      break;
    default:
      break;
  }
}

// Four bands along the inside of r, mitred at the corners: top and bottom run top to bottom,
// left and right run left to right, so colour 1 lies on the outer edge of the top and left bands
// and on the inner edge of the bottom and right ones.
void DrawGradientFrame(Canvas& c, Rect r, int width, const std::vector<uint32_t>& colours,
                       Rect label) {
  const int band_h = std::min(width, label.h / 2), band_w = std::min(width, label.w / 2);
  c.FillPixels(r, [&](int x, int y) -> uint32_t {
    const int top = y - r.y, bottom = r.Bottom() - 1 - y, left = x - r.x, right = r.Right() - 1 - x;
    const int vertical = std::min(top, bottom), horizontal = std::min(left, right);
    const bool in_top_bottom = vertical < band_h, in_sides = horizontal < band_w;
    if (in_top_bottom && (!in_sides || vertical <= horizontal)) {
      int pos = top < band_h ? top : band_h - 1 - bottom;
      return GradientColour(1, r.w, band_h, 0, pos, colours);
    }
    if (in_sides) {
      int pos = left < band_w ? left : band_w - 1 - right;
      return GradientColour(2, band_w, r.h, pos, 0, colours);
    }
    return 0;  // inside the bands: the background paints over it
  });
}

class LabelUnit : public platform::WindowHandler {
 public:
  LabelUnit(Runtime& rt, uint32_t number, const Unit& unit)
      : rt_(rt),
        number_(number),
        unit_(unit),
        font_(FontOf(unit.Data(label::kFont))),
        picture_(unit.Data(label::kBackgroundPicture)) {}

  int32_t OnMessage(platform::Platform& p, const Message& m) override {
    switch (m.type) {
      case MessageType::kRequest: {
        if (!rt_.Loaded(number_)) return 0;
        EventNotice n{number_, unit_.number, event::kRequest, 2, {m.arg0, m.arg1}};
        rt_.RaiseEvent(n);
        return n.result_present ? n.result : 0;
      }
      case MessageType::kMouseDown: {
        if (RaiseCommonEvent(rt_, number_, unit_.number, m)) return 1;
        const LoadedWindow* w = rt_.Loaded(number_);
        if (w && m.code == int32_t(platform::MouseButton::kLeft) &&
            w->form->Own().Int(window::kDragAnywhere) == 1) {
          Rect r = p.ChildRect(m.window);
          p.BeginMoveDrag(w->id, {r.x + m.x, r.y + m.y});
        }
        return 1;
      }
      default:
        return RaiseCommonEvent(rt_, number_, unit_.number, m);
    }
  }

  void Paint(platform::Platform& p, platform::WindowId id, Canvas& c) override {
    const Rect label = p.ClientRect(id);
    const int style = unit_.Int(label::kBorderStyle);
    DrawBorder(c, label, style);
    Rect r = label.Inset(BorderWidth(style));
    if (r.Empty()) return;

    if (style == 6) {
      const int width = unit_.Int(label::kFrameWidth);
      auto colours =
          UsableColours({unit_.Colour(label::kFrameColour1), unit_.Colour(label::kFrameColour2),
                         unit_.Colour(label::kFrameColour3)});
      if (width > 0 && colours.size() >= 2) {
        DrawGradientFrame(c, r, width, colours, label);
        r = r.Inset(width);
        if (r.Empty()) return;
      }
    }
    DrawBackground(c, r);
    DrawCaption(c, r);
  }

 private:
  void DrawBackground(Canvas& c, Rect r) {
    uint32_t colour = unit_.Colour(label::kBackgroundColour);
    if (colour == kDefaultColour) colour = platform::kButtonFace;
    if (const platform::Image* picture = picture_.Get()) {
      const platform::Image& pic = *picture;
      const int layout = unit_.Int(label::kPictureLayout);
      if (layout != 1) c.FillRect(r, colour);
      if (layout == 0) {
        c.DrawImage(pic, {r.x, r.y, pic.width, pic.height});
      } else if (layout == 1) {
        for (int y = r.y; y < r.Bottom(); y += pic.height)
          for (int x = r.x; x < r.Right(); x += pic.width)
            c.DrawImage(pic, {x, y, pic.width, pic.height});
      } else if (layout == 2) {
        // Shrunk to fit keeping the aspect ratio, never enlarged, centred.
        double s = std::min({1.0, double(r.w) / pic.width, double(r.h) / pic.height});
        int w = std::max(1, int(pic.width * s)), h = std::max(1, int(pic.height * s));
        c.DrawImage(pic, {r.x + (r.w - w) / 2, r.y + (r.h - h) / 2, w, h});
      }
      return;
    }
    const int direction = unit_.Int(label::kGradient);
    auto colours =
        UsableColours({unit_.Colour(label::kGradientColour1), unit_.Colour(label::kGradientColour2),
                       unit_.Colour(label::kGradientColour3)});
    if (direction >= 1 && direction <= 8 && colours.size() >= 2) {
      c.FillPixels(r, [&](int x, int y) {
        return GradientColour(direction, r.w, r.h, x - r.x, y - r.y, colours);
      });
      return;
    }
    c.FillRect(r, colour);
  }

  void DrawCaption(Canvas& c, Rect r) {
    const std::string& caption = unit_.Text(label::kCaption);
    if (caption.empty()) return;
    const int h = unit_.Int(label::kHAlign), v = unit_.Int(label::kVAlign);
    const bool wrap = unit_.Int(label::kWordWrap) == 1;
    platform::TextFormat f;
    f.h = h == 1   ? platform::HAlign::kCenter
          : h == 2 ? platform::HAlign::kRight
                   : platform::HAlign::kLeft;
    f.v = wrap     ? platform::VAlign::kTop
          : v == 1 ? platform::VAlign::kCenter
          : v == 2 ? platform::VAlign::kBottom
                   : platform::VAlign::kTop;
    f.word_wrap = wrap;
    const uint32_t white = 0x00FFFFFF, black = 0;
    switch (unit_.Int(label::kTextEffect)) {
      case 1:  // engraved
        c.DrawText(caption, r.Translated(1, 1), font_, white, f, &r);
        break;
      case 2:  // embossed: the white copy in place, the caption itself moved
        c.DrawText(caption, r, font_, white, f, &r);
        c.DrawText(caption, r.Translated(1, 1), font_, unit_.Colour(label::kTextColour), f, &r);
        return;
      case 3:  // shadow
        c.DrawText(caption, r.Translated(2, 2), font_, black, f, &r);
        break;
      default:
        break;
    }
    c.DrawText(caption, r, font_, unit_.Colour(label::kTextColour), f, &r);
  }

  Runtime& rt_;
  uint32_t number_;
  const Unit& unit_;
  platform::Font font_;
  platform::PictureAhead picture_;  // decoding from the moment the label is built
};

}  // namespace

std::unique_ptr<platform::WindowHandler> MakeLabelUnit(Runtime& rt, uint32_t number,
                                                       const Unit& unit) {
  return std::make_unique<LabelUnit>(rt, number, unit);
}

}  // namespace runtime
