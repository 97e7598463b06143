#include "app/MessageFont_win32.h"

namespace psm {

UniqueFont CreateMessageFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
    }
    // 9 points, the usual message-box size, when the system tells nothing.
    LOGFONTW fallback{};
    fallback.lfHeight = -MulDiv(9, static_cast<int>(dpi), 72);
    fallback.lfWeight = FW_NORMAL;
    fallback.lfCharSet = DEFAULT_CHARSET;
    fallback.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(fallback.lfFaceName, L"Segoe UI", LF_FACESIZE);
    return UniqueFont(CreateFontIndirectW(&fallback));
}

void SetFontOnChildren(HWND parent, HFONT font) {
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM fontParameter) -> BOOL {
            SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(fontParameter), TRUE);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(font));
}

} // namespace psm
