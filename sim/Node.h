#pragma once

// The simulated object model is made of nodes. Each node class describes its
// members in one table (interface, dispatch identifier, name, kind, argument
// types, handler); one generic entry point (Simulator::Invoke) resolves a call
// against that table, so the in-process handles and a COM server wrapper both
// see exactly the same program.

#include "cad/Automation.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace psm::sim {

class Simulator;

enum class InvokeKind { Get, Put, Call };

// The argument types a parameter accepts.
class TypeSet {
  public:
    constexpr TypeSet() = default;
    constexpr TypeSet(cad::ValueType type) : m_bits(Bit(type)) {}
    constexpr TypeSet operator|(TypeSet other) const { return TypeSet(m_bits | other.m_bits); }
    constexpr bool Has(cad::ValueType type) const { return (m_bits & Bit(type)) != 0; }
    constexpr bool IsEmpty() const { return m_bits == 0; }

  private:
    constexpr explicit TypeSet(uint32_t bits) : m_bits(bits) {}
    static constexpr uint32_t Bit(cad::ValueType type) { return 1u << static_cast<uint32_t>(type); }
    uint32_t m_bits = 0;
};

namespace type {
inline constexpr TypeSet Boolean = cad::ValueType::Boolean;
inline constexpr TypeSet Int16 = cad::ValueType::Int16;
inline constexpr TypeSet Int32 = cad::ValueType::Int32;
inline constexpr TypeSet Double = cad::ValueType::Double;
inline constexpr TypeSet Text = cad::ValueType::Text;
} // namespace type

class Node;

// What a handler is given.
struct Invocation {
    Simulator& Sim;
    std::span<const cad::Value> Args;
    const cad::Value* PutValue = nullptr; // puts only
};

using Handler = std::function<cad::Result<cad::Value>(Node& self, const Invocation& call)>;

struct MemberInfo {
    std::string Interface; // empty: reachable through every view of the object
    int32_t DispId = 0;
    std::string Name;
    InvokeKind Kind = InvokeKind::Get;
    std::vector<TypeSet> Params;
    TypeSet PutType; // puts only
    Handler Run;
};

// The member table of one node class and the interfaces it implements
// (plain IDispatch, the empty identifier, always).
struct ClassInfo {
    std::string Name;
    std::vector<std::string> Interfaces;
    std::vector<MemberInfo> Members;

    bool Implements(std::string_view interfaceId) const;
};

class Node : public std::enable_shared_from_this<Node> {
  public:
    explicit Node(std::string id) : m_id(std::move(id)) {}
    virtual ~Node() = default;
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    // A stable readable name for the call log, such as "doc:Part1.psm/Variables".
    const std::string& Id() const { return m_id; }
    virtual const ClassInfo& Class() const = 0;
    // True once the object is gone inside the program (its document closed).
    virtual bool Disconnected() const { return false; }

  private:
    std::string m_id;
};

using NodeRef = std::shared_ptr<Node>;

// Interface identifiers compare without regard to case.
bool SameInterface(std::string_view a, std::string_view b);
bool SameName(std::string_view a, std::string_view b);

// Joins texts. (GCC 12 warns falsely on "literal" + std::string when optimising.)
std::string Concat(std::initializer_list<std::string_view> parts);

// Helpers for the member tables.
cad::Failure Fail(int32_t code, std::string text);
cad::Result<cad::Value> ObjectValue(const Invocation& call, const NodeRef& node);

// Table rows: a property get, a property put, a method.
MemberInfo Getter(std::string_view interfaceId, int32_t dispId, std::string name,
                  std::vector<TypeSet> params, Handler run);
MemberInfo Putter(std::string_view interfaceId, int32_t dispId, std::string name, TypeSet type,
                  Handler run);
MemberInfo Method(std::string_view interfaceId, int32_t dispId, std::string name,
                  std::vector<TypeSet> params, Handler run);

// The 1-based index in the first argument, when it lies within 1..count.
cad::Result<std::size_t> ItemIndex(const Invocation& call, std::size_t count);

template <class T>
T& Self(Node& node) {
    return static_cast<T&>(node);
}

} // namespace psm::sim
