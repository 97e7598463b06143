#include "watch/DocumentWatch.h"

#include "cad/CadIds.h"
#include "form/Exit.h"
#include "selection/Selection.h"
#include "tables/TypeMatch.h"

namespace psm {
namespace {

constexpr int32_t NoDocument = -1;

void ReadValues(AppState& state, const cad::ObjectRef& document) {
    cad::ReadSheetMetalVariables(state.Variables, document, state.Tables.ScaleFactor,
                                 state.DecimalSeparator);
    state.Watch.ValuesDocument = document;
}

void ReadAndShow(AppState& state, const Services& services, const cad::ObjectRef& document) {
    ReadValues(state, document);
    FindCurrentType(state);
    ShowCurrentType(state, services);
}

} // namespace

void Timer1_Timer(AppState& state, const Services& services, bool mainWindowIsActive) {
    if (state.Run.CommandDepth > 0) {
        return;
    }
    (void)PollDocument(state, services, mainWindowIsActive);
}

bool PollDocument(AppState& state, const Services& services, bool mainWindowIsActive) {
    WatchState& watch = state.Watch;
    cad::CadConnection& cad = state.Cad;
    const ListsFilledByProgram filling(state);
    if (mainWindowIsActive || !cad.CadAttached) {
        return false;
    }
    if (!cad.CadApp) {
        ExitProgram(state, services);
        return false;
    }
    const int32_t code = cad::ConnectCad(cad, services.Automation);
    if (code == NoDocument && cad.Busy) {
        // Busy recomputing, not gone: the next tick asks again.
        return true;
    }
    if (code == NoDocument) {
        ExitProgram(state, services);
        return false;
    }
    if (code == cad::ids::SheetMetalDocumentType) {
        if (state.Selection.Label1 == cad.ActiveDocName) {
            return true;
        }
        watch.CadRunning = true;
        watch.InPlaceEdit = false;
        watch.SheetMetalOpen = true;
        ReadAndShow(state, services, cad.ActiveDoc);
    } else if (code == cad::ids::AssemblyDocumentType) {
        watch.CadRunning = true;
        watch.InPlaceEdit = true;
        const int32_t part = cad::FindInPlaceDocument(cad);
        if (state.Selection.Label1 == cad.WorkDocName) {
            return true;
        }
        if (part == cad::ids::SheetMetalDocumentType) {
            watch.SheetMetalOpen = true;
            ReadAndShow(state, services, cad.WorkDocument);
        } else {
            watch.SheetMetalOpen = false;
            ShowCurrentType(state, services);
        }
    }
    // Any other document (a part, a drawing): the window keeps the last sheet-metal document.
    return true;
}

void RefreshDocument(AppState& state, const Services& services) {
    WatchState& watch = state.Watch;
    cad::CadConnection& cad = state.Cad;
    watch.InPlaceEdit = false;
    watch.SheetMetalOpen = false;
    watch.CadRunning = true;
    const int32_t code = cad::ConnectCad(cad, services.Automation);
    if (code == NoDocument) {
        watch.CadRunning = false;
    } else if (code == cad::ids::AssemblyDocumentType) {
        watch.InPlaceEdit = true;
        if (cad::FindInPlaceDocument(cad) == cad::ids::SheetMetalDocumentType) {
            watch.SheetMetalOpen = true;
            ReadValues(state, cad.WorkDocument);
            FindCurrentType(state);
        }
    } else if (code == cad::ids::SheetMetalDocumentType) {
        watch.SheetMetalOpen = true;
        ReadValues(state, cad.ActiveDoc);
        FindCurrentType(state);
    }
}

void FindCurrentType(AppState& state) {
    const TableModel& tables = state.Tables;
    WatchState& watch = state.Watch;
    watch.CurrentTypeRow =
        MatchingTypeRow(tables, state.Variables.CurrentValues, state.DecimalSeparator);
    if (watch.CurrentTypeRow == 0) {
        return;
    }
    watch.CurrentTableIndex = TableOfRow(tables, watch.CurrentTypeRow);
    watch.TableFirstRow = tables.TableFirstRow(watch.CurrentTableIndex);
    watch.TableLastRow = tables.TableLastRow(watch.CurrentTableIndex);
    watch.CurrentTypeOffset = watch.CurrentTypeRow - watch.TableFirstRow;
}

} // namespace psm
