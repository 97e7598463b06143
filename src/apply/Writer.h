#pragma once

// What every write works with: the writer's own state (the variables it
// found, the put-backs and the recompute release that wait), the journal it
// writes its lines into, the value file and language it reads, and the ports
// it needs: the event pump (a redraw after the write) and the journal's.

#include "apply/Journalling.h"
#include "core/States.h"
#include "platform/EventPump.h"

namespace psm {

struct Writer {
    WriterState& State;
    JournalState& Journal;
    const ProgramContext& Program;
    EventPump& Events;
    JournalPorts JournalWith;

    void Log(const std::string& documentName, const JournalledWrite& write) const {
        JournalWrite(Journal, Program, JournalWith, documentName, write);
    }
};

} // namespace psm
