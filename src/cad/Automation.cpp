#include "cad/Automation.h"

#include <cmath>
#include <limits>

namespace psm::cad {
namespace {

std::optional<double> Numeric(const auto& data) {
    switch (data.index()) {
    case 1:
        return std::get<1>(data) ? -1.0 : 0.0;
    case 2:
        return static_cast<double>(std::get<2>(data));
    case 3:
        return static_cast<double>(std::get<3>(data));
    case 4:
        return std::get<4>(data);
    default:
        return std::nullopt;
    }
}

template <class Integer>
std::optional<Integer> ToInteger(std::optional<double> number) {
    if (!number || !std::isfinite(*number)) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(*number); // default mode: half to even
    if (rounded < static_cast<double>(std::numeric_limits<Integer>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Integer>::max())) {
        return std::nullopt;
    }
    return static_cast<Integer>(rounded);
}

} // namespace

bool IsBusy(const Failure& failure) {
    return failure.Code == FailureCode::CallRejected || failure.Code == FailureCode::RetryLater;
}

bool IsGone(const Failure& failure) {
    switch (failure.Code) {
    case FailureCode::Disconnected:
    case FailureCode::ServerUnavailable:
    case FailureCode::ServerDied:
    case FailureCode::ServerDiedDne:
    case FailureCode::NotConnected:
        return true;
    default:
        return false;
    }
}

bool IsOutOfReach(const Failure& failure) {
    return IsBusy(failure) || IsGone(failure);
}

std::optional<bool> Value::AsBoolean() const {
    const auto number = Numeric(m_data);
    if (!number) {
        return std::nullopt;
    }
    return *number != 0.0;
}

std::optional<int16_t> Value::AsInt16() const {
    return ToInteger<int16_t>(Numeric(m_data));
}

std::optional<int32_t> Value::AsInt32() const {
    return ToInteger<int32_t>(Numeric(m_data));
}

std::optional<double> Value::AsDouble() const {
    return Numeric(m_data);
}

std::optional<std::string> Value::AsText() const {
    if (const auto* text = std::get_if<std::string>(&m_data)) {
        return *text;
    }
    return std::nullopt;
}

ObjectRef Value::AsObject() const {
    if (const auto* object = std::get_if<ObjectRef>(&m_data)) {
        return *object;
    }
    return nullptr;
}

} // namespace psm::cad
