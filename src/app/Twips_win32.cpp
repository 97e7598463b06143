#include "app/Twips_win32.h"

namespace psm {
namespace {

int64_t DivideRounded(int64_t numerator, int64_t denominator) {
    const int64_t half = denominator / 2;
    return numerator >= 0 ? (numerator + half) / denominator : (numerator - half) / denominator;
}

} // namespace

int TwipsToPixels(int32_t twips, UINT dpi) {
    return static_cast<int>(DivideRounded(int64_t{twips} * dpi, TwipsPerInch));
}

int32_t PixelsToTwips(int pixels, UINT dpi) {
    if (dpi == 0) {
        return 0;
    }
    return static_cast<int32_t>(DivideRounded(int64_t{pixels} * TwipsPerInch, dpi));
}

RECT TwipsToPixelRect(const TwipsRect& twips, UINT dpi) {
    const int left = TwipsToPixels(twips.Left, dpi);
    const int top = TwipsToPixels(twips.Top, dpi);
    return RECT{left, top, left + TwipsToPixels(twips.Width, dpi),
                top + TwipsToPixels(twips.Height, dpi)};
}

} // namespace psm
