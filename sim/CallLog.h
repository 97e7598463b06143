#pragma once

// The simulator's record of every call it received, in order: which object,
// through which interface, which member, the arguments with their types, and
// the outcome. Tests read it to pin call sequences; the same matcher selects
// calls for fault injection.

#include "cad/Automation.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace psm::sim {

enum class CallKind { Attach, As, Get, Put, Call };

struct CallRecord {
    std::size_t Position = 0;
    CallKind Kind = CallKind::Get;
    std::string Object;    // node id; empty for an attach
    std::string Interface; // the interface the handle was seen through
    bool ByName = false;   // member addressed by name (Get/Put/Call)
    // Get/Put/Call: the member's name (as called, or resolved from the
    // dispatch identifier); As: the interface asked for; Attach: the ProgID.
    std::string Name;
    int32_t DispId = 0; // as called, or resolved from the name
    std::vector<cad::Value> Args;
    std::optional<cad::Value> PutValue;
    std::optional<cad::Failure> Failure;
    bool Injected = false; // failed by a fault rule
    cad::Value Result;

    bool Ok() const { return !Failure.has_value(); }
};

// Selects calls; every field that is set must match.
struct CallMatch {
    std::optional<CallKind> Kind;
    std::optional<std::string> Object;
    std::optional<std::string> Name; // member name, requested interface or ProgID
    std::optional<int32_t> DispId;
    std::optional<std::string> Interface;

    static CallMatch Member(std::string name);
    static CallMatch Member(int32_t dispId);
    // "MEMBER" (any kind of call) or "get MEMBER", "put MEMBER", "call
    // MEMBER"; nothing when the text is not of that form.
    static std::optional<CallMatch> Parse(std::string_view text);
    CallMatch& On(std::string objectId);
    CallMatch& Through(std::string interfaceId);
    CallMatch& OfKind(CallKind kind);

    bool operator()(const CallRecord& record) const;
};

// One line per call, such as
//   app{DED89DB0} get #21
//   doc:A.psm get Models(I2 1)
//   doc:A.psm/Variables/Radius{7647EDC3} put #3 = R8 0.001
//   app as {DED89DB0-45B6-11CE-B307-0800363A1E02}
// with " -> !0x80020003" appended when the call failed.
std::string Describe(const CallRecord& record);
std::string DescribeValue(const cad::Value& value);

class CallLog {
  public:
    const std::vector<CallRecord>& Records() const { return m_records; }
    std::size_t Size() const { return m_records.size(); }
    const CallRecord& operator[](std::size_t position) const { return m_records[position]; }

    std::vector<const CallRecord*> Where(const std::function<bool(const CallRecord&)>& match) const;
    std::size_t Count(const std::function<bool(const CallRecord&)>& match) const;
    std::vector<std::string> Lines() const;
    std::vector<std::string> Lines(std::size_t from) const;

    CallRecord& Append(CallRecord record);
    CallRecord& At(std::size_t position) { return m_records[position]; }
    void Clear() { m_records.clear(); }

  private:
    std::vector<CallRecord> m_records;
};

} // namespace psm::sim
