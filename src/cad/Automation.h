#pragma once

// The late-bound automation layer: everything the program knows of the CAD
// program passes through these few types. Two implementations stand behind
// them: COM IDispatch on Windows, and the in-process simulator for tests.
// No exception crosses this layer; every call returns a value or a failure.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace psm::cad {

// A failed call: an HRESULT-like code and the text the server gave, if any.
struct Failure {
    int32_t Code = 0;
    std::string Text;
};

// Common failure codes (the COM values, so that both implementations agree).
namespace FailureCode {
inline constexpr int32_t Unexpected = static_cast<int32_t>(0x8000FFFF);
inline constexpr int32_t NoInterface = static_cast<int32_t>(0x80004002);
inline constexpr int32_t InvalidArgument = static_cast<int32_t>(0x80070057);
inline constexpr int32_t UnknownName = static_cast<int32_t>(0x80020006);
inline constexpr int32_t MemberNotFound = static_cast<int32_t>(0x80020003);
inline constexpr int32_t TypeMismatch = static_cast<int32_t>(0x80020005);
inline constexpr int32_t BadParamCount = static_cast<int32_t>(0x8002000E);
inline constexpr int32_t Overflow = static_cast<int32_t>(0x8002000A);
inline constexpr int32_t Exception = static_cast<int32_t>(0x80020009);
inline constexpr int32_t Unavailable = static_cast<int32_t>(0x800401E3); // nothing running
inline constexpr int32_t InvalidClassString = static_cast<int32_t>(0x800401F3);
// The program is busy and refused the call.
inline constexpr int32_t CallRejected = static_cast<int32_t>(0x80010001);
inline constexpr int32_t RetryLater = static_cast<int32_t>(0x8001010A);
// The program, or the object, is gone.
inline constexpr int32_t Disconnected = static_cast<int32_t>(0x80010108);
inline constexpr int32_t ServerUnavailable = static_cast<int32_t>(0x800706BA);
inline constexpr int32_t ServerDied = static_cast<int32_t>(0x80010007);
inline constexpr int32_t ServerDiedDne = static_cast<int32_t>(0x80010012);
inline constexpr int32_t NotConnected = static_cast<int32_t>(0x800401FD);
} // namespace FailureCode

// The program refused the call because it is busy: asking again later may succeed.
bool IsBusy(const Failure& failure);
// The program, or the object, is gone: asking again will not help.
bool IsGone(const Failure& failure);
// The call reached no program that could carry it out: busy, or gone.
bool IsOutOfReach(const Failure& failure);

// Either a T or a Failure.
template <class T>
class [[nodiscard]] Result {
  public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : m_state(std::in_place_index<1>, std::move(failure)) {}

    bool Ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return Ok(); }
    const T& Value() const& { return std::get<0>(m_state); }
    T& Value() & { return std::get<0>(m_state); }
    T&& Value() && { return std::get<0>(std::move(m_state)); }
    const Failure& Error() const { return std::get<1>(m_state); }

  private:
    std::variant<T, Failure> m_state;
};

template <>
class [[nodiscard]] Result<void> {
  public:
    Result() = default;
    Result(Failure failure) : m_failure(std::move(failure)) {}

    bool Ok() const { return !m_failure.has_value(); }
    explicit operator bool() const { return Ok(); }
    const Failure& Error() const { return *m_failure; }

  private:
    std::optional<Failure> m_failure;
};

class Object;
using ObjectRef = std::shared_ptr<Object>;

// An object's identity in the program: the address the innermost layer knows
// it by (the COM object's IUnknown, the simulator's node) and the run of the
// program that handed it out, for a layer whose addresses outlive a restart.
// Stable only while a reference to the object is held.
struct ObjectKey {
    const void* Address = nullptr;
    uint64_t Run = 0;
    friend bool operator==(const ObjectKey&, const ObjectKey&) = default;
};

struct ObjectKeyHash {
    std::size_t operator()(const ObjectKey& key) const noexcept {
        return std::hash<const void*>{}(key.Address) ^ (std::hash<uint64_t>{}(key.Run) << 1);
    }
};

// The automation value types the program uses. Argument types are part of the
// contract with the CAD program: Int16 travels as VT_I2, Int32 as VT_I4,
// Boolean as VARIANT_BOOL, Text as BSTR, Object as IDispatch.
enum class ValueType { Empty, Boolean, Int16, Int32, Double, Text, Object };

class Value {
  public:
    Value() = default;
    static Value Boolean(bool value) { return Value(Data(std::in_place_index<1>, value)); }
    static Value Int16(int16_t value) { return Value(Data(std::in_place_index<2>, value)); }
    static Value Int32(int32_t value) { return Value(Data(std::in_place_index<3>, value)); }
    static Value Double(double value) { return Value(Data(std::in_place_index<4>, value)); }
    static Value Text(std::string value) {
        return Value(Data(std::in_place_index<5>, std::move(value)));
    }
    static Value Object(ObjectRef value) {
        return Value(Data(std::in_place_index<6>, std::move(value)));
    }

    ValueType Type() const { return static_cast<ValueType>(m_data.index()); }
    bool IsEmpty() const { return m_data.index() == 0; }

    // Conversions as an assignment to a typed variable would make them: any
    // number converts to another numeric type when it fits (Int16/Int32 round
    // a double half to even), a Boolean is -1 or 0 as a number. Anything else
    // yields nothing.
    std::optional<bool> AsBoolean() const;
    std::optional<int16_t> AsInt16() const;
    std::optional<int32_t> AsInt32() const;
    std::optional<double> AsDouble() const;
    std::optional<std::string> AsText() const; // Text only
    ObjectRef AsObject() const;                // Object only, else null

    friend bool operator==(const Value&, const Value&) = default;

  private:
    using Data =
        std::variant<std::monostate, bool, int16_t, int32_t, double, std::string, ObjectRef>;
    explicit Value(Data data) : m_data(std::move(data)) {}
    Data m_data;
};

// A member addressed by name or by dispatch identifier.
struct Member {
    static Member ByName(std::string name) { return Member{std::move(name), 0}; }
    static Member ById(int32_t dispId) { return Member{{}, dispId}; }
    bool IsName() const { return !Name.empty(); }

    std::string Name;
    int32_t DispId = 0;
};

// An automation object, as seen through one interface (empty: plain IDispatch).
class Object {
  public:
    virtual ~Object() = default;

    // The interface identifier ("{XXXXXXXX-...}") this handle sees the object
    // through; empty for plain IDispatch.
    virtual std::string_view Interface() const = 0;

    // The same object seen through another interface (QueryInterface). Fails
    // when the object does not implement it.
    virtual Result<ObjectRef> As(std::string_view interfaceId) = 0;

    virtual Result<Value> Get(const Member& member, std::span<const Value> args) = 0;
    virtual Result<void> Put(const Member& member, std::span<const Value> args,
                             const Value& value) = 0;
    virtual Result<Value> Call(const Member& member, std::span<const Value> args) = 0;

    // What tells the object this handle reaches from every other while a
    // reference to it is held: equal for every handle of one object, through
    // whatever interface and however it was obtained, and cheap to hash, so
    // that many documents are found again in constant time. Asked of the
    // innermost layer; without a better way to tell, the handle itself.
    virtual ObjectKey Key() const { return ObjectKey{this, 0}; }

    // True when both handles reach the same object: the same key, whichever
    // layers (the busy retry, the trace) either was handed out through.
    bool IsSameObject(const Object& other) const {
        return Innermost().Key() == other.Innermost().Key();
    }

    // The handle of the innermost layer, the one that reaches the CAD
    // program, behind a layer's handle; this handle for that layer itself.
    virtual const Object& Innermost() const { return *this; }
};

// The key of the object a handle reaches, whichever layers wrap it; the empty
// key for no handle.
inline ObjectKey KeyOf(const ObjectRef& object) {
    return object ? object->Innermost().Key() : ObjectKey{};
}

// Both are there and reach the same object: a traced handle is the same as a
// plain one.
inline bool SameObject(const ObjectRef& a, const ObjectRef& b) {
    return a && b && KeyOf(a) == KeyOf(b);
}

// What the system's table of running programs holds for a ProgID. `Since`
// tells one registration from the next: a program started anew registers
// with another stamp.
struct Registration {
    bool Registered = false;
    int64_t Since = 0;
    friend bool operator==(const Registration&, const Registration&) = default;
};

// Attach to a running automation server; never starts one.
class Automation {
  public:
    virtual ~Automation() = default;
    virtual Result<ObjectRef> GetActiveObject(std::string_view progId) = 0;
    // Asks the system's table only, never the program itself: cheap enough
    // to ask every second, and answered also while the program is busy.
    virtual Result<Registration> RegistrationOf(std::string_view progId) = 0;
    // An object this automation (or the one it wraps) handed out earlier, as
    // it would hand it out now: a layer switched on since wraps it, one
    // switched off lets it go. `kind` says what the object is, for a layer
    // that tells objects apart.
    virtual ObjectRef Reissue(ObjectRef object, std::string_view kind) {
        (void)kind;
        return object;
    }
};

} // namespace psm::cad
