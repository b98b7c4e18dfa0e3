// Setting up text drawing: fontconfig, the one Pango context every canvas draws with, and the
// faces themselves. Reading the configuration and the font files takes tens of milliseconds, so
// the set-up runs on a thread of its own while the program opens the display and builds its first
// window; the first text drawn waits for it.
#pragma once

#include <string>
#include <vector>

#include "platform/font.h"

typedef struct _PangoContext PangoContext;
typedef struct _FcConfig FcConfig;

namespace platform {

// Starts the set-up for these fonts on another thread. Only the first call counts.
void StartTextSetUp(std::vector<Font> fonts);

// The shared context, once the set-up is complete (started for the default GUI font when
// nobody has started it). Rendering options are fixed, so that the same text gives the same
// pixels on every run and every machine with the same fonts.
PangoContext* TextContext();

// A new context with the fixed rendering options, over this fontconfig configuration (null: the
// current one).
PangoContext* NewTextContext(FcConfig* config);

// A fontconfig configuration that knows only the directory of the program's own faces, when
// every one of these families is there; null when one is missing or when the user has chosen a
// configuration through the environment (then the system's configuration holds).
FcConfig* NarrowedFontConfig(const std::vector<std::string>& families);

}  // namespace platform
