// The one place that chooses the backend for real use.
#pragma once

#include <memory>

#include "platform/backend.h"

namespace platform {

// The X11 backend on the display of $DISPLAY, or nothing when there is no display.
std::unique_ptr<Backend> OpenDefaultBackend();

}  // namespace platform
