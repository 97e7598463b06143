#include "apply/WaitingWrite.h"

namespace psm {

bool FinishWaitingWrite(const Writer& writer) {
    cad::PendingRestore& pending = writer.State.Pending;
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
        line.FeaturesBefore = line.FeaturesAfter = UncheckedFeatures(writer.Program.Texts);
        writer.Log(pending.DocumentName, line);
    }
    pending = cad::PendingRestore{};
    return true;
}

} // namespace psm
