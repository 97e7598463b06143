#pragma once

#include <utility>
#include <windows.h>

namespace psm {

// Owns an open registry key and closes it once.
class UniqueHkey {
  public:
    UniqueHkey() = default;
    explicit UniqueHkey(HKEY key) : m_key(key) {}
    ~UniqueHkey() { Reset(); }
    UniqueHkey(UniqueHkey&& other) noexcept : m_key(std::exchange(other.m_key, nullptr)) {}
    UniqueHkey& operator=(UniqueHkey&& other) noexcept {
        if (this != &other) {
            Reset();
            m_key = std::exchange(other.m_key, nullptr);
        }
        return *this;
    }
    UniqueHkey(const UniqueHkey&) = delete;
    UniqueHkey& operator=(const UniqueHkey&) = delete;

    HKEY Get() const { return m_key; }
    explicit operator bool() const { return m_key != nullptr; }

    // For the functions that open a key into an out parameter; closes the current one first.
    HKEY* Put() {
        Reset();
        return &m_key;
    }

    void Reset() {
        if (m_key != nullptr) {
            RegCloseKey(m_key);
            m_key = nullptr;
        }
    }

  private:
    HKEY m_key = nullptr;
};

} // namespace psm
