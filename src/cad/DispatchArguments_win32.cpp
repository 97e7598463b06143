#include "cad/DispatchArguments_win32.h"

#include "cad/UniqueVariant_win32.h"
#include "cad/VariantConversion_win32.h"

namespace psm::cad {

Result<void> DispatchArguments::Assign(std::span<const Value> args) {
    return Fill(args, nullptr);
}

Result<void> DispatchArguments::AssignPut(std::span<const Value> args, const Value& value) {
    return Fill(args, &value);
}

Result<void> DispatchArguments::Fill(std::span<const Value> args, const Value* value) {
    Clear();
    m_variants.reserve(args.size() + (value != nullptr ? 1 : 0));
    if (value != nullptr) {
        auto converted = ToVariant(*value);
        if (!converted) {
            return converted.Error();
        }
        m_variants.push_back(converted.Value().Release());
        m_named = 1;
    }
    for (auto arg = args.rbegin(); arg != args.rend(); ++arg) {
        auto converted = ToVariant(*arg);
        if (!converted) {
            Clear();
            return converted.Error();
        }
        m_variants.push_back(converted.Value().Release());
    }
    return {};
}

DISPPARAMS* DispatchArguments::Params() noexcept {
    m_params.rgvarg = m_variants.empty() ? nullptr : m_variants.data();
    m_params.cArgs = static_cast<UINT>(m_variants.size());
    m_params.rgdispidNamedArgs = m_named != 0 ? &m_putId : nullptr;
    m_params.cNamedArgs = m_named;
    return &m_params;
}

void DispatchArguments::Clear() noexcept {
    for (VARIANT& variant : m_variants) {
        const UniqueVariant owned(variant); // cleared here, left empty behind
    }
    m_variants.clear();
    m_named = 0;
}

} // namespace psm::cad
