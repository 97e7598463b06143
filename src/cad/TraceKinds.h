#pragma once

// What the trace calls the CAD program's objects: a handle seen through one
// of the interfaces psm knows by that interface's name, any other by the
// call that returned it.

#include "cad/Automation.h"

#include <string>
#include <string_view>

namespace psm::cad {

// "Application", "VariableTable", ... for an interface psm knows; empty for another.
std::string_view InterfaceKind(std::string_view interfaceId);

// An object as a call returned it, before it is seen through an interface:
// what the member is known to yield ("Document" from the application's
// active document), else the member's name ("Windows"), else the caller's
// kind and the dispatch identifier ("Environment#9").
std::string YieldedKind(std::string_view callerInterface, std::string_view callerKind,
                        const Member& member);

} // namespace psm::cad
