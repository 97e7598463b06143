#pragma once

// Owns one BSTR and frees it with SysFreeString.

#include <ole2.h>
#include <string>
#include <string_view>
#include <utility>

namespace psm::cad {

class UniqueBstr {
  public:
    UniqueBstr() = default;
    explicit UniqueBstr(BSTR owned) noexcept : m_bstr(owned) {}
    ~UniqueBstr() { Reset(); }

    UniqueBstr(UniqueBstr&& other) noexcept : m_bstr(other.Detach()) {}
    UniqueBstr& operator=(UniqueBstr&& other) noexcept {
        if (this != &other) {
            Reset(other.Detach());
        }
        return *this;
    }
    UniqueBstr(const UniqueBstr&) = delete;
    UniqueBstr& operator=(const UniqueBstr&) = delete;

    // A BSTR holding the UTF-8 text as UTF-16; embedded NULs are kept. Null
    // only when memory runs out (an empty text still gets a BSTR).
    static UniqueBstr FromUtf8(std::string_view utf8);

    BSTR Get() const noexcept { return m_bstr; }
    explicit operator bool() const noexcept { return m_bstr != nullptr; }

    // Frees the current string; for BSTR out-parameters.
    BSTR* ReleaseAndGetAddressOf() noexcept {
        Reset();
        return &m_bstr;
    }

    // Gives up ownership without freeing.
    BSTR Detach() noexcept { return std::exchange(m_bstr, nullptr); }

    void Reset(BSTR owned = nullptr) noexcept {
        const BSTR old = std::exchange(m_bstr, owned);
        if (old != nullptr) {
            SysFreeString(old);
        }
    }

    // Length in UTF-16 code units; 0 for null.
    UINT Length() const noexcept { return SysStringLen(m_bstr); }

    // The text as UTF-8; empty for null.
    std::string ToUtf8() const;

  private:
    BSTR m_bstr = nullptr;
};

// The text of any BSTR (also one not owned here) as UTF-8; empty for null.
std::string BstrToUtf8(BSTR bstr);

} // namespace psm::cad
