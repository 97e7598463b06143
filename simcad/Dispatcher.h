#pragma once

// Where a served object's calls go. Objects of the simulated CAD program go
// through the simulator (logged, open to fault injection, dead after the
// program quits); simcad's own control object is answered directly, so that a
// test's questions never show up among the CAD program's calls.

#include "cad/Automation.h"
#include "sim/Node.h"
#include "sim/Simulator.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace psm::simcad {

class Dispatcher {
  public:
    virtual ~Dispatcher() = default;

    virtual cad::Result<cad::Value> Invoke(const sim::NodeRef& node, std::string_view interfaceId,
                                           uint32_t generation, const cad::Member& member,
                                           sim::InvokeKind kind, std::span<const cad::Value> args,
                                           const cad::Value* putValue) = 0;

    // The interface identifier as the object spells it, when the object
    // implements `interfaceId`.
    virtual cad::Result<std::string> QueryInterface(const sim::NodeRef& node,
                                                    std::string_view currentId, uint32_t generation,
                                                    std::string_view interfaceId) = 0;

    // Why a name lookup (GetIDsOfNames) is refused now, if it is.
    virtual std::optional<cad::Failure> NameLookupRefusal() { return std::nullopt; }
};

class ModelDispatcher final : public Dispatcher {
  public:
    explicit ModelDispatcher(sim::Simulator& simulator) : m_sim(simulator) {}

    cad::Result<cad::Value> Invoke(const sim::NodeRef& node, std::string_view interfaceId,
                                   uint32_t generation, const cad::Member& member,
                                   sim::InvokeKind kind, std::span<const cad::Value> args,
                                   const cad::Value* putValue) override;
    cad::Result<std::string> QueryInterface(const sim::NodeRef& node, std::string_view currentId,
                                            uint32_t generation,
                                            std::string_view interfaceId) override;
    // The busy program refuses its name lookups too.
    std::optional<cad::Failure> NameLookupRefusal() override { return m_sim.BusyNow(); }

  private:
    sim::Simulator& m_sim;
};

// Resolves the member in the node's table and runs it; the arguments only
// need to convert to the parameter types (a test driver may pass a 16-bit
// integer where a 32-bit one is declared).
class DirectDispatcher final : public Dispatcher {
  public:
    explicit DirectDispatcher(sim::Simulator& simulator) : m_sim(simulator) {}

    cad::Result<cad::Value> Invoke(const sim::NodeRef& node, std::string_view interfaceId,
                                   uint32_t generation, const cad::Member& member,
                                   sim::InvokeKind kind, std::span<const cad::Value> args,
                                   const cad::Value* putValue) override;
    cad::Result<std::string> QueryInterface(const sim::NodeRef& node, std::string_view currentId,
                                            uint32_t generation,
                                            std::string_view interfaceId) override;

  private:
    sim::Simulator& m_sim;
};

// How a served object reports a failed call: the dispatch errors a client
// expects from IDispatch::Invoke itself (unknown member, wrong argument type
// or count, bad index) and the refusals of a busy program, which COM reports
// as the call's result, as the returned code; every other failure as
// DISP_E_EXCEPTION with its code and text in the EXCEPINFO.
bool ReturnedDirectly(int32_t code);

} // namespace psm::simcad
