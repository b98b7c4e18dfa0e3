#include "runtime/shapes.h"

#include <algorithm>
#include <cmath>

namespace runtime {
namespace {

using platform::Rect;

struct PointF {
  double x, y;
};

// The spans of a row of an ellipse centred in (x0, y0, w, h), as [left, right).
bool EllipseRow(double y, double x0, double y0, double w, double h, double* l, double* r) {
  double a = w / 2, b = h / 2, cy = y0 + b, cx = x0 + a;
  double t = (y + 0.5 - cy) / b;
  if (b <= 0 || a <= 0 || t * t > 1) return false;
  double half = a * std::sqrt(1 - t * t);
  *l = cx - half;
  *r = cx + half;
  return true;
}

// The fixed outlines: regular polygons with 3 to 28 corners on the 0..32767 grid, the first
// corner at the top.
std::vector<PointF> Outline(int shape) {
  const int corners = shape - 1;
  std::vector<PointF> points;
  for (int i = 0; i < corners; ++i) {
    double a = -M_PI / 2 + 2 * M_PI * i / corners;
    points.push_back({16383.5 + 16383.5 * std::cos(a), 16383.5 + 16383.5 * std::sin(a)});
  }
  return points;
}

void PolygonRow(const std::vector<PointF>& poly, double y, std::vector<double>* xs) {
  xs->clear();
  for (size_t i = 0; i < poly.size(); ++i) {
    PointF a = poly[i], b = poly[(i + 1) % poly.size()];
    if ((a.y <= y && b.y > y) || (b.y <= y && a.y > y))
      xs->push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
  }
  std::sort(xs->begin(), xs->end());
}

}  // namespace

std::vector<Rect> ShapeSpans(int shape, int w, int h, int dx, int dy) {
  std::vector<Rect> spans;
  if (shape <= 0 || shape > 29 || w <= 0 || h <= 0) return spans;
  auto add = [&](int y, double l, double r) {
    int left = int(std::lround(l)), right = int(std::lround(r));
    if (right > left) spans.push_back({left + dx, y + dy, right - left, 1});
  };
  std::vector<PointF> outline;
  if (shape >= 4) {
    for (PointF p : Outline(shape)) outline.push_back({p.x * w / 32767.0, p.y * h / 32767.0});
  }
  std::vector<double> xs;
  const int corner = std::min(w, h) / 5;
  for (int y = 0; y < h; ++y) {
    double l, r;
    switch (shape) {
      case 1:
        if (EllipseRow(y, 0, 0, w, h, &l, &r)) add(y, l, r);
        break;
      case 2: {
        // Straight sides with quarter ellipses of corner size in the corners.
        double inset = 0;
        double cy = y < corner / 2.0        ? corner / 2.0 - (y + 0.5)
                    : y >= h - corner / 2.0 ? (y + 0.5) - (h - corner / 2.0)
                                            : 0;
        if (cy > 0 && corner > 0) {
          double t = cy / (corner / 2.0);
          inset = corner / 2.0 * (1 - std::sqrt(std::max(0.0, 1 - t * t)));
        }
        add(y, inset, w - inset);
        break;
      }
      case 3: {
        if (!EllipseRow(y, 0, 0, w, h, &l, &r)) break;
        double il, ir;
        if (EllipseRow(y, w / 4.0, h / 4.0, w / 2.0, h / 2.0, &il, &ir)) {
          add(y, l, il);
          add(y, ir, r);
        } else {
          add(y, l, r);
        }
        break;
      }
      default:
        PolygonRow(outline, y + 0.5, &xs);
        for (size_t i = 0; i + 1 < xs.size(); i += 2) add(y, xs[i], xs[i + 1]);
        break;
    }
  }
  return spans;
}

}  // namespace runtime
