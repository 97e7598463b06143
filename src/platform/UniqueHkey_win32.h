#pragma once

#include "platform/UniqueResource_win32.h"

#include <windows.h>

namespace psm {

struct HkeyTraits {
    using Type = HKEY;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type key) noexcept { RegCloseKey(key); }
};

// An open registry key, closed once.
using UniqueHkey = UniqueResource<HkeyTraits>;

} // namespace psm
