#pragma once

#include "platform/UniqueResource_win32.h"

#include <windows.h>

namespace psm {

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type handle) noexcept { CloseHandle(handle); }
};

// A kernel handle (file, process, thread, pipe) that closes itself. get()
// stays for the callers written against the earlier std::unique_ptr.
class UniqueHandle : public UniqueResource<KernelHandleTraits> {
  public:
    using UniqueResource::UniqueResource;
    HANDLE get() const noexcept { return Get(); }
};

// Owns what CreateFileW returned; INVALID_HANDLE_VALUE becomes empty.
inline UniqueHandle OwnFileHandle(HANDLE handle) {
    return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

} // namespace psm
