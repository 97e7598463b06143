#pragma once

#include "app/GdiHandles_win32.h"
#include "core/MainView.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace psm {

// A picture with straight (not premultiplied) alpha, top row first, each
// pixel 0xAARRGGBB.
struct Picture {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
};

// The sizes the button pictures exist in, in pixels, smallest first.
inline constexpr int PictureSizes[] = {24, 30, 36, 48};

// The largest picture size that fits the button at this DPI.
int PictureSizeForDpi(UINT dpi);

// Reads a bitmap resource: a BITMAPINFOHEADER and 32-bit BI_RGB pixels,
// bottom-up or top-down. Nothing for any other layout or a short block.
std::optional<Picture> DecodePicture(std::span<const std::byte> resource);

// The picture laid over an opaque background colour (0x00RRGGBB).
std::vector<uint32_t> ComposeOver(const Picture& picture, uint32_t background);

// The picture of a button for the DPI, composed over the button face colour,
// as a 24-bit bitmap; empty when the module holds no such picture.
UniqueBitmap LoadButtonPicture(HINSTANCE module, MainControl button, UINT dpi);

} // namespace psm
