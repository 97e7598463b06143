#pragma once

// Owns one VARIANT and clears it with VariantClear (which frees a BSTR and
// releases an interface pointer it holds). The VARIANT is held by value:
// Put() hands out its address to be filled, Get() reads it.

#include "platform/UniqueResource_win32.h"

#include <ole2.h>

namespace psm::cad {

struct VariantTraits {
    using Type = VARIANT;
    static Type Invalid() noexcept {
        VARIANT empty{}; // whole, so that moving it copies no indeterminate bytes
        VariantInit(&empty);
        return empty;
    }
    static bool IsValid(const Type& variant) noexcept { return V_VT(&variant) != VT_EMPTY; }
    static void Close(Type& variant) noexcept { VariantClear(&variant); }
};

using UniqueVariant = UniqueResource<VariantTraits>;

inline VARTYPE VariantType(const UniqueVariant& variant) noexcept {
    return V_VT(&variant.Get());
}

} // namespace psm::cad
