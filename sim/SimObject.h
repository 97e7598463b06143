#pragma once

// The in-process handle: one node of the model seen through one interface.
// Every call is passed to the simulator's generic entry points.

#include "cad/Automation.h"
#include "sim/Node.h"

#include <cstdint>
#include <memory>
#include <string>

namespace psm::sim {

class SimObject final : public cad::Object {
  public:
    // `alive` expires with the simulator, so a handle kept past its end
    // fails its calls instead of reaching freed memory.
    SimObject(Simulator& sim, std::weak_ptr<const void> alive, uint32_t generation, NodeRef node,
              std::string interfaceId);

    std::string_view Interface() const override { return m_interface; }
    cad::Result<cad::ObjectRef> As(std::string_view interfaceId) override;
    cad::Result<cad::Value> Get(const cad::Member& member,
                                std::span<const cad::Value> args) override;
    cad::Result<void> Put(const cad::Member& member, std::span<const cad::Value> args,
                          const cad::Value& value) override;
    cad::Result<cad::Value> Call(const cad::Member& member,
                                 std::span<const cad::Value> args) override;
    // The node of the model, and the run of the program that handed it out:
    // a program started again hands out new objects, even for the same documents.
    cad::ObjectKey Key() const override { return cad::ObjectKey{m_node.get(), m_generation}; }

    const NodeRef& Target() const { return m_node; }
    uint32_t Generation() const { return m_generation; }

  private:
    bool SimulatorGone() const { return m_alive.expired(); }

    Simulator& m_sim;
    std::weak_ptr<const void> m_alive;
    uint32_t m_generation;
    NodeRef m_node;
    std::string m_interface;
};

// The node behind a handle the simulator gave out; null for anything else.
NodeRef NodeOf(const cad::ObjectRef& object);

} // namespace psm::sim
