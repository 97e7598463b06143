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
    ObjectRef ActiveDoc;
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
};

// Attaches to the running CAD program and classifies its active document.
// Returns -1 when the program cannot be reached or has no open document (or
// is busy: then Busy is set), 0 when the active document or its type cannot
// be read, else its type code (3 assembly, 4 sheet metal).
int32_t ConnectCad(CadConnection& connection, Automation& automation);

// Given the active document seen through the assembly-document interface:
// the type code of the part document behind its single component, which
// becomes WorkDocument; -1 when there is no such document (WorkDocument is
// then empty and WorkDocType -1).
int32_t GetInPlaceDocument(CadConnection& connection, const ObjectRef& assembly);

} // namespace psm::cad
