#pragma once

// Installs a button that starts this program on a command bar "ORNA" in the
// CAD program's environment for the active document.

#include "cad/Automation.h"
#include "cad/Connection.h"

#include <string_view>

namespace psm {
class MousePointer;
class ProgramLocation;
} // namespace psm

namespace psm::cad {

// Attaches (ConnectCad), finds or adds the bar and this program's button
// (the one whose RunPath ends with exeFileName), and sets its picture, texts
// and options. Shows nothing; the pointer is the hourglass meanwhile.
void InstallCommandButton(CadConnection& connection, Automation& automation,
                          const ProgramLocation& location, MousePointer& pointer,
                          std::string_view exeFileName, std::string_view description,
                          std::string_view title);

} // namespace psm::cad
