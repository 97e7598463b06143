#pragma once

#include <memory>
#include <type_traits>
#include <windows.h>

namespace psm {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

// A kernel handle (file, process, event) that closes itself.
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// Owns what CreateFileW returned; INVALID_HANDLE_VALUE becomes empty.
inline UniqueHandle OwnFileHandle(HANDLE handle) {
    return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

} // namespace psm
