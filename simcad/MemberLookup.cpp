#include "simcad/MemberLookup.h"

namespace psm::simcad {
namespace {

bool Visible(const sim::MemberInfo& row, std::string_view interfaceId) {
    return row.Interface.empty() || sim::SameInterface(row.Interface, interfaceId);
}

} // namespace

const sim::MemberInfo* FindMember(const sim::ClassInfo& info, std::string_view interfaceId,
                                  int32_t dispId, sim::InvokeKind kind) {
    for (const sim::MemberInfo& row : info.Members) {
        if (row.DispId == dispId && row.Kind == kind && Visible(row, interfaceId)) {
            return &row;
        }
    }
    return nullptr;
}

std::optional<int32_t> DispIdOfName(const sim::ClassInfo& info, std::string_view interfaceId,
                                    std::string_view name) {
    for (const sim::MemberInfo& row : info.Members) {
        if (sim::SameName(row.Name, name) && Visible(row, interfaceId)) {
            return row.DispId;
        }
    }
    return std::nullopt;
}

sim::InvokeKind KindOfCall(const sim::ClassInfo& info, std::string_view interfaceId, int32_t dispId,
                           CallFlags flags) {
    if (flags.Put) {
        return sim::InvokeKind::Put;
    }
    if (flags.Get && FindMember(info, interfaceId, dispId, sim::InvokeKind::Get) != nullptr) {
        return sim::InvokeKind::Get;
    }
    if (flags.Method && FindMember(info, interfaceId, dispId, sim::InvokeKind::Call) != nullptr) {
        return sim::InvokeKind::Call;
    }
    return flags.Get ? sim::InvokeKind::Get : sim::InvokeKind::Call;
}

} // namespace psm::simcad
