#include "core/WaitingWrite.h"

#include "core/Journal.h"

namespace psm {

bool FinishWaitingWrite(AppState& state, const Services& services) {
    cad::PendingRestore& pending = state.Variables.Pending;
    if (pending.Empty()) {
        return true;
    }
    if (cad::FinishPending(pending) == cad::PendingOutcome::Waiting) {
        return false;
    }
    if (pending.PutBackSome) {
        JournalledWrite line;
        line.Action = JournalAction::WrittenBack;
        line.Outcome = cad::WriteOutcome::Written;
        line.Report.Before = pending.Report.After;
        line.Report.After = pending.Now;
        line.Report.Target = pending.Report.Before;
        line.Report.Changed = true;
        line.FeaturesBefore = line.FeaturesAfter = UncheckedFeatures(state);
        JournalWrite(state, services, pending.DocumentName, line);
    }
    pending = cad::PendingRestore{};
    return true;
}

} // namespace psm
