#pragma once

#include "platform/UniqueResource_win32.h"

#include <windows.h>

namespace psm {

struct WindowTraits {
    using Type = HWND;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type window) noexcept { DestroyWindow(window); }
};

// A window created outside a bound window object (which destroys its own),
// destroyed once.
using UniqueWindow = UniqueResource<WindowTraits>;

} // namespace psm
