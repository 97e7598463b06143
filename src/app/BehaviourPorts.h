#pragma once

// The composition root hands each behaviour its own state and only the ports
// it uses; these build the ports from the platform's services.

#include "app/AllHeldReferences.h"
#include "app/AppState.h"
#include "app/Services.h"
#include "apply/Writer.h"
#include "core/Boxes.h"
#include "options/Trace.h"
#include "survey/SurveyRun.h"
#include "watch/DocumentWatch.h"

namespace psm {

inline Asking AskingOf(const AppState& state, const Services& services) {
    return {services.Boxes, state.Texts};
}

inline JournalPorts JournalPortsOf(const Services& services) {
    return {services.Settings, services.Station, services.Time};
}

inline Writer WriterOf(AppState& state, const Services& services) {
    return {state, state.Journal, state, services.Events, JournalPortsOf(services)};
}

inline WatchPorts WatchPortsOf(const Services& services) {
    return {services.Automation, services.Time};
}

inline SurveyPorts SurveyPortsOf(const Services& services) {
    return {services.Survey, services.Automation, services.Time};
}

inline TracePorts TracePortsOf(const Services& services) {
    return {services.Tracing,    services.Settings, services.Station,   services.View,
            services.DecodeAnsi, services.Boxes,    services.Automation};
}

inline HeldReferences HeldReferencesOf(AppState& state) {
    return [&state](const HeldReferenceVisitor& visit) { ForEachHeldReference(state, visit); };
}

} // namespace psm
