#pragma once

// Scenario files: plain text that sets up the simulated CAD program's
// documents, variables, features and their rules, assemblies, command bars
// and the active document. The format is described in simcad/README.md.

#include "simcad/World.h"

#include <string>
#include <string_view>
#include <vector>

namespace psm::simcad {

// Builds the scenario into `world` (normally empty). Returns one text per
// problem, such as "line 7: unknown feature \"Flange 2\""; an empty list
// means the whole scenario was read. Reading goes on after a problem, so that
// all of them are reported at once.
std::vector<std::string> LoadScenario(World& world, std::string_view text);

} // namespace psm::simcad
