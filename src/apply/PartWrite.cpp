#include "apply/PartWrite.h"

#include "apply/WaitingWrite.h"
#include "cad/GuardedCalls.h"
#include "core/DocumentValues.h"
#include "core/FeatureTexts.h"

namespace psm {
namespace {

PartWriteResult OutOfReach(bool gone) {
    return gone ? PartWriteResult::Gone : PartWriteResult::Busy;
}

PartWriteResult StoppedBecause(cad::WriteOutcome outcome, cad::WriteStop stop) {
    switch (outcome) {
    case cad::WriteOutcome::RestoreIncomplete:
        return PartWriteResult::Mixed;
    case cad::WriteOutcome::RestorePending:
        return PartWriteResult::Busy;
    case cad::WriteOutcome::Written:
    case cad::WriteOutcome::NotWritten:
        break;
    }
    switch (stop) {
    case cad::WriteStop::Missing:
        return PartWriteResult::Missing;
    case cad::WriteStop::Refused:
    case cad::WriteStop::None:
        return PartWriteResult::Refused;
    case cad::WriteStop::NotKept:
        return PartWriteResult::NotKept;
    case cad::WriteStop::Busy:
        return PartWriteResult::Busy;
    case cad::WriteStop::Gone:
        return PartWriteResult::Gone;
    }
    return PartWriteResult::Refused;
}

PartWriteResult AfterCheck(const PartWriteOutcome& outcome) {
    if (!outcome.CheckedAfter) {
        return PartWriteResult::Written;
    }
    if (!outcome.After.Complete) {
        return PartWriteResult::WrittenUnchecked;
    }
    return outcome.After.Healthy() ? PartWriteResult::Written : PartWriteResult::WrittenFailing;
}

// A check before that found nothing wrong and ran to its end.
bool Clean(const cad::FeatureCheck& check) {
    return check.Complete && check.Healthy();
}

PartWriteResult NotConfirmed(const cad::FeatureCheck& check) {
    if (check.CopiedPartFound) {
        return PartWriteResult::CopiedPart;
    }
    return check.Complete ? PartWriteResult::FailingBefore : OutOfReach(check.Gone);
}

// The document's full file name, read before anything is put, so that the
// journal names it even when the program stops answering later; its name
// where the program gives no full name.
std::optional<std::string> FullNameOf(const cad::ObjectRef& document, bool& gone) {
    cad::GuardedSteps steps;
    auto name = steps.Read<std::string>(document, cad::Named("FullName"));
    if (!name && !steps.OutOfReach()) {
        name = steps.Read<std::string>(document, cad::Named("Name"));
    }
    if (steps.OutOfReach()) {
        gone = cad::IsGone(*steps.Lost());
        return std::nullopt;
    }
    return name.value_or("");
}

void Journal(const Writer& writer, const PartWriteRequest& request, const PartWriteOutcome& outcome,
             std::string featuresBefore) {
    const LanguageTexts& texts = writer.Program.Texts;
    JournalledWrite line;
    line.Action = request.Action;
    line.Outcome =
        Landed(outcome.Result) ? cad::WriteOutcome::Written : cad::WriteOutcome::NotWritten;
    line.Report = outcome.Report;
    line.FeaturesBefore = std::move(featuresBefore);
    line.FeaturesAfter = Landed(outcome.Result)
                             ? FeaturesCell(texts, outcome.After, outcome.CheckedAfter)
                             : UncheckedFeatures(texts);
    writer.Log(outcome.FullName, line);
}

} // namespace

bool Landed(PartWriteResult result) {
    return result == PartWriteResult::Written || result == PartWriteResult::WrittenFailing ||
           result == PartWriteResult::WrittenUnchecked;
}

std::string FeaturesCell(const LanguageTexts& texts, const cad::FeatureCheck& check, bool ran) {
    return ran && check.Complete ? FeatureCell(check.Findings, texts) : UncheckedFeatures(texts);
}

PartWriteOutcome WritePart(const Writer& writer, const cad::CadConnection& connection,
                           const PartWriteRequest& request) {
    const TableModel& tables = writer.Program.Tables;
    PartWriteOutcome outcome;
    const cad::ObjectRef& document = request.Document;
    // What an earlier write left waiting comes first: one part's put-backs
    // never wait behind another part's write.
    if (!FinishWaitingWrite(writer)) {
        outcome.Result = PartWriteResult::Busy;
        outcome.HoldPending = true;
        return outcome;
    }
    bool gone = false;
    const auto fullName = FullNameOf(document, gone);
    if (!fullName) {
        outcome.Result = OutOfReach(gone);
        return outcome;
    }
    outcome.FullName = *fullName;
    // The variables' names come from this read, not from an older one.
    cad::SheetMetalVariables variables;
    const auto found = cad::ReadSheetMetalVariables(variables, document);
    if (!found) {
        outcome.Result = OutOfReach(variables.ReadGone);
        return outcome;
    }
    outcome.Found = *found;
    if (request.SkipWhenType != 0 &&
        RecognisedType(tables, outcome.Found) == request.SkipWhenType) {
        outcome.Result = PartWriteResult::AlreadyType;
        return outcome;
    }
    std::string featuresBefore = request.FeaturesBefore;
    if (request.Before == CheckBefore::Confirm) {
        cad::CheckFeatureStatus(outcome.Before, document);
        outcome.CheckedBefore = true;
        featuresBefore = FeaturesCell(writer.Program.Texts, outcome.Before, true);
        if (!Clean(outcome.Before) &&
            !(request.ConfirmDespite && request.ConfirmDespite(outcome.Before))) {
            outcome.Result = NotConfirmed(outcome.Before);
            outcome.Declined = true;
            return outcome;
        }
    }
    const cad::WriteOutcome written =
        cad::WriteSheetMetalVariables(variables, connection, document, request.Targets,
                                      tables.ScaleFactor, writer.Events, request.Redraw);
    outcome.Report = variables.LastWrite;
    outcome.HoldPending = outcome.Report.HoldPending;
    if (!variables.Pending.Empty()) {
        variables.Pending.DocumentName = outcome.FullName;
        writer.State.Pending = std::move(variables.Pending);
    }
    if (written == cad::WriteOutcome::Written) {
        if (request.CheckAfter) {
            cad::CheckFeatureStatus(outcome.After, document);
            outcome.CheckedAfter = true;
        }
        outcome.Result = AfterCheck(outcome);
    } else {
        outcome.Result = StoppedBecause(written, outcome.Report.Stop);
    }
    Journal(writer, request, outcome, std::move(featuresBefore));
    return outcome;
}

} // namespace psm
