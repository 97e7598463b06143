#include "watch/DocumentWatch.h"

#include "cad/CadIds.h"
#include "cad/GuardedCalls.h"
#include "form/Exit.h"
#include "selection/Selection.h"
#include "tables/TypeMatch.h"

namespace psm {
namespace {

constexpr int32_t NoDocument = -1;

// The CAD program's registration is looked at this often while the watch
// polls: a program closed by its user may live on while psm holds its
// objects, and answer them.
constexpr std::chrono::milliseconds RegistrationInterval{1000};

bool SameObject(const cad::ObjectRef& a, const cad::ObjectRef& b) {
    return a && b && a->IsSameObject(*b);
}

// The document's full file name; its name where the program has none.
std::string FullNameOf(const cad::ObjectRef& document) {
    if (auto full = cad::GetAs<std::string>(document, cad::Named("FullName"))) {
        return *full;
    }
    return cad::GetAs<std::string>(document, cad::Named("Name")).value_or("");
}

// Reads the shown document's values; a read cut short leaves them unknown,
// and the next tick reads again.
void ReadValues(AppState& state) {
    ShownDocument& shown = state.Watch.Shown;
    shown.ValuesKnown =
        cad::ReadSheetMetalVariables(state.Variables, shown.Object, state.Tables.ScaleFactor,
                                     state.DecimalSeparator) == cad::ReadOutcome::Complete;
    if (shown.ValuesKnown) {
        FindCurrentType(state);
    } else {
        state.Watch.CurrentTypeRow = 0;
    }
}

// Makes `document` the shown one: a sheet-metal document is read, any other
// only named. The lists follow.
void ShowNewDocument(AppState& state, const Services& services, const cad::ObjectRef& document,
                     bool sheetMetal) {
    WatchState& watch = state.Watch;
    watch.SheetMetalOpen = sheetMetal;
    watch.Shown = ShownDocument{document, sheetMetal ? FullNameOf(document) : std::string(), false};
    if (sheetMetal) {
        ReadValues(state);
    }
    ShowCurrentType(state, services);
}

// The document the CAD program works on now. The shown one stays, only
// renamed by a Save As, while it is the same object and its values are
// known; any other is shown and read anew.
void Follow(AppState& state, const Services& services, const cad::ObjectRef& document,
            const std::string& name, bool sheetMetal) {
    WatchState& watch = state.Watch;
    const bool same = document ? SameObject(document, watch.Shown.Object) : !watch.Shown.Object;
    if (same && sheetMetal == watch.SheetMetalOpen && (!sheetMetal || watch.Shown.ValuesKnown)) {
        if (state.Selection.Label1 != name) {
            // A Save As: the same document under another name.
            watch.Shown.FullName = sheetMetal ? FullNameOf(document) : std::string();
            ShowCurrentType(state, services);
        }
        return;
    }
    if (same && sheetMetal && watch.SheetMetalOpen) {
        // The same document, read incompletely before: read it again.
        ReadValues(state);
        ShowCurrentType(state, services);
        return;
    }
    ShowNewDocument(state, services, document, sheetMetal);
}

// False when the CAD program withdrew its registration: it was closed,
// whether or not its process still answers.
bool StillRegistered(AppState& state, const Services& services) {
    std::optional<std::chrono::milliseconds>& checked = state.Watch.RegistrationChecked;
    const std::chrono::milliseconds now = services.Time.Now();
    if (checked && now - *checked < RegistrationInterval) {
        return true;
    }
    checked = now;
    return cad::CheckRegistration(state.Cad, services.Automation) != cad::HeldProgram::Gone;
}

} // namespace

void Timer1_Timer(AppState& state, const Services& services, bool mainWindowIsActive) {
    (void)PollDocument(state, services, mainWindowIsActive);
}

bool PollDocument(AppState& state, const Services& services, bool mainWindowIsActive) {
    WatchState& watch = state.Watch;
    cad::CadConnection& cad = state.Cad;
    const ListsFilledByProgram filling(state);
    if (mainWindowIsActive || !cad.CadAttached) {
        return false;
    }
    if (!cad.CadApp || !StillRegistered(state, services)) {
        ExitProgram(state, services);
        return false;
    }
    const int32_t code = cad::ConnectCad(cad, services.Automation);
    if (cad.OutOfReach) {
        // Busy recomputing, not gone: the next tick asks again.
        return true;
    }
    if (code == NoDocument) {
        ExitProgram(state, services);
        return false;
    }
    if (code == cad::ids::SheetMetalDocumentType) {
        if (!SameObject(cad.ActiveDoc, watch.Shown.Object) || !watch.SheetMetalOpen ||
            !watch.Shown.ValuesKnown) {
            watch.CadRunning = true;
            watch.InPlaceEdit = false;
        }
        Follow(state, services, cad.ActiveDoc, cad.ActiveDocName, true);
    } else if (code == cad::ids::AssemblyDocumentType) {
        const int32_t part = cad::FindInPlaceDocument(cad);
        if (cad.OutOfReach) {
            return true;
        }
        watch.CadRunning = true;
        watch.InPlaceEdit = true;
        Follow(state, services, cad.WorkDocument, cad.WorkDocName,
               part == cad::ids::SheetMetalDocumentType);
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
    watch.Shown = {};
    const int32_t code = cad::ConnectCad(cad, services.Automation);
    if (code == NoDocument) {
        watch.CadRunning = false;
        return;
    }
    cad::ObjectRef document;
    if (code == cad::ids::AssemblyDocumentType) {
        watch.InPlaceEdit = true;
        const int32_t part = cad::FindInPlaceDocument(cad);
        watch.Shown.Object = cad.WorkDocument;
        if (part == cad::ids::SheetMetalDocumentType) {
            document = cad.WorkDocument;
        }
    } else if (code == cad::ids::SheetMetalDocumentType) {
        document = cad.ActiveDoc;
        watch.Shown.Object = cad.ActiveDoc;
    }
    if (document) {
        watch.SheetMetalOpen = true;
        watch.Shown.FullName = FullNameOf(document);
        ReadValues(state);
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
