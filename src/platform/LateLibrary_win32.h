#pragma once

#include <windows.h>

namespace psm {

// A function of a system library that is loaded when the function is first
// wanted, not at every start of the program: the common dialogs and the
// shell bring many more libraries along. The library stays loaded, as a
// linked one would. Null when it cannot be found.
template <class Function>
Function LateFunction(const wchar_t* library, const char* name) {
    HMODULE module = LoadLibraryW(library);
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace psm
