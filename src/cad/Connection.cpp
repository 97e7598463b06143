#include "cad/Connection.h"

#include "cad/CadIds.h"
#include "cad/GuardedCalls.h"

namespace psm::cad {

DocumentKind KindOf(int32_t typeCode) {
    switch (typeCode) {
    case ids::AssemblyDocumentType:
        return DocumentKind::Assembly;
    case ids::SheetMetalDocumentType:
        return DocumentKind::SheetMetal;
    default:
        return DocumentKind::Other;
    }
}

namespace {

// Notes a step that found the program busy or gone.
template <class T>
Result<T> Noting(Result<T> result, bool& outOfReach) {
    if (!result && IsOutOfReach(result.Error())) {
        outOfReach = true;
    }
    return result;
}

// The application, seen through its interface; null when it is not running
// or does not answer.
ObjectRef Attach(Automation& automation, bool& outOfReach) {
    auto running = Noting(automation.GetActiveObject(ids::CadProgId), outOfReach);
    if (!running) {
        return nullptr;
    }
    auto seen = Noting(running.Value()->As(ids::ApplicationIid), outOfReach);
    return seen ? seen.Value() : nullptr;
}

// The open documents' collection, seen through its interface.
ObjectRef OpenDocuments(const ObjectRef& app, bool& outOfReach) {
    auto seen =
        Noting(TryGetObject(app, Id(ids::OpenDocumentsId), {}, ids::DocumentsIid), outOfReach);
    return seen ? seen.Value() : nullptr;
}

// The number of open documents, through connection.Documents (not null);
// nothing when it does not convert.
Result<std::optional<int16_t>> DocumentCount(CadConnection& connection) {
    auto read = connection.Documents->Get(Id(ids::DocumentCountId), {});
    if (!read) {
        return read.Error();
    }
    return read.Value().AsInt16();
}

// A new attach: the program, its registration and its documents.
bool AttachAnew(CadConnection& connection, Automation& automation) {
    ObjectRef app = Attach(automation, connection.OutOfReach);
    if (!app) {
        return false;
    }
    connection.CadApp = app;
    const auto registered = automation.RegistrationOf(ids::CadProgId);
    connection.Registered = registered ? std::optional(registered.Value()) : std::nullopt;
    connection.Documents = OpenDocuments(connection.CadApp, connection.OutOfReach);
    return true;
}

// The program's active document: through the references kept from the last
// call while they reach the program, else through a new attach. Null when
// there is none, it cannot be read, or the program cannot be reached (then
// reached is false).
ObjectRef ActiveDocument(CadConnection& connection, Automation& automation, bool& reached) {
    reached = false;
    if (connection.CadApp && connection.Documents) {
        auto kept = connection.CadApp->Get(Id(ids::CurrentDocumentId), {});
        if (kept || !IsGone(kept.Error())) {
            if (!kept && IsBusy(kept.Error())) {
                connection.OutOfReach = true;
                return nullptr;
            }
            reached = true;
            return kept ? kept.Value().AsObject() : nullptr;
        }
        // CadApp stays as it was should the attach fail.
        connection.Documents = nullptr;
    }
    if (!AttachAnew(connection, automation) || connection.OutOfReach) {
        return nullptr;
    }
    GuardedSteps steps;
    ObjectRef active = steps.Object(connection.CadApp, Id(ids::CurrentDocumentId));
    connection.OutOfReach = steps.OutOfReach();
    reached = !connection.OutOfReach;
    return active;
}

// Without an active document: None when no document is open, Unreadable
// when some are (or their number cannot be told).
DocumentKind KindWithoutActiveDocument(CadConnection& connection) {
    if (!connection.Documents) {
        return DocumentKind::None;
    }
    const auto count = Noting(DocumentCount(connection), connection.OutOfReach);
    if (connection.OutOfReach) {
        return DocumentKind::None;
    }
    const int16_t open = count ? count.Value().value_or(0) : 0;
    return open > 0 ? DocumentKind::Unreadable : DocumentKind::None;
}

// Whether this call reads the name of the same active document again: every
// call when asked for, else every few calls, often enough that a Save As
// shows within half a second of 100-ms ticks.
bool NameDue(CadConnection& connection, NameReading names) {
    if (names == NameReading::Always || ++connection.CallsSinceName >= NameReadInterval) {
        connection.CallsSinceName = 0;
        return true;
    }
    return false;
}

// Classifies the active document; keeps the handle of one that is the same
// object as before (it knows its members' identifiers) and its type.
DocumentKind ClassifyActiveDocument(CadConnection& connection, ObjectRef active, NameReading names,
                                    GuardedSteps& steps) {
    connection.SameActiveDoc = SameObject(active, connection.ActiveDoc);
    if (!connection.SameActiveDoc) {
        connection.ActiveDoc = std::move(active);
        connection.ActiveAssembly = nullptr;
        connection.ActiveKindRead.reset();
    }
    if (!connection.ActiveKindRead) {
        // A type that cannot be read now is read again next time.
        if (const auto type = steps.Read<int32_t>(connection.ActiveDoc, Named("Type"))) {
            connection.ActiveKindRead = KindOf(*type);
        }
    }
    const DocumentKind result = connection.ActiveKindRead.value_or(DocumentKind::Unreadable);
    // An assembly's own name is never shown.
    const bool nameWanted = !connection.SameActiveDoc || result != DocumentKind::Assembly;
    if (nameWanted && (!connection.SameActiveDoc || NameDue(connection, names))) {
        // An unreadable name must not leave the earlier document's name to
        // pass for this one's.
        auto name = steps.Read<std::string>(connection.ActiveDoc, Named("Name"));
        if (!steps.OutOfReach()) {
            connection.ActiveDocName = name.value_or("");
        }
    }
    return result;
}

} // namespace

DocumentKind ConnectCad(CadConnection& connection, Automation& automation, NameReading names) {
    connection.CadAttached = true;
    connection.OutOfReach = false;
    connection.SameActiveDoc = false;

    bool reached = false;
    ObjectRef active = ActiveDocument(connection, automation, reached);
    if (!reached) {
        // A program too busy to answer is still running: the watch goes on.
        connection.CadAttached = connection.OutOfReach;
        return DocumentKind::None;
    }
    DocumentKind result = DocumentKind::Unreadable;
    if (!active) {
        // Asked only now: while a document is active, some are open.
        result = KindWithoutActiveDocument(connection);
    } else {
        GuardedSteps steps;
        result = ClassifyActiveDocument(connection, std::move(active), names, steps);
        connection.OutOfReach = steps.OutOfReach();
    }
    if (connection.OutOfReach) {
        // Nothing is known of the active document; ActiveKind stays.
        return DocumentKind::None;
    }
    // Without an active document the one from an earlier call stays, but is
    // not classified again: the result is Unreadable.
    connection.ActiveKind = result;
    return result;
}

namespace {

DocumentKind NoWorkDocument(CadConnection& connection) {
    connection.WorkDocument = nullptr;
    connection.WorkKind = DocumentKind::None;
    return DocumentKind::None;
}

// The program did not answer: nothing is known of the part, and nothing
// found so far is kept for it.
DocumentKind Unreached(CadConnection& connection) {
    connection.OutOfReach = true;
    connection.WorkDocName.clear();
    connection.FirstComponent = nullptr;
    return NoWorkDocument(connection);
}

ObjectRef LinkOfNamedComponent(GuardedSteps& steps, const ObjectRef& component,
                               const ObjectRef& assembly) {
    const auto name = steps.Read<std::string>(component, Named("Name"));
    if (!name) {
        return nullptr;
    }
    const ObjectRef partLinks = steps.Object(assembly, Id(ids::PartLinksId), {}, ids::PartLinksIid);
    return steps.Object(partLinks, Id(ids::ItemId), {Value::Text(*name)}, ids::LinkIid);
}

} // namespace

DocumentKind GetInPlaceDocument(CadConnection& connection, const ObjectRef& assembly) {
    GuardedSteps steps;
    connection.OutOfReach = false;
    connection.WorkDocName.clear();
    // Every reference below is obtained anew; one left from an earlier call
    // never stands in for one this call failed to get.
    connection.ComponentSet =
        steps.Object(assembly, Id(ids::ComponentSetId), {}, ids::ComponentSetIid);
    connection.FirstComponent = nullptr;
    connection.PartLink = nullptr;
    connection.WorkDocument = nullptr;

    const ObjectRef first =
        steps.Object(connection.ComponentSet, Id(ids::ItemId), {Value::Int16(1)});
    const int32_t componentType = steps.Read<int32_t>(first, Named("Type")).value_or(0);
    const int16_t count =
        steps.Read<int16_t>(connection.ComponentSet, Id(ids::ComponentCountId)).value_or(0);
    if (steps.OutOfReach()) {
        return Unreached(connection);
    }
    if (count != 1) {
        return NoWorkDocument(connection);
    }
    connection.FirstComponent = first;

    if (componentType == ids::NamedComponentType) {
        connection.PartLink = LinkOfNamedComponent(steps, first, assembly);
    } else if (componentType == ids::DirectComponentType) {
        connection.AssemblyComponent = steps.Object(connection.ComponentSet, Id(ids::ItemId),
                                                    {Value::Int16(1)}, ids::ComponentIid);
        connection.PartLink =
            steps.Object(connection.AssemblyComponent, Id(ids::ComponentLinkId), {}, ids::LinkIid);
        if (steps.Read<bool>(connection.PartLink, Id(ids::LinkBlockedId)).value_or(false)) {
            return NoWorkDocument(connection);
        }
    } else {
        return NoWorkDocument(connection);
    }

    connection.WorkDocument = steps.Object(connection.PartLink, Id(ids::LinkedDocumentId));
    auto name = steps.Read<std::string>(connection.WorkDocument, Named("Name"));
    const auto type = steps.Read<int32_t>(connection.WorkDocument, Named("Type"));
    if (steps.OutOfReach()) {
        return Unreached(connection);
    }
    if (!connection.WorkDocument) {
        return NoWorkDocument(connection);
    }
    connection.WorkDocName = name.value_or("");
    connection.WorkKind = type ? KindOf(*type) : DocumentKind::Unreadable;
    return connection.WorkKind;
}

DocumentKind FindInPlaceDocument(CadConnection& connection, NameReading names) {
    connection.OutOfReach = false;
    if (connection.SameActiveDoc && connection.ActiveAssembly && connection.ComponentSet) {
        // The same assembly: its part stays while its component set holds
        // the same single component. Asked at every tick, so that a
        // component added, removed or replaced is followed at once.
        GuardedSteps steps;
        const auto count = steps.Read<int16_t>(connection.ComponentSet, Id(ids::ComponentCountId));
        if (steps.OutOfReach()) {
            return Unreached(connection);
        }
        if (count && *count != 1) {
            connection.FirstComponent = nullptr;
            connection.WorkDocName.clear();
            return NoWorkDocument(connection);
        }
        const ObjectRef first =
            count ? steps.Object(connection.ComponentSet, Id(ids::ItemId), {Value::Int16(1)})
                  : nullptr;
        if (SameObject(first, connection.FirstComponent)) {
            if (!connection.WorkDocument || !NameDue(connection, names)) {
                return connection.WorkKind; // no part behind it, or its name is known
            }
            // A Save As may have renamed the part.
            auto name = steps.Read<std::string>(connection.WorkDocument, Named("Name"));
            if (name) {
                connection.WorkDocName = std::move(*name);
                return connection.WorkKind;
            }
        }
        if (steps.OutOfReach()) {
            return Unreached(connection);
        }
    }
    if (!connection.ActiveAssembly && connection.ActiveDoc) {
        auto seen =
            Noting(connection.ActiveDoc->As(ids::AssemblyDocumentIid), connection.OutOfReach);
        if (connection.OutOfReach) {
            return Unreached(connection);
        }
        connection.ActiveAssembly = seen ? seen.Value() : nullptr;
    }
    return GetInPlaceDocument(connection, connection.ActiveAssembly);
}

HeldProgram CheckRegistration(CadConnection& connection, Automation& automation) {
    const auto now = automation.RegistrationOf(ids::CadProgId);
    if (!now) {
        return HeldProgram::Unknown;
    }
    if (!now.Value().Registered) {
        return HeldProgram::Gone;
    }
    if (connection.Registered && connection.Registered->Since != now.Value().Since) {
        // Another program runs now: the next call attaches to it.
        connection.Documents = nullptr;
        return HeldProgram::Replaced;
    }
    return HeldProgram::Registered;
}

} // namespace psm::cad
