#include "simcad/Dispatcher.h"

#include "simcad/MemberLookup.h"

namespace psm::simcad {
namespace {

bool Converts(const cad::Value& value, sim::TypeSet accepted) {
    if (accepted.Has(value.Type())) {
        return true;
    }
    const bool numeric = accepted.Has(cad::ValueType::Int16) ||
                         accepted.Has(cad::ValueType::Int32) ||
                         accepted.Has(cad::ValueType::Double);
    if (numeric && value.AsDouble().has_value()) {
        return true;
    }
    return accepted.Has(cad::ValueType::Boolean) && value.AsBoolean().has_value();
}

} // namespace

cad::Result<cad::Value> ModelDispatcher::Invoke(const sim::NodeRef& node,
                                                std::string_view interfaceId, uint32_t generation,
                                                const cad::Member& member, sim::InvokeKind kind,
                                                std::span<const cad::Value> args,
                                                const cad::Value* putValue) {
    return m_sim.Invoke(node, interfaceId, generation, member, kind, args, putValue);
}

cad::Result<std::string> ModelDispatcher::QueryInterface(const sim::NodeRef& node,
                                                         std::string_view currentId,
                                                         uint32_t generation,
                                                         std::string_view interfaceId) {
    auto view = m_sim.QueryInterface(node, currentId, generation, interfaceId);
    if (!view) {
        return view.Error();
    }
    return std::string(view.Value()->Interface());
}

cad::Result<cad::Value> DirectDispatcher::Invoke(const sim::NodeRef& node,
                                                 std::string_view interfaceId, uint32_t,
                                                 const cad::Member& member, sim::InvokeKind kind,
                                                 std::span<const cad::Value> args,
                                                 const cad::Value* putValue) {
    const sim::ClassInfo& info = node->Class();
    int32_t dispId = member.DispId;
    if (member.IsName()) {
        const auto found = DispIdOfName(info, interfaceId, member.Name);
        if (!found) {
            return sim::Fail(cad::FailureCode::UnknownName, "Unknown name.");
        }
        dispId = *found;
    }
    const sim::MemberInfo* row = FindMember(info, interfaceId, dispId, kind);
    if (row == nullptr) {
        return sim::Fail(cad::FailureCode::MemberNotFound, "Member not found.");
    }
    if (args.size() != row->Params.size()) {
        return sim::Fail(cad::FailureCode::BadParamCount, "Invalid number of parameters.");
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!Converts(args[i], row->Params[i])) {
            return sim::Fail(cad::FailureCode::TypeMismatch, "Type mismatch.");
        }
    }
    if (kind == sim::InvokeKind::Put &&
        (putValue == nullptr || !Converts(*putValue, row->PutType))) {
        return sim::Fail(cad::FailureCode::TypeMismatch, "Type mismatch.");
    }
    return row->Run(*node, sim::Invocation{m_sim, args, putValue});
}

cad::Result<std::string> DirectDispatcher::QueryInterface(const sim::NodeRef& node,
                                                          std::string_view, uint32_t,
                                                          std::string_view interfaceId) {
    for (const std::string& known : node->Class().Interfaces) {
        if (sim::SameInterface(known, interfaceId)) {
            return known;
        }
    }
    return sim::Fail(cad::FailureCode::NoInterface, "No such interface supported.");
}

bool ReturnedDirectly(int32_t code) {
    switch (code) {
    case cad::FailureCode::UnknownName:
    case cad::FailureCode::MemberNotFound:
    case cad::FailureCode::TypeMismatch:
    case cad::FailureCode::BadParamCount:
    case cad::FailureCode::Overflow:
    case sim::hresult::BadIndex:
    case sim::hresult::CallRejected:
    case sim::hresult::RetryLater:
        return true;
    default:
        return false;
    }
}

} // namespace psm::simcad
