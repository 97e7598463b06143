#pragma once

// Owns one VARIANT and clears it with VariantClear (which frees a BSTR and
// releases an interface pointer it holds).

#include <cstring>
#include <ole2.h>

namespace psm::cad {

class UniqueVariant {
  public:
    UniqueVariant() noexcept { VariantInit(&m_variant); }
    ~UniqueVariant() { Reset(); }

    // Takes over the contents of `owned` and leaves it VT_EMPTY.
    explicit UniqueVariant(VARIANT& owned) noexcept {
        std::memcpy(&m_variant, &owned, sizeof(VARIANT));
        VariantInit(&owned);
    }

    UniqueVariant(UniqueVariant&& other) noexcept : UniqueVariant(other.m_variant) {}
    UniqueVariant& operator=(UniqueVariant&& other) noexcept {
        if (this != &other) {
            Reset();
            std::memcpy(&m_variant, &other.m_variant, sizeof(VARIANT));
            VariantInit(&other.m_variant);
        }
        return *this;
    }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;

    const VARIANT& Get() const noexcept { return m_variant; }
    VARIANT& Get() noexcept { return m_variant; }
    VARTYPE Type() const noexcept { return V_VT(&m_variant); }

    // Clears the current contents; for VARIANT out-parameters.
    VARIANT* ReleaseAndGetAddressOf() noexcept {
        Reset();
        return &m_variant;
    }

    // Gives up ownership: the caller must clear the returned VARIANT.
    VARIANT Detach() noexcept {
        VARIANT result;
        std::memcpy(&result, &m_variant, sizeof(VARIANT));
        VariantInit(&m_variant);
        return result;
    }

    void Reset() noexcept {
        VariantClear(&m_variant);
        VariantInit(&m_variant);
    }

  private:
    VARIANT m_variant;
};

} // namespace psm::cad
