#include "sim/CallLog.h"

#include "cad/TraceLine.h"
#include "sim/Node.h"
#include "sim/SimObject.h"

#include <array>
#include <charconv>

namespace psm::sim {
namespace {

std::string ShortInterface(std::string_view interfaceId) {
    if (interfaceId.size() >= 9 && interfaceId.front() == '{') {
        return Concat({"{", interfaceId.substr(1, 8), "}"});
    }
    return std::string(interfaceId);
}

std::string Target(const CallRecord& record) {
    std::string text = record.Object;
    if (!record.Interface.empty()) {
        text += ShortInterface(record.Interface);
    }
    return text;
}

std::string MemberText(const CallRecord& record) {
    std::string text =
        record.ByName ? record.Name : cad::TraceMember(cad::Member::ById(record.DispId));
    if (!record.Args.empty()) {
        text += "(";
        for (std::size_t i = 0; i < record.Args.size(); ++i) {
            text += i == 0 ? "" : ", ";
            text += DescribeValue(record.Args[i]);
        }
        text += ")";
    }
    return text;
}

} // namespace

std::string DescribeValue(const cad::Value& value) {
    switch (value.Type()) {
    case cad::ValueType::Empty:
        return "Empty";
    case cad::ValueType::Boolean:
        return *value.AsBoolean() ? "Bool true" : "Bool false";
    case cad::ValueType::Int16:
        return Concat({"I2 ", std::to_string(*value.AsInt16())});
    case cad::ValueType::Int32:
        return Concat({"I4 ", std::to_string(*value.AsInt32())});
    case cad::ValueType::Double: {
        std::array<char, 32> text{};
        const auto end = std::to_chars(text.data(), text.data() + text.size(), *value.AsDouble(),
                                       std::chars_format::general);
        return Concat({"R8 ", std::string_view(text.data(), end.ptr)});
    }
    case cad::ValueType::Text:
        return Concat({"\"", *value.AsText(), "\""});
    case cad::ValueType::Object: {
        const NodeRef node = NodeOf(value.AsObject());
        return node ? node->Id() : std::string("Object");
    }
    }
    return "?";
}

std::string Describe(const CallRecord& record) {
    std::string text;
    switch (record.Kind) {
    case CallKind::Attach:
        text = Concat({"attach ", record.Name});
        break;
    case CallKind::As:
        text = Concat({Target(record), " as ", record.Name});
        break;
    case CallKind::Get:
        text = Concat({Target(record), " get ", MemberText(record)});
        break;
    case CallKind::Put:
        text = Concat({Target(record), " put ", MemberText(record), " = ",
                       DescribeValue(record.PutValue.value_or(cad::Value()))});
        break;
    case CallKind::Call:
        text = Concat({Target(record), " call ", MemberText(record)});
        break;
    }
    if (record.Failure) {
        text += Concat({" -> !", cad::HexCode(record.Failure->Code)});
    }
    return text;
}

CallMatch CallMatch::Member(std::string name) {
    CallMatch match;
    match.Name = std::move(name);
    return match;
}

CallMatch CallMatch::Member(int32_t dispId) {
    CallMatch match;
    match.DispId = dispId;
    return match;
}

std::optional<CallMatch> CallMatch::Parse(std::string_view text) {
    const auto blank = text.find(' ');
    if (blank == std::string_view::npos) {
        if (text.empty()) {
            return std::nullopt;
        }
        return Member(std::string(text));
    }
    const std::string_view kind = text.substr(0, blank);
    const std::string_view name = text.substr(blank + 1);
    if (name.empty() || name.find(' ') != std::string_view::npos) {
        return std::nullopt;
    }
    CallMatch match = Member(std::string(name));
    if (kind == "get") {
        return match.OfKind(CallKind::Get);
    }
    if (kind == "put") {
        return match.OfKind(CallKind::Put);
    }
    if (kind == "call") {
        return match.OfKind(CallKind::Call);
    }
    return std::nullopt;
}

CallMatch& CallMatch::On(std::string objectId) {
    Object = std::move(objectId);
    return *this;
}

CallMatch& CallMatch::Through(std::string interfaceId) {
    Interface = std::move(interfaceId);
    return *this;
}

CallMatch& CallMatch::OfKind(CallKind kind) {
    Kind = kind;
    return *this;
}

bool CallMatch::operator()(const CallRecord& record) const {
    if (Kind && *Kind != record.Kind) {
        return false;
    }
    if (Object && *Object != record.Object) {
        return false;
    }
    if (Name && !SameName(*Name, record.Name)) {
        return false;
    }
    if (DispId && (record.Kind == CallKind::As || record.Kind == CallKind::Attach ||
                   *DispId != record.DispId)) {
        return false;
    }
    if (Interface && !SameInterface(*Interface, record.Interface)) {
        return false;
    }
    return true;
}

std::vector<const CallRecord*>
CallLog::Where(const std::function<bool(const CallRecord&)>& match) const {
    std::vector<const CallRecord*> found;
    for (const CallRecord& record : m_records) {
        if (match(record)) {
            found.push_back(&record);
        }
    }
    return found;
}

std::size_t CallLog::Count(const std::function<bool(const CallRecord&)>& match) const {
    return Where(match).size();
}

std::vector<std::string> CallLog::Lines() const {
    return Lines(0);
}

std::vector<std::string> CallLog::Lines(std::size_t from) const {
    std::vector<std::string> lines;
    for (std::size_t i = from; i < m_records.size(); ++i) {
        lines.push_back(Describe(m_records[i]));
    }
    return lines;
}

CallRecord& CallLog::Append(CallRecord record) {
    m_records.push_back(std::move(record));
    return m_records.back();
}

} // namespace psm::sim
