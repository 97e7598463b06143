#include "cad/TraceLine.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace psm::cad {
namespace {

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\t':
            quoted += "\\t";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\n':
            quoted += "\\n";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                std::array<char, 8> escape{};
                std::snprintf(escape.data(), escape.size(), "\\x%02X",
                              static_cast<unsigned>(static_cast<unsigned char>(c)));
                quoted += escape.data();
            } else {
                quoted += c;
            }
        }
    }
    return quoted + "\"";
}

std::string DoubleText(double value) {
    std::array<char, 32> text{};
    const auto end =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    return std::string(text.data(), end.ptr);
}

std::string_view OperationText(TracedOperation operation) {
    switch (operation) {
    case TracedOperation::Attach:
        return "attach";
    case TracedOperation::As:
        return "as";
    case TracedOperation::Get:
        return "get";
    case TracedOperation::Put:
        return "put";
    case TracedOperation::Call:
        return "call";
    }
    return "?";
}

// Milliseconds with three decimals: "0.412 ms".
std::string DurationText(std::chrono::microseconds duration) {
    const long long micro = duration.count() < 0 ? 0 : duration.count();
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%lld.%03lld ms", micro / 1000, micro % 1000);
    return text.data();
}

} // namespace

std::string HexCode(int32_t code) {
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "0x%08X", static_cast<unsigned>(code));
    return text.data();
}

std::string TraceMember(const Member& member) {
    if (member.IsName()) {
        return member.Name;
    }
    if (member.DispId >= 0 && member.DispId < 0x10000) {
        return "#" + std::to_string(member.DispId);
    }
    return "#" + HexCode(member.DispId);
}

std::string TraceValue(const Value& value, std::string_view objectKind) {
    switch (value.Type()) {
    case ValueType::Empty:
        return "Empty";
    case ValueType::Boolean:
        return *value.AsBoolean() ? "Bool true" : "Bool false";
    case ValueType::Int16:
        return "I2 " + std::to_string(*value.AsInt16());
    case ValueType::Int32:
        return "I4 " + std::to_string(*value.AsInt32());
    case ValueType::Double:
        return "R8 " + DoubleText(*value.AsDouble());
    case ValueType::Text:
        return Quoted(*value.AsText());
    case ValueType::Object:
        if (value.AsObject() == nullptr) {
            return "Nothing";
        }
        return objectKind.empty() ? std::string("Object") : "Object " + std::string(objectKind);
    }
    return "?";
}

std::string TraceFailure(const Failure& failure) {
    std::string text = "!" + HexCode(failure.Code);
    std::string message;
    for (const char c : failure.Text) {
        const bool blank = static_cast<unsigned char>(c) < 0x20;
        if (!blank || (!message.empty() && message.back() != ' ')) {
            message += blank ? ' ' : c;
        }
    }
    while (!message.empty() && message.back() == ' ') {
        message.pop_back();
    }
    return message.empty() ? text : text + " " + message;
}

std::string TraceHeadings() {
    return "Time\tKind\tInterface\tCall\tResult\tDuration\r\n";
}

std::string TraceLine(const TracedCall& call) {
    std::string text = StampText(call.Start) + "\t" + call.Kind + "\t" + call.Interface + "\t";
    text += OperationText(call.Operation);
    text += " " + call.Member;
    if (!call.Arguments.empty()) {
        text += "(";
        for (std::size_t i = 0; i < call.Arguments.size(); ++i) {
            text += (i == 0 ? "" : ", ") + call.Arguments[i];
        }
        text += ")";
    }
    if (call.Assigned) {
        text += " = " + *call.Assigned;
    }
    return text + "\t" + call.Outcome + "\t" + DurationText(call.Duration) + "\r\n";
}

} // namespace psm::cad
