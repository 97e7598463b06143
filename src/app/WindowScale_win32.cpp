#include "app/WindowScale_win32.h"

#include "app/MessageFont_win32.h"
#include "app/Twips_win32.h"

namespace psm {

void WindowScale::Apply(HWND window, UINT dpi) {
    m_dpi = dpi;
    UniqueFont font = CreateMessageFont(dpi);
    SetFontOnChildren(window, font.Get());
    m_font = std::move(font);
}

int WindowScale::Pixels(int32_t twips) const {
    return TwipsToPixels(twips, m_dpi);
}

RECT WindowScale::PixelRect(const TwipsRect& twips) const {
    return TwipsToPixelRect(twips, m_dpi);
}

void MoveToSuggested(HWND window, LPARAM lParam, SIZE size) {
    const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE SuggestedSize(LPARAM lParam) {
    const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
    return SIZE{suggested.right - suggested.left, suggested.bottom - suggested.top};
}

} // namespace psm
