#pragma once

#include "platform/UniqueResource_win32.h"

#include <windows.h>

namespace psm {

// Owning handles for the few GDI and USER objects the shell creates.
template <class Handle>
struct GdiObjectTraits {
    using Type = Handle;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type object) noexcept { DeleteObject(object); }
};
struct MenuTraits {
    using Type = HMENU;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type menu) noexcept { DestroyMenu(menu); }
};
struct IconTraits {
    using Type = HICON;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type icon) noexcept { DestroyIcon(icon); }
};

using UniqueFont = UniqueResource<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueResource<GdiObjectTraits<HBITMAP>>;
using UniqueMenu = UniqueResource<MenuTraits>;
using UniqueIcon = UniqueResource<IconTraits>;

} // namespace psm
