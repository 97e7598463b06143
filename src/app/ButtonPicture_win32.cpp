#include "app/ButtonPicture_win32.h"

#include "app/res/ResourceIds.h"

#include <cstring>

namespace psm {

int PictureSizeForDpi(UINT dpi) {
    // 24 pixels fill the 30-pixel button at 96 DPI but for its border.
    const int wanted = MulDiv(24, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    int chosen = PictureSizes[0];
    for (const int size : PictureSizes) {
        if (size <= wanted) {
            chosen = size;
        }
    }
    return chosen;
}

std::optional<Picture> DecodePicture(std::span<const std::byte> resource) {
    BITMAPINFOHEADER header{};
    if (resource.size() < sizeof header) {
        return std::nullopt;
    }
    std::memcpy(&header, resource.data(), sizeof header);
    const bool bottomUp = header.biHeight > 0;
    const int64_t width = header.biWidth;
    const int64_t height = bottomUp ? int64_t{header.biHeight} : -int64_t{header.biHeight};
    if (header.biSize < sizeof header || header.biBitCount != 32 ||
        header.biCompression != BI_RGB || header.biPlanes != 1 || width <= 0 || height <= 0 ||
        width > 1024 || height > 1024) {
        return std::nullopt;
    }
    const size_t pixelCount = static_cast<size_t>(width * height);
    if (resource.size() < header.biSize || resource.size() - header.biSize < pixelCount * 4) {
        return std::nullopt;
    }
    Picture picture;
    picture.Width = static_cast<int>(width);
    picture.Height = static_cast<int>(height);
    picture.Pixels.resize(pixelCount);
    const std::byte* bits = resource.data() + header.biSize;
    for (int64_t row = 0; row < height; ++row) {
        const int64_t sourceRow = bottomUp ? height - 1 - row : row;
        std::memcpy(picture.Pixels.data() + row * width, bits + sourceRow * width * 4,
                    static_cast<size_t>(width * 4));
    }
    return picture;
}

std::vector<uint32_t> ComposeOver(const Picture& picture, uint32_t background) {
    std::vector<uint32_t> result(picture.Pixels.size());
    for (size_t i = 0; i < picture.Pixels.size(); ++i) {
        const uint32_t pixel = picture.Pixels[i];
        const uint32_t alpha = pixel >> 24;
        uint32_t composed = 0;
        for (const int shift : {0, 8, 16}) {
            const uint32_t front = (pixel >> shift) & 0xFF;
            const uint32_t back = (background >> shift) & 0xFF;
            const uint32_t channel = (front * alpha + back * (255 - alpha) + 127) / 255;
            composed |= channel << shift;
        }
        result[i] = composed;
    }
    return result;
}

namespace {

std::optional<Picture> LoadPictureResource(HINSTANCE module, int id) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2) /*RT_BITMAP*/);
    if (found == nullptr) {
        return std::nullopt;
    }
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return std::nullopt;
    }
    return DecodePicture(
        std::span(static_cast<const std::byte*>(data), SizeofResource(module, found)));
}

UniqueBitmap CreateOpaqueBitmap(const Picture& picture, uint32_t background) {
    const std::vector<uint32_t> pixels = ComposeOver(picture, background);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.Width;
    info.bmiHeader.biHeight = -picture.Height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) {
        return {};
    }
    const size_t stride = (static_cast<size_t>(picture.Width) * 3 + 3) & ~size_t{3};
    auto* rows = static_cast<unsigned char*>(bits);
    for (int y = 0; y < picture.Height; ++y) {
        unsigned char* out = rows + static_cast<size_t>(y) * stride;
        for (int x = 0; x < picture.Width; ++x) {
            const uint32_t pixel = pixels[static_cast<size_t>(y * picture.Width + x)];
            *out++ = static_cast<unsigned char>(pixel & 0xFF);
            *out++ = static_cast<unsigned char>((pixel >> 8) & 0xFF);
            *out++ = static_cast<unsigned char>((pixel >> 16) & 0xFF);
        }
    }
    GdiFlush();
    return bitmap;
}

} // namespace

UniqueBitmap LoadButtonPicture(HINSTANCE module, MainControl button, UINT dpi) {
    const int size = PictureSizeForDpi(dpi);
    int sizeIndex = 0;
    while (PictureSizes[sizeIndex] != size) {
        ++sizeIndex;
    }
    const int id = IDB_PICTURES + 10 * static_cast<int>(button) + sizeIndex;
    const std::optional<Picture> picture = LoadPictureResource(module, id);
    if (!picture) {
        return {};
    }
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const uint32_t background =
        (uint32_t{GetRValue(face)} << 16) | (uint32_t{GetGValue(face)} << 8) | GetBValue(face);
    return CreateOpaqueBitmap(*picture, background);
}

} // namespace psm
