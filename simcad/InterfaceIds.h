#pragma once

// Every interface identifier the simulated CAD program publishes. The type
// library (simcad.idl) declares one dispinterface for each, so that COM can
// marshal a QueryInterface for it to another process.

#include "sim/SimIds.h"
#include "simcad/Control.h"

#include <array>
#include <string_view>

namespace psm::simcad {

inline constexpr std::array<std::string_view, 17> ModelInterfaceIds = {
    sim::iid::Application,  sim::iid::Documents,     sim::iid::AssemblyDocument,
    sim::iid::ComponentSet, sim::iid::Component,     sim::iid::Link,
    sim::iid::PartLinks,    sim::iid::VariableTable, sim::iid::Variable,
    sim::iid::Model,        sim::iid::FeatureList,   sim::iid::EnvironmentList,
    sim::iid::Environment,  sim::iid::BarList,       sim::iid::CommandBar,
    sim::iid::BarControls,  sim::iid::Control};

// The type library's own identifier and the class identifiers simcad
// registers for its two ProgIDs ("SolidEdge.Application", "SimCad.Control").
inline constexpr std::string_view TypeLibraryId = "{B583D089-54B4-4935-AA30-8BD1E6F72B06}";
inline constexpr std::string_view ApplicationClassId = "{614EC04E-F029-48C5-97D1-A78659F63049}";
inline constexpr std::string_view ControlClassId = "{229908CF-FA1D-469C-862C-F043795337F8}";

} // namespace psm::simcad
