#pragma once

// simcad's control object, registered as "SimCad.Control": what a test (or a
// curious person with a script) uses to play the user of the CAD program and
// to look inside it. Its calls are answered directly and never appear among
// the CAD program's calls. Members are listed in simcad/README.md.

#include "sim/Node.h"
#include "simcad/World.h"

#include <cstdint>
#include <string_view>

namespace psm::simcad {

inline constexpr std::string_view ControlProgId = "SimCad.Control";
inline constexpr std::string_view ControlInterfaceId = "{2C85924C-4A30-4F2C-80AE-2CCF9CC902E7}";

// What the control object needs from the program around it.
class ControlHost {
  public:
    virtual ~ControlHost() = default;
    // Ends simcad once the current call has returned.
    virtual void Quit() = 0;
    // Puts simcad's window in front, as a click into it would.
    virtual void BringToFront() = 0;
    virtual int32_t ProcessId() const = 0;
    // Name lookups (GetIDsOfNames) the CAD program's objects answered.
    virtual int32_t NameLookups() const = 0;
    // Takes the CAD program out of the running object table, as a server
    // closed by its user does while clients still hold its objects.
    virtual void WithdrawRegistration() = 0;
};

class ControlObject final : public sim::Node {
  public:
    ControlObject(World& world, ControlHost& host);
    const sim::ClassInfo& Class() const override;

    World& TheWorld() const { return m_world; }
    ControlHost& Host() const { return m_host; }

  private:
    World& m_world;
    ControlHost& m_host;
};

// The name a feature status code has in the control object's answers:
// "ok", "warned", "failed", else the code in hex.
std::string StatusName(int32_t status);

} // namespace psm::simcad
