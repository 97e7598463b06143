#include "cad/UniqueBstr_win32.h"

#include "platform/Utf16_win32.h"

#include <climits>

namespace psm::cad {

UniqueBstr BstrFromUtf8(std::string_view utf8) {
    const std::wstring wide = Widen(utf8);
    if (wide.size() > UINT_MAX) {
        return UniqueBstr();
    }
    return UniqueBstr(SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size())));
}

std::string BstrToUtf8(BSTR bstr) {
    if (bstr == nullptr) {
        return {};
    }
    return Narrow(std::wstring_view(bstr, SysStringLen(bstr)));
}

} // namespace psm::cad
