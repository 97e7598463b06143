#pragma once

// Drops the CAD references at the end of the program.

#include "cad/Connection.h"
#include "cad/FeatureCheck.h"
#include "cad/SheetMetalVariables.h"

namespace psm::cad {

// One flag per reference, in the order they are dropped.
struct ReleaseFlags {
    bool CadApp = false;
    bool ActiveDoc = false;
    bool WorkDocument = false;
    bool AssemblyComponent = false;
    bool ComponentSet = false;
    bool PartLink = false;
    bool FirstModel = false;
    bool FeatureList = false;
    bool CurrentVariable = false;
    bool VariableTable = false;

    static ReleaseFlags All() {
        return {true, true, true, true, true, true, true, true, true, true};
    }
};

void ReleaseCad(CadConnection& connection, FeatureCheck& features, SheetMetalVariables& variables,
                const ReleaseFlags& flags);

} // namespace psm::cad
