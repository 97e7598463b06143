#include "apply/WriteValues.h"

namespace psm {
namespace {

void Write(AppState& state, const Services& services, const cad::ObjectRef& document,
           bool restore) {
    cad::WriteSheetMetalVariables(state.Variables, state.Cad, document, restore,
                                  state.Apply.NewValues, state.Tables.ScaleFactor,
                                  state.DecimalSeparator, services.Events);
}

} // namespace

cad::ObjectRef CommandDocument(const AppState& state) {
    return state.Watch.InPlaceEdit ? state.Cad.WorkDocument : state.Cad.ActiveDoc;
}

void WriteNewValues(AppState& state, const Services& services, const cad::ObjectRef& document) {
    Write(state, services, document, false);
}

bool WriteBackCurrentValues(AppState& state, const Services& services,
                            const cad::ObjectRef& document) {
    const cad::ObjectRef& source = state.Watch.ValuesDocument;
    if (!document || !source || !document->IsSameObject(*source)) {
        return false;
    }
    Write(state, services, document, true);
    return true;
}

} // namespace psm
