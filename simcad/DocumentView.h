#pragma once

// The texts simcad's window shows: the open documents, and for the active
// one its five values and its features with their states (for an assembly:
// its components and the part behind them, a sub-assembly's components below
// it, one step further in), the command bars, the call count.

#include "simcad/World.h"

#include <string>
#include <vector>

namespace psm::simcad {

// The open documents' names in the order they were opened.
std::vector<std::string> DocumentNames(const sim::Simulator& simulator);

// Lines separated by CR LF, ready for a Win32 static control.
std::string DetailsText(const World& world);

} // namespace psm::simcad
