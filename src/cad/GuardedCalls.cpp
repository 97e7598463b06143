#include "cad/GuardedCalls.h"

#include <span>
#include <type_traits>

namespace psm::cad {
namespace {

std::span<const Value> Span(Args args) {
    return {args.begin(), args.size()};
}

Result<ObjectRef> Seen(const Result<Value>& result, std::string_view interfaceId) {
    if (!result) {
        return result.Error();
    }
    ObjectRef object = result.Value().AsObject();
    if (!object) {
        return Failure{FailureCode::Unexpected, "No object came back."};
    }
    if (interfaceId.empty()) {
        return object;
    }
    return object->As(interfaceId);
}

ObjectRef OrNull(const Result<ObjectRef>& result) {
    return result ? result.Value() : nullptr;
}

template <class T>
std::optional<T> Converted(const Value& value) {
    if constexpr (std::is_same_v<T, int16_t>) {
        return value.AsInt16();
    } else if constexpr (std::is_same_v<T, int32_t>) {
        return value.AsInt32();
    } else if constexpr (std::is_same_v<T, double>) {
        return value.AsDouble();
    } else if constexpr (std::is_same_v<T, bool>) {
        return value.AsBoolean();
    } else {
        static_assert(std::is_same_v<T, std::string>, "a type the automation values convert to");
        return value.AsText();
    }
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

Result<ObjectRef> TryGetObject(const ObjectRef& on, const Member& member, Args args,
                               std::string_view interfaceId) {
    if (!on) {
        return Failure{FailureCode::Unexpected, "No object."};
    }
    return Seen(on->Get(member, Span(args)), interfaceId);
}

ObjectRef GetObject(const ObjectRef& on, const Member& member, Args args,
                    std::string_view interfaceId) {
    return OrNull(TryGetObject(on, member, args, interfaceId));
}

ObjectRef CallObject(const ObjectRef& on, const Member& member, Args args,
                     std::string_view interfaceId) {
    if (!on) {
        return nullptr;
    }
    return OrNull(Seen(on->Call(member, Span(args)), interfaceId));
}

template <class T>
std::optional<T> GetAs(const ObjectRef& on, const Member& member, Args args) {
    const auto value = GetValue(on, member, args);
    if (!value) {
        return std::nullopt;
    }
    return Converted<T>(*value);
}

template std::optional<int16_t> GetAs(const ObjectRef&, const Member&, Args);
template std::optional<int32_t> GetAs(const ObjectRef&, const Member&, Args);
template std::optional<double> GetAs(const ObjectRef&, const Member&, Args);
template std::optional<bool> GetAs(const ObjectRef&, const Member&, Args);
template std::optional<std::string> GetAs(const ObjectRef&, const Member&, Args);

bool PutValue(const ObjectRef& on, const Member& member, const Value& value) {
    return on && on->Put(member, {}, value).Ok();
}

bool CallMethod(const ObjectRef& on, const Member& member, Args args) {
    return on && on->Call(member, Span(args)).Ok();
}

template <class T>
std::optional<T> GuardedSteps::Noted(Result<T> result) {
    if (result) {
        return std::move(result).Value();
    }
    if (IsOutOfReach(result.Error())) {
        m_lost = result.Error();
    }
    return std::nullopt;
}

ObjectRef GuardedSteps::Object(const ObjectRef& on, const Member& member, Args args,
                               std::string_view interfaceId) {
    if (OutOfReach() || !on) {
        return nullptr;
    }
    return Noted(TryGetObject(on, member, args, interfaceId)).value_or(nullptr);
}

ObjectRef GuardedSteps::As(const ObjectRef& on, std::string_view interfaceId) {
    if (OutOfReach() || !on) {
        return nullptr;
    }
    return Noted(on->As(interfaceId)).value_or(nullptr);
}

template <class T>
std::optional<T> GuardedSteps::Read(const ObjectRef& on, const Member& member, Args args) {
    if (OutOfReach() || !on) {
        return std::nullopt;
    }
    const auto value = Noted(on->Get(member, Span(args)));
    return value ? Converted<T>(*value) : std::nullopt;
}

bool GuardedSteps::Put(const ObjectRef& on, const Member& member, const Value& value) {
    if (OutOfReach() || !on) {
        return false;
    }
    const Result<void> put = on->Put(member, {}, value);
    if (!put && IsOutOfReach(put.Error())) {
        m_lost = put.Error();
    }
    return put.Ok();
}

template std::optional<int16_t> GuardedSteps::Read(const ObjectRef&, const Member&, Args);
template std::optional<int32_t> GuardedSteps::Read(const ObjectRef&, const Member&, Args);
template std::optional<double> GuardedSteps::Read(const ObjectRef&, const Member&, Args);
template std::optional<bool> GuardedSteps::Read(const ObjectRef&, const Member&, Args);
template std::optional<std::string> GuardedSteps::Read(const ObjectRef&, const Member&, Args);

} // namespace psm::cad
