// The error message box: a window of its own with no owner, the error icon, the message and
// one OK button. It runs its own loop until dismissed. Without a display (platform is null) the
// message goes to standard error.
#pragma once

#include <string_view>

namespace platform {

class Platform;

void ShowErrorBox(Platform* platform, std::string_view title, std::string_view message);

}  // namespace platform
