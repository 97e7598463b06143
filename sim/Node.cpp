#include "sim/Node.h"

#include "sim/Simulator.h"

#include <algorithm>
#include <cctype>

namespace psm::sim {

bool SameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

bool SameInterface(std::string_view a, std::string_view b) {
    return SameName(a, b);
}

bool ClassInfo::Implements(std::string_view interfaceId) const {
    if (interfaceId.empty()) {
        return true;
    }
    return std::ranges::any_of(
        Interfaces, [&](const std::string& known) { return SameInterface(known, interfaceId); });
}

std::string Concat(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts) {
        text += part;
    }
    return text;
}

cad::Failure Fail(int32_t code, std::string text) {
    return cad::Failure{code, std::move(text)};
}

cad::Result<cad::Value> ObjectValue(const Invocation& call, const NodeRef& node) {
    return cad::Value::Object(call.Sim.View(node));
}

} // namespace psm::sim

namespace psm::sim {
namespace {

MemberInfo Row(std::string_view interfaceId, int32_t dispId, std::string name, InvokeKind kind,
               std::vector<TypeSet> params, TypeSet putType, Handler run) {
    return MemberInfo{std::string(interfaceId), dispId,  std::move(name), kind,
                      std::move(params),        putType, std::move(run)};
}

} // namespace

MemberInfo Getter(std::string_view interfaceId, int32_t dispId, std::string name,
                  std::vector<TypeSet> params, Handler run) {
    return Row(interfaceId, dispId, std::move(name), InvokeKind::Get, std::move(params), {},
               std::move(run));
}

MemberInfo Putter(std::string_view interfaceId, int32_t dispId, std::string name, TypeSet type,
                  Handler run) {
    return Row(interfaceId, dispId, std::move(name), InvokeKind::Put, {}, type, std::move(run));
}

MemberInfo Method(std::string_view interfaceId, int32_t dispId, std::string name,
                  std::vector<TypeSet> params, Handler run) {
    return Row(interfaceId, dispId, std::move(name), InvokeKind::Call, std::move(params), {},
               std::move(run));
}

cad::Result<std::size_t> ItemIndex(const Invocation& call, std::size_t count) {
    const auto index = call.Args[0].AsInt32();
    if (!index || *index < 1 || static_cast<std::size_t>(*index) > count) {
        return Fail(hresult::BadIndex, "Invalid index.");
    }
    return static_cast<std::size_t>(*index);
}

} // namespace psm::sim
