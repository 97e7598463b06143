#include "cad/GuardedCalls.h"

#include <span>

namespace psm::cad {
namespace {

std::span<const Value> Span(Args args) {
    return {args.begin(), args.size()};
}

ObjectRef Seen(const Result<Value>& result, std::string_view interfaceId) {
    if (!result) {
        return nullptr;
    }
    ObjectRef object = result.Value().AsObject();
    if (!object || interfaceId.empty()) {
        return object;
    }
    auto seen = object->As(interfaceId);
    return seen ? seen.Value() : nullptr;
}

std::optional<Value> GetValue(const ObjectRef& on, const Member& member, Args args) {
    if (!on) {
        return std::nullopt;
    }
    auto result = on->Get(member, Span(args));
    if (!result) {
        return std::nullopt;
    }
    return std::move(result).Value();
}

} // namespace

ObjectRef GetObject(const ObjectRef& on, const Member& member, Args args,
                    std::string_view interfaceId) {
    if (!on) {
        return nullptr;
    }
    return Seen(on->Get(member, Span(args)), interfaceId);
}

ObjectRef CallObject(const ObjectRef& on, const Member& member, Args args,
                     std::string_view interfaceId) {
    if (!on) {
        return nullptr;
    }
    return Seen(on->Call(member, Span(args)), interfaceId);
}

std::optional<int16_t> GetInt16(const ObjectRef& on, const Member& member, Args args) {
    const auto value = GetValue(on, member, args);
    return value ? value->AsInt16() : std::nullopt;
}

std::optional<int32_t> GetInt32(const ObjectRef& on, const Member& member, Args args) {
    const auto value = GetValue(on, member, args);
    return value ? value->AsInt32() : std::nullopt;
}

std::optional<double> GetDouble(const ObjectRef& on, const Member& member, Args args) {
    const auto value = GetValue(on, member, args);
    return value ? value->AsDouble() : std::nullopt;
}

std::optional<bool> GetBoolean(const ObjectRef& on, const Member& member, Args args) {
    const auto value = GetValue(on, member, args);
    return value ? value->AsBoolean() : std::nullopt;
}

std::optional<std::string> GetText(const ObjectRef& on, const Member& member, Args args) {
    const auto value = GetValue(on, member, args);
    return value ? value->AsText() : std::nullopt;
}

bool PutValue(const ObjectRef& on, const Member& member, const Value& value) {
    return on && on->Put(member, {}, value).Ok();
}

bool CallMethod(const ObjectRef& on, const Member& member, Args args) {
    return on && on->Call(member, Span(args)).Ok();
}

} // namespace psm::cad
