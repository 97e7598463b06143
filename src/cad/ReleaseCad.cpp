#include "cad/ReleaseCad.h"

namespace psm::cad {
namespace {

void Drop(bool flag, ObjectRef& reference) {
    if (flag && reference) {
        reference = nullptr;
    }
}

} // namespace

void ReleaseCad(CadConnection& connection, FeatureCheck& features, SheetMetalVariables& variables,
                const ReleaseFlags& flags) {
    Drop(flags.CadApp, connection.CadApp);
    Drop(flags.CadApp, connection.Documents); // kept with the application
    Drop(flags.ActiveDoc, connection.ActiveDoc);
    Drop(flags.ActiveDoc, connection.ActiveAssembly); // kept with the document
    Drop(flags.WorkDocument, connection.WorkDocument);
    Drop(flags.AssemblyComponent, connection.AssemblyComponent);
    Drop(flags.ComponentSet, connection.ComponentSet);
    Drop(flags.PartLink, connection.PartLink);
    Drop(flags.FirstModel, features.FirstModel);
    Drop(flags.FeatureList, features.FeatureList);
    Drop(flags.CurrentVariable, variables.CurrentVariable);
    for (ObjectRef& held : variables.ReadMarkers) {
        Drop(flags.CurrentVariable, held);
    }
    for (ObjectRef& held : variables.ReadVariables) {
        Drop(flags.CurrentVariable, held);
    }
    Drop(flags.VariableTable, variables.VariableTable);
}

} // namespace psm::cad
