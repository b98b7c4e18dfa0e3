#include "platform/open_backend.h"

#include "platform/x11/x11_backend.h"

namespace platform {

std::unique_ptr<Backend> OpenDefaultBackend() { return x11::X11Backend::Open(); }

}  // namespace platform
