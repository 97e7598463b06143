#pragma once

// The one owner of the system's handles: a handle (or a small value such as a
// VARIANT) closed exactly once, movable, never copied. A traits type says what
// is held and how it is closed:
//
//   struct Traits {
//       using Type = ...;
//       static Type Invalid() noexcept;            // the value owning nothing
//       static bool IsValid(const Type&) noexcept; // optional: else != Invalid()
//       static void Close(Type&) noexcept;         // frees a valid value
//   };

#include <type_traits>
#include <utility>

namespace psm {

template <class Traits>
class UniqueResource {
  public:
    using Type = typename Traits::Type;
    // Handles by value, a held structure by reference: a copy of it would
    // outlive the owner.
    using Access = std::conditional_t<std::is_scalar_v<Type>, Type, const Type&>;

    UniqueResource() noexcept = default;
    explicit UniqueResource(Type owned) noexcept requires std::is_scalar_v<Type> : m_value(owned) {}
    // Takes over a held structure and leaves the source owning nothing, so
    // that it cannot be closed twice.
    explicit UniqueResource(Type& owned) noexcept requires(!std::is_scalar_v<Type>)
        : m_value(std::exchange(owned, Traits::Invalid())) {}
    ~UniqueResource() { Reset(); }

    UniqueResource(UniqueResource&& other) noexcept : m_value(other.Release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) {
            Replace(other.Release());
        }
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    Access Get() const noexcept { return m_value; }
    explicit operator bool() const noexcept { return IsValid(m_value); }

    // For the functions that fill a handle into an out parameter: closes the
    // current one first.
    Type* Put() noexcept {
        Reset();
        return &m_value;
    }

    // Gives up ownership without closing; the caller closes what it gets.
    [[nodiscard]] Type Release() noexcept { return std::exchange(m_value, Traits::Invalid()); }

    // Closes the current value.
    void Reset() noexcept { Replace(Traits::Invalid()); }
    // Closes the current handle and owns `owned` instead.
    void Reset(Type owned) noexcept requires std::is_scalar_v<Type> { Replace(owned); }

  private:
    void Replace(Type owned) noexcept {
        Type old = std::exchange(m_value, owned);
        if (IsValid(old)) {
            Traits::Close(old);
        }
    }

    static bool IsValid(const Type& value) noexcept {
        if constexpr (requires { Traits::IsValid(value); }) {
            return Traits::IsValid(value);
        } else {
            return value != Traits::Invalid();
        }
    }

    Type m_value = Traits::Invalid();
};

} // namespace psm
