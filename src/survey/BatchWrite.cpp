#include "survey/BatchWrite.h"

#include "core/Boxes.h"
#include "core/DocumentValues.h"
#include "core/Journal.h"
#include "core/Lists.h"
#include "core/Present.h"
#include "core/WaitingWrite.h"
#include "survey/SurveyRun.h"

#include <vector>

namespace psm {
namespace {

enum class PartOutcome { Written, SameType, Refused, NotTried };

// What became of one checked part.
struct PartWrite {
    std::size_t Part = 0;
    PartOutcome Outcome = PartOutcome::NotTried;
    SurveyText Reason = SurveyText::ReasonNotTried;
    cad::SheetMetalVariables Variables; // as the write found and left them
    cad::FeatureCheck After;
};

bool SameObject(const cad::ObjectRef& a, const cad::ObjectRef& b) {
    return a && b && a->IsSameObject(*b);
}

std::string Texted(const AppState& state, SurveyText text,
                   std::initializer_list<std::string_view> args) {
    return FormatText(state.Texts.Survey(text), args);
}

// Writes `targets` into the part and journals it; false when the CAD program
// still has to finish it (a put-back or the recompute's release waits).
bool WriteOne(AppState& state, const Services& services, PartWrite& write,
              const cad::CadValues& targets, JournalAction action,
              const std::string& featuresBefore) {
    const SurveyPart& part = state.Survey.Parts[write.Part];
    const cad::WriteOutcome outcome = cad::WriteSheetMetalVariables(
        write.Variables, state.Survey.Cad, part.Document, targets, state.Tables.ScaleFactor,
        services.Events, cad::AfterWrite::NoRedraw);
    const bool landed = outcome == cad::WriteOutcome::Written;
    if (landed) {
        cad::CheckFeatureStatus(write.After, part.Document);
    }
    JournalledWrite line;
    line.Action = action;
    line.Outcome = outcome;
    line.Report = write.Variables.LastWrite;
    line.FeaturesBefore = featuresBefore;
    line.FeaturesAfter =
        landed ? FeatureCell(write.After.Findings, state.Texts) : UncheckedFeatures(state);
    JournalWrite(state, services, part.Document, line);
    write.Outcome = landed ? PartOutcome::Written : PartOutcome::Refused;
    write.Reason = SurveyText::ReasonRefused;
    if (!write.Variables.Pending.Empty()) {
        // The program stopped answering: what waits is finished at the ticks.
        state.Variables.Pending = std::move(write.Variables.Pending);
        write.Variables.Pending = {};
        write.Reason = SurveyText::ReasonBusy;
        return false;
    }
    return true;
}

// Reads the part anew and writes the type, unless it carries the type
// already or its features fail already.
bool WritePart(AppState& state, const Services& services, PartWrite& write, int typeRow,
               const cad::CadValues& targets) {
    SurveyPart fresh = state.Survey.Parts[write.Part];
    if (!ReadPart(fresh, state.Tables, &write.Variables)) {
        write.Outcome = PartOutcome::Refused;
        write.Reason = SurveyText::ReasonBusy;
        return false;
    }
    write.Outcome = PartOutcome::Refused;
    if (fresh.Kind != PartKind::SheetMetal) {
        write.Reason = SurveyText::ReasonUnread;
        return true;
    }
    if (fresh.TypeRow == typeRow) {
        write.Outcome = PartOutcome::SameType;
        return true;
    }
    if (fresh.CopiedPart || !fresh.Findings.empty()) {
        write.Reason = fresh.CopiedPart ? SurveyText::ReasonCopiedPart : SurveyText::ReasonFeatures;
        return true;
    }
    return WriteOne(state, services, write, targets, JournalAction::Written,
                    FeatureCell(fresh.Findings, state.Texts));
}

std::string Summary(const AppState& state, const std::vector<PartWrite>& writes, int typeRow) {
    int written = 0;
    int same = 0;
    std::string refused;
    int refusedCount = 0;
    for (const PartWrite& write : writes) {
        if (write.Outcome == PartOutcome::Written) {
            ++written;
        } else if (write.Outcome == PartOutcome::SameType) {
            ++same;
        } else {
            ++refusedCount;
            refused += "\r\n" + Texted(state, SurveyText::RefusedLine,
                                       {state.Survey.Parts[write.Part].Name,
                                        state.Texts.Survey(write.Reason)});
        }
    }
    std::string text = Texted(state, SurveyText::SummaryWritten, {std::to_string(written)});
    text += "\r\n" + Texted(state, SurveyText::SummarySame,
                            {state.Tables.Type(typeRow).Name, std::to_string(same)});
    text += "\r\n" + Texted(state, SurveyText::SummaryRefused, {std::to_string(refusedCount)});
    return text + refused;
}

// The parts that landed but now have failing or warned features.
std::vector<PartWrite*> Failing(std::vector<PartWrite>& writes) {
    std::vector<PartWrite*> failing;
    for (PartWrite& write : writes) {
        if (write.Outcome == PartOutcome::Written && !write.After.Healthy()) {
            failing.push_back(&write);
        }
    }
    return failing;
}

std::string FailingLines(const AppState& state, const std::vector<PartWrite*>& failing) {
    std::string text = "\r\n\r\n" + state.Texts.Survey(SurveyText::FailingAfter);
    for (const PartWrite* write : failing) {
        std::string features = FeatureLines(write->After.Findings, state.Texts);
        if (write->After.CopiedPartFound) {
            features += "\r\n" + state.Texts.Survey(SurveyText::CopiedPart);
        }
        text += "\r\n" + Texted(state, SurveyText::FailingLine,
                                {state.Survey.Parts[write->Part].Name, features});
    }
    return text;
}

// Yes to the question: the earlier values back into exactly those parts.
void WriteBack(AppState& state, const Services& services, const std::vector<PartWrite*>& failing) {
    int back = 0;
    for (PartWrite* write : failing) {
        const cad::CadValues earlier =
            RestoreTargets(write->Variables.LastWrite.Before, state.Tables.ScaleFactor);
        const std::string featuresBefore = FeatureCell(write->After.Findings, state.Texts);
        const bool answering =
            WriteOne(state, services, *write, earlier, JournalAction::WrittenBack, featuresBefore);
        back += write->Outcome == PartOutcome::Written ? 1 : 0;
        if (!answering) {
            break;
        }
    }
    cad::RedrawAfterWrite(state.Survey.Cad, nullptr);
    ShowBox(state, services, Texted(state, SurveyText::WrittenBack, {std::to_string(back)}),
            MessageButtons::Ok, MessageIcon::Information);
}

} // namespace

void WriteCheckedParts(AppState& state, const Services& services) {
    SurveyState& survey = state.Survey;
    if (!survey.Open || survey.Phase == SurveyPhase::Reading) {
        return;
    }
    std::vector<PartWrite> writes;
    for (std::size_t i = 0; i < survey.Parts.size(); ++i) {
        if (survey.Parts[i].Checked && survey.Parts[i].Kind == PartKind::SheetMetal) {
            PartWrite write;
            write.Part = i;
            writes.push_back(std::move(write));
        }
    }
    if (writes.empty()) {
        ShowBox(state, services, state.Texts.Survey(SurveyText::NothingChecked), MessageButtons::Ok,
                MessageIcon::Exclamation);
        return;
    }
    const int typeRow = ShownTypeRow(state);
    if (typeRow == 0) {
        ShowBox(state, services, state.Texts.Survey(SurveyText::NoTypeChosen), MessageButtons::Ok,
                MessageIcon::Exclamation);
        return;
    }
    const TypeTargets targets = TargetsOfType(state.Tables.Type(typeRow), state.Tables.ScaleFactor);
    if (!targets.Whole()) {
        ShowBox(state, services, state.Texts.Message(MessageText::InvalidInput), MessageButtons::Ok,
                MessageIcon::Exclamation);
        return;
    }
    const std::string question =
        Texted(state, SurveyText::WriteQuestion,
               {state.Tables.Type(typeRow).Name, std::to_string(writes.size())});
    if (ShowBox(state, services, question, MessageButtons::OkCancel, MessageIcon::Exclamation) !=
        MessageAnswer::Ok) {
        return;
    }
    // A write an earlier command left waiting for the program comes first.
    if (!FinishWaitingWrite(state, services)) {
        ShowBox(state, services,
                state.Texts.Message(MessageText::TypeNotSet) + "\r\n\r\n" +
                    state.Texts.Message(MessageText::RecomputeHeld),
                MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    bool answering = true;
    for (PartWrite& write : writes) {
        answering = answering && WritePart(state, services, write, typeRow, targets.Values);
    }
    const bool anyWritten = std::any_of(writes.begin(), writes.end(), [](const PartWrite& w) {
        return w.Outcome == PartOutcome::Written;
    });
    if (anyWritten) {
        cad::RedrawAfterWrite(survey.Cad, nullptr);
    }
    // The main window's document is read anew should it be one of them.
    for (const PartWrite& write : writes) {
        if (SameObject(survey.Parts[write.Part].Document, state.Document.Object)) {
            state.Document.ValuesKnown = false;
        }
    }
    const std::vector<PartWrite*> failing = Failing(writes);
    std::string summary = Summary(state, writes, typeRow);
    if (!failing.empty()) {
        summary += FailingLines(state, failing);
    }
    if (!answering) {
        // Nothing more is asked of a program that stopped answering.
        if (!state.Variables.Pending.Empty()) {
            summary += "\r\n\r\n" + state.Texts.Message(MessageText::RecomputeHeld);
        }
        ShowBox(state, services, summary, MessageButtons::Ok, MessageIcon::Exclamation);
    } else if (failing.empty()) {
        ShowBox(state, services, summary, MessageButtons::Ok, MessageIcon::Information);
    } else if (ShowBox(state, services,
                       summary + "\r\n\r\n" + state.Texts.Survey(SurveyText::WriteBackQuestion),
                       MessageButtons::YesNo, MessageIcon::Exclamation) == MessageAnswer::Yes) {
        WriteBack(state, services, failing);
    }
    ReportUnwrittenJournal(state, services);
    RefreshSurvey(state, services);
}

} // namespace psm
