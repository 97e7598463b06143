#pragma once

// What the layers around the automation (the busy retry, the trace) share:
// the objects a layer hands out wrap the inner layer's, and the inner layer
// knows only its own objects as arguments. `Wrapper::Unwrapped` gives the
// inner object behind one of the layer's, or any other object as it is.

#include "cad/Automation.h"

#include <span>
#include <vector>

namespace psm::cad {

template <class Wrapper>
Value InnerValue(const Value& value) {
    return value.Type() == ValueType::Object ? Value::Object(Wrapper::Unwrapped(value.AsObject()))
                                             : value;
}

template <class Wrapper>
std::vector<Value> InnerValues(std::span<const Value> args) {
    std::vector<Value> inner;
    inner.reserve(args.size());
    for (const Value& arg : args) {
        inner.push_back(InnerValue<Wrapper>(arg));
    }
    return inner;
}

} // namespace psm::cad
