#pragma once

// The reading of one assembly's components, shared by the flat list of an
// assembly's parts and the walk of a whole tree: the component set, named
// components through the assembly's part links, direct components through
// their own link, blocked and missing links, other kinds.

#include "cad/AssemblyParts.h"
#include "cad/Automation.h"
#include "cad/GuardedCalls.h"

#include <cstdint>

namespace psm::cad {

struct WalkedComponent {
    AssemblyComponent Component;
    // False when the index reached no component while the program answered.
    bool Reached = true;
};

// Follows the components of one assembly (seen through the assembly-document
// interface); stops asking once the program is out of reach, until Resume.
class ComponentWalk {
  public:
    explicit ComponentWalk(ObjectRef assembly);

    bool Readable() const { return m_componentSet && !m_steps.OutOfReach(); }
    bool OutOfReach() const { return m_steps.OutOfReach(); }
    const std::optional<Failure>& Lost() const { return m_steps.Lost(); }
    bool Gone() const { return Lost() && IsGone(*Lost()); }

    // Asked as a 32-bit number; a 16-bit answer converts.
    int32_t Count();
    // `index` from 1; passed as a 16-bit number while it fits, as the
    // program's own clients pass it, and as a 32-bit one beyond.
    WalkedComponent Component(int32_t index);

    // After a busy spell: asks again from where the walk stopped, fetching
    // anew what the spell kept from coming.
    void Resume();

  private:
    const ObjectRef& PartLinks();

    GuardedSteps m_steps;
    ObjectRef m_assembly;
    ObjectRef m_componentSet;
    ObjectRef m_partLinks;
    bool m_partLinksAsked = false;
};

} // namespace psm::cad
