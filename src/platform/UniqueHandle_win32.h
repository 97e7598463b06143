#pragma once

#include "platform/UniqueResource_win32.h"

#include <windows.h>

namespace psm {

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type handle) noexcept { CloseHandle(handle); }
};

// A kernel handle (file, process, thread, pipe) that closes itself.
using UniqueHandle = UniqueResource<KernelHandleTraits>;

// Owns what CreateFileW returned; INVALID_HANDLE_VALUE becomes empty.
inline UniqueHandle OwnFileHandle(HANDLE handle) {
    return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

} // namespace psm
