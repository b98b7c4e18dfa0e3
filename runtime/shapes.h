// Window shapes as spans of the client area: the ellipse, the rounded rectangle, the ring and a
// set of fixed outlines.
#pragma once

#include <vector>

#include "platform/geometry.h"

namespace runtime {

// The visible spans of a w x h window of the given shape (1 to 29), moved by (dx, dy) into the
// client area's coordinates. Empty for the plain rectangle.
std::vector<platform::Rect> ShapeSpans(int shape, int w, int h, int dx, int dy);

}  // namespace runtime
