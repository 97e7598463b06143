#pragma once

// The attach to the running CAD program, the classification of its active
// document, and the part document behind an assembly's single component.

#include "cad/Automation.h"

#include <cstdint>
#include <string>

namespace psm::cad {

// The CAD references and document facts this module owns.
struct CadConnection {
    ObjectRef CadApp; // seen through the application interface
    // The open documents, seen through their collection's interface. Kept
    // with CadApp from one call to the next, so that a program that answers
    // is not looked for again.
    ObjectRef Documents;
    ObjectRef ActiveDoc;
    // ActiveDoc seen as an assembly document; kept while ActiveDoc stays.
    // Only FindInPlaceDocument sets it, so with a WorkDocument beside it the
    // part was found behind the present ActiveDoc: while that stays active,
    // the part behind it is taken as the same.
    ObjectRef ActiveAssembly;
    ObjectRef WorkDocument;
    ObjectRef ComponentSet;
    ObjectRef AssemblyComponent;
    ObjectRef PartLink;
    bool CadAttached = false;
    int16_t OpenDocCount = 0;
    std::string ActiveDocName;
    int32_t ActiveDocType = 0;
    std::string WorkDocName;
    int32_t WorkDocType = 0;
    // The last ConnectCad found the program running but too busy to answer
    // (beyond the retry): its -1 then says nothing about open documents.
    bool Busy = false;
    // The last ConnectCad found the same active document as the one before
    // it; its type was known (ActiveDocTypeRead), not read again.
    bool SameActiveDoc = false;
    int32_t ActiveDocTypeRead = 0; // the "Type" read for ActiveDoc
};

// Attaches to the running CAD program and classifies its active document.
// Returns -1 when the program cannot be reached or has no open document (or
// is busy: then Busy is set), 0 when the active document or its type cannot
// be read, else its type code (3 assembly, 4 sheet metal).
//
// A program that answered the last call is asked through the references kept
// from it; only when they no longer reach it (it was closed, or closed and
// started again) is it looked for anew. An active document that is the same
// object as the last one keeps its handle and its known type; only its name
// is read again, since a Save As renames it. An assembly's own name is never
// shown, so for the same assembly it is not read again either.
int32_t ConnectCad(CadConnection& connection, Automation& automation);

// Given the active document seen through the assembly-document interface:
// the type code of the part document behind its single component, which
// becomes WorkDocument; -1 when there is no such document (WorkDocument is
// then empty and WorkDocType -1).
int32_t GetInPlaceDocument(CadConnection& connection, const ObjectRef& assembly);

// The same for the active document as ConnectCad left it: while the same
// assembly stays active, the part found behind it is kept and only its name is
// read again; otherwise GetInPlaceDocument on the assembly.
int32_t FindInPlaceDocument(CadConnection& connection);

} // namespace psm::cad
