#pragma once

// Owns one BSTR and frees it with SysFreeString.

#include "platform/UniqueResource_win32.h"

#include <ole2.h>
#include <string>
#include <string_view>

namespace psm::cad {

struct BstrTraits {
    using Type = BSTR;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type text) noexcept { SysFreeString(text); }
};

using UniqueBstr = UniqueResource<BstrTraits>;

// A BSTR holding the UTF-8 text as UTF-16; embedded NULs are kept. Null only
// when memory runs out (an empty text still gets a BSTR).
UniqueBstr BstrFromUtf8(std::string_view utf8);

// The text of any BSTR (also one not owned here) as UTF-8; empty for null.
std::string BstrToUtf8(BSTR bstr);

} // namespace psm::cad
