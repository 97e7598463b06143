#include "watch/DocumentWatch.h"

#include "cad/GuardedCalls.h"
#include "core/DocumentValues.h"
#include "lists/Lists.h"

namespace psm {
namespace {

using cad::DocumentKind;

// The CAD program's registration is looked at this often while the watch
// polls: a program closed by its user may live on while psm holds its
// objects, and answer them.
constexpr std::chrono::milliseconds RegistrationInterval{1000};

// The document's full file name; its name where the program has none.
std::string FullNameOf(const cad::ObjectRef& document) {
    if (auto full = cad::GetAs<std::string>(document, cad::Named("FullName"))) {
        return *full;
    }
    return cad::GetAs<std::string>(document, cad::Named("Name")).value_or("");
}

// The name the label shows for the document the CAD program works on.
const std::string& NameInCad(const WatchState& watch) {
    return watch.Document.InPlaceEdit ? watch.Cad.WorkDocName : watch.Cad.ActiveDocName;
}

// Reads the shown document's values and finds its type; a read cut short
// leaves them unknown, and the next tick reads again.
void ReadValues(WatchState& watch, const TableModel& tables) {
    ShownDocument& document = watch.Document;
    const auto values = cad::ReadSheetMetalVariables(watch.Variables, document.Object);
    document.ValuesKnown = values.has_value();
    document.Values = values.value_or(cad::CadValues{});
    document.TypeRow = document.ValuesKnown ? RecognisedType(tables, document.Values) : 0;
}

// Makes `object` the shown document: a sheet-metal document is read, any
// other only named. The lists follow.
void ShowNewDocument(WatchState& watch, ListsState& lists, const TableModel& tables,
                     const cad::ObjectRef& object, bool sheetMetal) {
    ShownDocument& document = watch.Document;
    document.Object = object;
    document.Name = NameInCad(watch);
    document.FullName = sheetMetal ? FullNameOf(object) : std::string();
    document.SheetMetal = sheetMetal;
    document.ValuesKnown = false;
    document.Values = {};
    document.TypeRow = 0;
    if (sheetMetal) {
        ReadValues(watch, tables);
    }
    ShowDocumentType(lists, tables, document);
}

// The document the CAD program works on now. The shown one stays, only
// renamed by a Save As, while it is the same object and its values are
// known; any other is shown and read anew.
void Follow(WatchState& watch, ListsState& lists, const TableModel& tables,
            const cad::ObjectRef& object, bool sheetMetal) {
    ShownDocument& document = watch.Document;
    const bool same = object ? cad::SameObject(object, document.Object) : !document.Object;
    if (same && sheetMetal == document.SheetMetal && (!sheetMetal || document.ValuesKnown)) {
        if (document.Name != NameInCad(watch)) {
            // A Save As: the same document under another name.
            document.Name = NameInCad(watch);
            document.FullName = sheetMetal ? FullNameOf(object) : std::string();
            ShowDocumentType(lists, tables, document);
        }
        return;
    }
    if (same && sheetMetal && document.SheetMetal) {
        // The same document, read incompletely before: read it again.
        ReadValues(watch, tables);
        ShowDocumentType(lists, tables, document);
        return;
    }
    ShowNewDocument(watch, lists, tables, object, sheetMetal);
}

// False when the CAD program withdrew its registration: it was closed,
// whether or not its process still answers.
bool StillRegistered(WatchState& watch, const WatchPorts& ports) {
    std::optional<std::chrono::milliseconds>& checked = watch.RegistrationChecked;
    const std::chrono::milliseconds now = ports.Time.Now();
    if (checked && now - *checked < RegistrationInterval) {
        return true;
    }
    checked = now;
    return cad::CheckRegistration(watch.Cad, ports.Automation) != cad::HeldProgram::Gone;
}

} // namespace

PollResult PollDocument(WatchState& watch, ListsState& lists, const TableModel& tables,
                        const WatchPorts& ports, bool mainWindowIsActive) {
    ShownDocument& document = watch.Document;
    cad::CadConnection& cad = watch.Cad;
    if (mainWindowIsActive || !cad.CadAttached) {
        return PollResult::Skipped;
    }
    if (!cad.CadApp || !StillRegistered(watch, ports)) {
        return PollResult::CadGone;
    }
    const DocumentKind kind =
        cad::ConnectCad(cad, ports.Automation, cad::NameReading::Periodically);
    if (cad.OutOfReach) {
        // Busy recomputing, not gone: the next tick asks again.
        return PollResult::Asked;
    }
    if (kind == DocumentKind::None) {
        return PollResult::CadGone;
    }
    if (kind == DocumentKind::SheetMetal) {
        if (!cad::SameObject(cad.ActiveDoc, document.Object) || !document.SheetMetal ||
            !document.ValuesKnown) {
            document.CadRunning = true;
            document.InPlaceEdit = false;
        }
        Follow(watch, lists, tables, cad.ActiveDoc, true);
    } else if (kind == DocumentKind::Assembly) {
        const DocumentKind part = cad::FindInPlaceDocument(cad, cad::NameReading::Periodically);
        if (cad.OutOfReach) {
            return PollResult::Asked;
        }
        document.CadRunning = true;
        document.InPlaceEdit = true;
        Follow(watch, lists, tables, cad.WorkDocument, part == DocumentKind::SheetMetal);
    }
    // Any other document (a part, a drawing): the window keeps the last sheet-metal document.
    return PollResult::Asked;
}

void RefreshDocument(WatchState& watch, const TableModel& tables, cad::Automation& automation) {
    cad::CadConnection& cad = watch.Cad;
    ShownDocument& document = watch.Document;
    document = ShownDocument{};
    document.CadRunning = true;
    const DocumentKind kind = cad::ConnectCad(cad, automation);
    if (kind == DocumentKind::None) {
        document.CadRunning = false;
        return;
    }
    bool sheetMetal = false;
    if (kind == DocumentKind::Assembly) {
        document.InPlaceEdit = true;
        sheetMetal = cad::FindInPlaceDocument(cad) == DocumentKind::SheetMetal;
        document.Object = cad.WorkDocument;
    } else if (kind == DocumentKind::SheetMetal) {
        sheetMetal = true;
        document.Object = cad.ActiveDoc;
    }
    document.Name = NameInCad(watch);
    if (sheetMetal) {
        document.SheetMetal = true;
        document.FullName = FullNameOf(document.Object);
        ReadValues(watch, tables);
    }
}

} // namespace psm
