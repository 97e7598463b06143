#include "sim/SimObject.h"

#include "sim/Simulator.h"

namespace psm::sim {
namespace {

cad::Failure Gone() {
    return Fail(hresult::ServerUnavailable, "The CAD program is no longer there.");
}

} // namespace

SimObject::SimObject(Simulator& sim, std::weak_ptr<const void> alive, uint32_t generation,
                     NodeRef node, std::string interfaceId)
    : m_sim(sim), m_alive(std::move(alive)), m_generation(generation), m_node(std::move(node)),
      m_interface(std::move(interfaceId)) {}

cad::Result<cad::ObjectRef> SimObject::As(std::string_view interfaceId) {
    if (SimulatorGone()) {
        return Gone();
    }
    return m_sim.QueryInterface(m_node, m_interface, m_generation, interfaceId);
}

cad::Result<cad::Value> SimObject::Get(const cad::Member& member,
                                       std::span<const cad::Value> args) {
    if (SimulatorGone()) {
        return Gone();
    }
    return m_sim.Invoke(m_node, m_interface, m_generation, member, InvokeKind::Get, args, nullptr);
}

cad::Result<void> SimObject::Put(const cad::Member& member, std::span<const cad::Value> args,
                                 const cad::Value& value) {
    if (SimulatorGone()) {
        return Gone();
    }
    auto result =
        m_sim.Invoke(m_node, m_interface, m_generation, member, InvokeKind::Put, args, &value);
    if (!result) {
        return result.Error();
    }
    return {};
}

cad::Result<cad::Value> SimObject::Call(const cad::Member& member,
                                        std::span<const cad::Value> args) {
    if (SimulatorGone()) {
        return Gone();
    }
    return m_sim.Invoke(m_node, m_interface, m_generation, member, InvokeKind::Call, args, nullptr);
}

NodeRef NodeOf(const cad::ObjectRef& object) {
    if (const auto* view = dynamic_cast<const SimObject*>(object.get())) {
        return view->Target();
    }
    return nullptr;
}

} // namespace psm::sim
