#include "cad/Connection.h"

#include "cad/CadIds.h"
#include "cad/GuardedCalls.h"

namespace psm::cad {

namespace {

// Notes a step that failed because the program was busy.
template <class T>
Result<T> Noting(Result<T> result, bool& busy) {
    if (!result && IsBusy(result.Error())) {
        busy = true;
    }
    return result;
}

// The application, seen through its interface; null when it is not running
// or does not answer.
ObjectRef Attach(Automation& automation, bool& busy) {
    auto running = Noting(automation.GetActiveObject(ids::CadProgId), busy);
    if (!running) {
        return nullptr;
    }
    auto seen = Noting(running.Value()->As(ids::ApplicationIid), busy);
    return seen ? seen.Value() : nullptr;
}

// The open documents' collection, seen through its interface.
ObjectRef OpenDocuments(const ObjectRef& app, bool& busy) {
    auto seen = Noting(TryGetObject(app, Id(ids::OpenDocumentsId), {}, ids::DocumentsIid), busy);
    return seen ? seen.Value() : nullptr;
}

// The number of open documents, through connection.Documents (not null);
// nothing when it does not convert.
Result<std::optional<int16_t>> DocumentCount(CadConnection& connection) {
    auto read = Noting(connection.Documents->Get(Id(ids::DocumentCountId), {}), connection.Busy);
    if (!read) {
        return read.Error();
    }
    return read.Value().AsInt16();
}

// The number of open documents, through the kept collection; false when it
// no longer reaches the program, which must then be looked for again.
bool CountThroughKept(CadConnection& connection, std::optional<int16_t>& count) {
    if (!connection.CadApp || !connection.Documents) {
        return false;
    }
    const auto kept = DocumentCount(connection);
    if (!kept && IsGone(kept.Error())) {
        // CadApp stays as it was should the attach fail.
        connection.Documents = nullptr;
        return false;
    }
    count = kept ? kept.Value() : std::nullopt;
    return true;
}

// Classifies the active document; keeps the handle of one that is the same
// object as before (it knows its members' identifiers) and its type.
int32_t ClassifyActiveDocument(CadConnection& connection, ObjectRef active) {
    connection.SameActiveDoc = connection.ActiveDoc && active->IsSameObject(*connection.ActiveDoc);
    int32_t result = 0;
    if (connection.SameActiveDoc) {
        result = connection.ActiveDocTypeRead;
    } else {
        connection.ActiveDoc = std::move(active);
        connection.ActiveAssembly = nullptr;
        if (const auto type = GetAs<int32_t>(connection.ActiveDoc, Named("Type"))) {
            result = *type;
        }
        connection.ActiveDocTypeRead = result;
    }
    if (!connection.SameActiveDoc || result != ids::AssemblyDocumentType) {
        // An unreadable name must not leave the earlier document's name to
        // pass for this one's.
        connection.ActiveDocName =
            GetAs<std::string>(connection.ActiveDoc, Named("Name")).value_or("");
    }
    return result;
}

} // namespace

int32_t ConnectCad(CadConnection& connection, Automation& automation) {
    connection.CadAttached = true;
    connection.OpenDocCount = 0;
    connection.Busy = false;
    connection.SameActiveDoc = false;

    std::optional<int16_t> count;
    if (!CountThroughKept(connection, count)) {
        ObjectRef app = Attach(automation, connection.Busy);
        if (!app) {
            // A program too busy to answer is still running: the watch goes on.
            connection.CadAttached = connection.Busy;
            return -1;
        }
        connection.CadApp = app;
        connection.Documents = OpenDocuments(connection.CadApp, connection.Busy);
        if (connection.Documents) {
            const auto read = DocumentCount(connection);
            count = read ? read.Value() : std::nullopt;
        }
    }
    if (count) {
        connection.OpenDocCount = *count;
    }

    int32_t result = 0;
    if (connection.OpenDocCount <= 0) {
        result = -1;
    } else if (ObjectRef active = GetObject(connection.CadApp, Id(ids::CurrentDocumentId))) {
        result = ClassifyActiveDocument(connection, std::move(active));
    }
    // Without an active document the one from an earlier call stays, but is
    // not classified again: the result is 0.
    connection.ActiveDocType = result;
    return result;
}

namespace {

// The first component of the set (item 1), as returned.
ObjectRef FirstComponent(const ObjectRef& componentSet, std::string_view interfaceId = {}) {
    return GetObject(componentSet, Id(ids::ItemId), {Value::Int16(1)}, interfaceId);
}

ObjectRef LinkOfNamedComponent(const CadConnection& connection, const ObjectRef& assembly) {
    const auto name = GetAs<std::string>(FirstComponent(connection.ComponentSet), Named("Name"));
    if (!name) {
        return nullptr;
    }
    const ObjectRef partLinks = GetObject(assembly, Id(ids::PartLinksId), {}, ids::PartLinksIid);
    return GetObject(partLinks, Id(ids::ItemId), {Value::Text(*name)}, ids::LinkIid);
}

int32_t NoWorkDocument(CadConnection& connection) {
    connection.WorkDocument = nullptr;
    connection.WorkDocType = -1;
    return -1;
}

} // namespace

int32_t GetInPlaceDocument(CadConnection& connection, const ObjectRef& assembly) {
    connection.WorkDocName.clear();
    // Every reference below is obtained anew; one left from an earlier call
    // never stands in for one this call failed to get.
    connection.ComponentSet =
        GetObject(assembly, Id(ids::ComponentSetId), {}, ids::ComponentSetIid);
    connection.PartLink = nullptr;
    connection.WorkDocument = nullptr;

    const int32_t componentType =
        GetAs<int32_t>(FirstComponent(connection.ComponentSet), Named("Type")).value_or(0);
    const int16_t count =
        GetAs<int16_t>(connection.ComponentSet, Id(ids::ComponentCountId)).value_or(int16_t{0});
    if (count != 1) {
        return NoWorkDocument(connection);
    }

    if (componentType == ids::NamedComponentType) {
        connection.PartLink = LinkOfNamedComponent(connection, assembly);
    } else if (componentType == ids::DirectComponentType) {
        connection.AssemblyComponent = FirstComponent(connection.ComponentSet, ids::ComponentIid);
        connection.PartLink =
            GetObject(connection.AssemblyComponent, Id(ids::ComponentLinkId), {}, ids::LinkIid);
        if (GetAs<bool>(connection.PartLink, Id(ids::LinkBlockedId)).value_or(false)) {
            return NoWorkDocument(connection);
        }
    } else {
        return NoWorkDocument(connection);
    }

    connection.WorkDocument = GetObject(connection.PartLink, Id(ids::LinkedDocumentId));
    if (!connection.WorkDocument) {
        return NoWorkDocument(connection);
    }
    connection.WorkDocName =
        GetAs<std::string>(connection.WorkDocument, Named("Name")).value_or("");
    const int32_t result = GetAs<int32_t>(connection.WorkDocument, Named("Type")).value_or(0);
    connection.WorkDocType = GetAs<int32_t>(connection.WorkDocument, Named("Type")).value_or(0);
    return result;
}

int32_t FindInPlaceDocument(CadConnection& connection) {
    if (connection.SameActiveDoc && connection.ActiveAssembly && connection.WorkDocument) {
        // The same assembly: the part behind it stays, but a Save As may
        // have renamed it. A part that no longer answers is looked for anew.
        if (auto name = GetAs<std::string>(connection.WorkDocument, Named("Name"))) {
            connection.WorkDocName = std::move(*name);
            return connection.WorkDocType;
        }
    }
    if (!connection.ActiveAssembly && connection.ActiveDoc) {
        auto seen = connection.ActiveDoc->As(ids::AssemblyDocumentIid);
        connection.ActiveAssembly = seen ? seen.Value() : nullptr;
    }
    return GetInPlaceDocument(connection, connection.ActiveAssembly);
}

} // namespace psm::cad
