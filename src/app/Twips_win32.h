#pragma once

#include "core/MainView.h"

#include <windows.h>

namespace psm {

// The controls are designed in twips: 1440 per inch, 15 per pixel at 96 DPI.
constexpr UINT TwipsPerInch = 1440;

// Rounded to the nearest pixel or twip, halves away from zero.
int TwipsToPixels(int32_t twips, UINT dpi);
int32_t PixelsToTwips(int pixels, UINT dpi);

// Position and size converted one by one, as the design table gives them.
RECT TwipsToPixelRect(const TwipsRect& twips, UINT dpi);

} // namespace psm
