#pragma once

// The attach to the running CAD program, the classification of its active
// document, and the part document behind an assembly's single component.

#include "cad/Automation.h"

#include <cstdint>
#include <optional>
#include <string>

namespace psm::cad {

// What a document is to psm.
enum class DocumentKind {
    None,       // no document: none open, none to be found, or the program out of reach
    Unreadable, // a document whose type could not be read
    Assembly,
    SheetMetal,
    Other, // a part, a drawing: nothing to work on
};

// The kind of a CAD document type code (3 assembly, 4 sheet metal).
DocumentKind KindOf(int32_t typeCode);

// The CAD references and document facts this module owns.
struct CadConnection {
    ObjectRef CadApp; // seen through the application interface
    // The open documents, seen through their collection's interface. Kept
    // with CadApp from one call to the next, so that a program that answers
    // is not looked for again.
    ObjectRef Documents;
    ObjectRef ActiveDoc;
    // ActiveDoc seen as an assembly document; kept while ActiveDoc stays.
    ObjectRef ActiveAssembly;
    ObjectRef WorkDocument;
    ObjectRef ComponentSet;
    // The single component the work document was found behind; while the
    // same assembly holds it alone, the part behind it stays the same.
    ObjectRef FirstComponent;
    ObjectRef AssemblyComponent;
    ObjectRef PartLink;
    bool CadAttached = false;
    // Calls since the shown document's name was last read (NameReading::Periodically).
    int CallsSinceName = 0;
    std::string ActiveDocName;
    DocumentKind ActiveKind = DocumentKind::Unreadable;
    std::string WorkDocName;
    DocumentKind WorkKind = DocumentKind::Unreadable;
    // The last ConnectCad or FindInPlaceDocument met a program too busy to
    // answer (beyond what the wait budget allowed) or an object that went
    // away in the middle: its answer says nothing, and the caller asks again
    // at the next tick.
    bool OutOfReach = false;
    // The last ConnectCad found the same active document as the one before it.
    bool SameActiveDoc = false;
    // The kind read for ActiveDoc; none while its type could not be read,
    // so that the next call reads it again.
    std::optional<DocumentKind> ActiveKindRead;
    // The program's entry in the system's table when it was attached.
    std::optional<Registration> Registered;
};

// How often the name of a document that stays active is read again: a Save
// As renames it. A command reads it always; the watch's ticks every
// NameReadInterval-th time.
enum class NameReading { Always, Periodically };
inline constexpr int NameReadInterval = 4;

// Attaches to the running CAD program and classifies its active document.
// None when the program cannot be reached or has no open document (or is out
// of reach: then OutOfReach is set), Unreadable when the active document or
// its type cannot be read, else the active document's kind.
//
// A program that answered the last call is asked through the references kept
// from it; only when they no longer reach it (it was closed, or closed and
// started again) is it looked for anew. An active document that is the same
// object as the last one keeps its handle and its known type; only its name
// is read again, as `names` asks. An assembly's own name is never shown, so
// for the same assembly it is not read again either. The number of open
// documents is asked only when there is no active document: the usual call
// is one question to the program.
DocumentKind ConnectCad(CadConnection& connection, Automation& automation,
                        NameReading names = NameReading::Always);

// Given the active document seen through the assembly-document interface:
// the kind of the part document behind its single component, which becomes
// WorkDocument; None when there is no such document (WorkDocument is then
// empty) or the program was out of reach.
DocumentKind GetInPlaceDocument(CadConnection& connection, const ObjectRef& assembly);

// The same for the active document as ConnectCad left it. While the same
// assembly stays active, its component set is looked at (its count and its
// first component); only a new single component is followed to its part,
// and the part's name is read as `names` asks. Otherwise GetInPlaceDocument
// on the assembly.
DocumentKind FindInPlaceDocument(CadConnection& connection,
                                 NameReading names = NameReading::Always);

// What the system's table says of the program the connection holds.
enum class HeldProgram {
    Registered, // still the registered one
    Replaced,   // another one registered since: the kept references are dropped
    Gone,       // none registered: the program was closed
    Unknown,    // the table could not be asked
};

// Asks the system's table, never the program. A program that withdrew its
// registration is gone even while its objects still answer.
HeldProgram CheckRegistration(CadConnection& connection, Automation& automation);

} // namespace psm::cad
