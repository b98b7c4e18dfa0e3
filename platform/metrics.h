// System metrics and colours. They are constants so that geometry and pixels never depend on
// the window manager or the desktop theme: a 586 x 474 window always has a 580 x 449 client area.
#pragma once

#include "platform/geometry.h"

namespace platform {

constexpr int kFixedFrame = 3;      // dialog frame, each side
constexpr int kSizableFrame = 4;    // resizable frame, each side
constexpr int kCaptionHeight = 19;  // caption bar
constexpr int kToolCaptionHeight = 16;
constexpr int kClientEdge = 2;  // sunken edge inside the frame

constexpr int kBigIconSize = 32;
constexpr int kSmallIconSize = 16;

constexpr Colour kButtonFace = Rgb(0xF0, 0xF0, 0xF0);
constexpr Colour kHighlight3D = Rgb(0xFF, 0xFF, 0xFF);
constexpr Colour kLight3D = Rgb(0xE3, 0xE3, 0xE3);
constexpr Colour kShadow3D = Rgb(0xA0, 0xA0, 0xA0);
constexpr Colour kDarkShadow3D = Rgb(0x69, 0x69, 0x69);
constexpr Colour kButtonText = Rgb(0, 0, 0);
constexpr Colour kWindowText = Rgb(0, 0, 0);
constexpr Colour kGrayText = Rgb(0x6D, 0x6D, 0x6D);
constexpr Colour kWindowFrame = Rgb(0x64, 0x64, 0x64);

// The default GUI font: a 12-pixel face that has every Chinese character the forms use.
constexpr const char* kDefaultGuiFace = "Noto Sans CJK SC";
constexpr int kDefaultGuiFontPixels = 12;

}  // namespace platform
