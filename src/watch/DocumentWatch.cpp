#include "watch/DocumentWatch.h"

#include "cad/GuardedCalls.h"
#include "core/DocumentValues.h"
#include "core/Exit.h"
#include "core/Lists.h"
#include "core/WaitingWrite.h"

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
const std::string& NameInCad(const AppState& state) {
    return state.Document.InPlaceEdit ? state.Cad.WorkDocName : state.Cad.ActiveDocName;
}

// Reads the shown document's values and finds its type; a read cut short
// leaves them unknown, and the next tick reads again.
void ReadValues(AppState& state) {
    ShownDocument& document = state.Document;
    const auto values = cad::ReadSheetMetalVariables(state.Variables, document.Object);
    document.ValuesKnown = values.has_value();
    document.Values = values.value_or(cad::CadValues{});
    document.TypeRow = document.ValuesKnown ? RecognisedType(state.Tables, document.Values) : 0;
}

// Makes `object` the shown document: a sheet-metal document is read, any
// other only named. The lists follow.
void ShowNewDocument(AppState& state, const cad::ObjectRef& object, bool sheetMetal) {
    ShownDocument& document = state.Document;
    document.Object = object;
    document.Name = NameInCad(state);
    document.FullName = sheetMetal ? FullNameOf(object) : std::string();
    document.SheetMetal = sheetMetal;
    document.ValuesKnown = false;
    document.Values = {};
    document.TypeRow = 0;
    if (sheetMetal) {
        ReadValues(state);
    }
    ShowDocumentType(state);
}

// The document the CAD program works on now. The shown one stays, only
// renamed by a Save As, while it is the same object and its values are
// known; any other is shown and read anew.
void Follow(AppState& state, const cad::ObjectRef& object, bool sheetMetal) {
    ShownDocument& document = state.Document;
    const bool same = object ? cad::SameObject(object, document.Object) : !document.Object;
    if (same && sheetMetal == document.SheetMetal && (!sheetMetal || document.ValuesKnown)) {
        if (document.Name != NameInCad(state)) {
            // A Save As: the same document under another name.
            document.Name = NameInCad(state);
            document.FullName = sheetMetal ? FullNameOf(object) : std::string();
            ShowDocumentType(state);
        }
        return;
    }
    if (same && sheetMetal && document.SheetMetal) {
        // The same document, read incompletely before: read it again.
        ReadValues(state);
        ShowDocumentType(state);
        return;
    }
    ShowNewDocument(state, object, sheetMetal);
}

// False when the CAD program withdrew its registration: it was closed,
// whether or not its process still answers.
bool StillRegistered(AppState& state, const Services& services) {
    std::optional<std::chrono::milliseconds>& checked = state.Run.RegistrationChecked;
    const std::chrono::milliseconds now = services.Time.Now();
    if (checked && now - *checked < RegistrationInterval) {
        return true;
    }
    checked = now;
    return cad::CheckRegistration(state.Cad, services.Automation) != cad::HeldProgram::Gone;
}

} // namespace

void OnTick(AppState& state, const Services& services, bool mainWindowIsActive) {
    FinishWaitingWrite(state, services);
    (void)PollDocument(state, services, mainWindowIsActive);
}

bool PollDocument(AppState& state, const Services& services, bool mainWindowIsActive) {
    ShownDocument& document = state.Document;
    cad::CadConnection& cad = state.Cad;
    if (mainWindowIsActive || !cad.CadAttached) {
        return false;
    }
    if (!cad.CadApp || !StillRegistered(state, services)) {
        ExitProgram(state, services);
        return false;
    }
    const DocumentKind kind =
        cad::ConnectCad(cad, services.Automation, cad::NameReading::Periodically);
    if (cad.OutOfReach) {
        // Busy recomputing, not gone: the next tick asks again.
        return true;
    }
    if (kind == DocumentKind::None) {
        ExitProgram(state, services);
        return false;
    }
    if (kind == DocumentKind::SheetMetal) {
        if (!cad::SameObject(cad.ActiveDoc, document.Object) || !document.SheetMetal ||
            !document.ValuesKnown) {
            document.CadRunning = true;
            document.InPlaceEdit = false;
        }
        Follow(state, cad.ActiveDoc, true);
    } else if (kind == DocumentKind::Assembly) {
        const DocumentKind part = cad::FindInPlaceDocument(cad, cad::NameReading::Periodically);
        if (cad.OutOfReach) {
            return true;
        }
        document.CadRunning = true;
        document.InPlaceEdit = true;
        Follow(state, cad.WorkDocument, part == DocumentKind::SheetMetal);
    }
    // Any other document (a part, a drawing): the window keeps the last sheet-metal document.
    return true;
}

void RefreshDocument(AppState& state, const Services& services) {
    cad::CadConnection& cad = state.Cad;
    ShownDocument& document = state.Document;
    document = ShownDocument{};
    document.CadRunning = true;
    const DocumentKind kind = cad::ConnectCad(cad, services.Automation);
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
    document.Name = NameInCad(state);
    if (sheetMetal) {
        document.SheetMetal = true;
        document.FullName = FullNameOf(document.Object);
        ReadValues(state);
    }
}

} // namespace psm
