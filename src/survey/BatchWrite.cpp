#include "survey/BatchWrite.h"

#include "apply/PartWrite.h"
#include "cad/AssemblyParts.h"
#include "core/Boxes.h"
#include "core/DocumentValues.h"
#include "core/Journal.h"
#include "core/Lists.h"
#include "core/Present.h"
#include "survey/SurveyRun.h"

#include <functional>
#include <vector>

namespace psm {
namespace {

// A summary names this many parts under a heading, then counts the rest.
constexpr std::size_t NamedParts = 10;

// What became of one checked part; NotTried until it is tried.
struct PartWrite {
    std::size_t Part = 0;
    bool Tried = false;
    PartWriteOutcome Outcome;
};

std::string Texted(const AppState& state, SurveyText text,
                   std::initializer_list<std::string_view> args) {
    return FormatText(state.Texts.Survey(text), args);
}

SurveyText ReasonOf(const PartWrite& write) {
    if (!write.Tried) {
        return SurveyText::ReasonNotTried;
    }
    switch (write.Outcome.Result) {
    case PartWriteResult::FailingBefore:
        return SurveyText::ReasonFeatures;
    case PartWriteResult::CopiedPart:
        return SurveyText::ReasonCopiedPart;
    case PartWriteResult::NotInAssembly:
        return SurveyText::ReasonNotInAssembly;
    case PartWriteResult::Gone:
        return SurveyText::PartUnreachable;
    case PartWriteResult::Busy:
        return SurveyText::ReasonBusy;
    case PartWriteResult::Missing:
        return SurveyText::ReasonMissing;
    case PartWriteResult::NotKept:
        return SurveyText::ReasonNotKept;
    case PartWriteResult::Mixed:
        return SurveyText::ReasonMixed;
    case PartWriteResult::Refused:
    case PartWriteResult::Written:
    case PartWriteResult::WrittenFailing:
    case PartWriteResult::WrittenUnchecked:
    case PartWriteResult::AlreadyType:
        break;
    }
    return SurveyText::ReasonRefused;
}

std::string ReasonText(const AppState& state, const PartWrite& write) {
    const SurveyText reason = ReasonOf(write);
    if (reason == SurveyText::ReasonMixed) {
        return Texted(state, reason, {state.Texts.Message(MessageText::CheckPart)});
    }
    return state.Texts.Survey(reason);
}

// True when the write into the part landed and its features now fail, warn
// or could not be checked: its earlier values are offered back.
bool Unwell(const PartWrite& write) {
    return write.Tried && (write.Outcome.Result == PartWriteResult::WrittenFailing ||
                           write.Outcome.Result == PartWriteResult::WrittenUnchecked);
}

using PartLine = std::function<std::string(const PartWrite&)>;

// A heading with its count, and a line for each of the first parts.
std::string Listed(const AppState& state, const std::string& heading,
                   const std::vector<const PartWrite*>& writes, const PartLine& line) {
    std::string text = heading;
    for (std::size_t i = 0; i < writes.size() && i < NamedParts; ++i) {
        text += "\r\n" + line(*writes[i]);
    }
    if (writes.size() > NamedParts) {
        text += "\r\n" +
                Texted(state, SurveyText::MoreLine, {std::to_string(writes.size() - NamedParts)});
    }
    return text;
}

std::vector<const PartWrite*> Where(const std::vector<PartWrite>& writes,
                                    const std::function<bool(const PartWrite&)>& pick) {
    std::vector<const PartWrite*> picked;
    for (const PartWrite& write : writes) {
        if (pick(write)) {
            picked.push_back(&write);
        }
    }
    return picked;
}

bool Is(const PartWrite& write, std::initializer_list<PartWriteResult> results) {
    return write.Tried &&
           std::find(results.begin(), results.end(), write.Outcome.Result) != results.end();
}

class Lines {
  public:
    Lines(const AppState& state) : m_state(state) {}

    std::string Name(const PartWrite& write) const {
        return Texted(m_state, SurveyText::NameLine, {PartName(write)});
    }
    std::string Reason(const PartWrite& write) const {
        return Texted(m_state, SurveyText::RefusedLine,
                      {PartName(write), ReasonText(m_state, write)});
    }
    std::string Features(const PartWrite& write) const {
        const cad::FeatureCheck& after = write.Outcome.After;
        std::string features = FeatureLines(after.Findings, m_state.Texts);
        if (after.CopiedPartFound) {
            features += "\r\n" + m_state.Texts.Survey(SurveyText::CopiedPart);
        }
        if (!write.Outcome.CheckedAfter || !after.Complete) {
            features += "\r\n" + m_state.Texts.Message(MessageText::NotChecked);
        }
        return Texted(m_state, SurveyText::FailingLine, {PartName(write), features});
    }

  private:
    const std::string& PartName(const PartWrite& write) const {
        return m_state.Survey.Parts[write.Part].Name;
    }
    const AppState& m_state;
};

std::string Summary(const AppState& state, const std::vector<PartWrite>& writes, int typeRow) {
    const Lines lines(state);
    const PartLine name = [&](const PartWrite& w) { return lines.Name(w); };
    const auto written = Where(writes, [](const PartWrite& w) {
        return Is(w, {PartWriteResult::Written, PartWriteResult::WrittenFailing});
    });
    const auto same =
        Where(writes, [](const PartWrite& w) { return Is(w, {PartWriteResult::AlreadyType}); });
    const auto unchecked = Where(
        writes, [](const PartWrite& w) { return Is(w, {PartWriteResult::WrittenUnchecked}); });
    const auto refused = Where(writes, [](const PartWrite& w) {
        return !w.Tried ||
               !(Landed(w.Outcome.Result) || w.Outcome.Result == PartWriteResult::AlreadyType);
    });
    std::string text =
        Listed(state, Texted(state, SurveyText::SummaryWritten, {std::to_string(written.size())}),
               written, name);
    text += "\r\n" + Listed(state,
                            Texted(state, SurveyText::SummarySame,
                                   {state.Tables.Type(typeRow).Name, std::to_string(same.size())}),
                            same, name);
    if (!unchecked.empty()) {
        text += "\r\n" + Listed(state,
                                Texted(state, SurveyText::SummaryUnchecked,
                                       {std::to_string(unchecked.size())}),
                                unchecked, name);
    }
    text +=
        "\r\n" + Listed(state,
                        Texted(state, SurveyText::SummaryRefused, {std::to_string(refused.size())}),
                        refused, [&](const PartWrite& w) { return lines.Reason(w); });
    const auto failing =
        Where(writes, [](const PartWrite& w) { return Is(w, {PartWriteResult::WrittenFailing}); });
    if (!failing.empty()) {
        text += "\r\n\r\n" + Listed(state, state.Texts.Survey(SurveyText::FailingAfter), failing,
                                    [&](const PartWrite& w) { return lines.Features(w); });
    }
    return text;
}

// Writes the type into one checked part, while the surveyed assembly still
// reaches it: a component deleted since the survey leaves its part alone,
// however open it still is.
PartWriteOutcome WriteType(AppState& state, const Services& services, const SurveyPart& part,
                           int typeRow, const cad::CadValues& targets) {
    const SurveyState& survey = state.Survey;
    const cad::Membership membership = survey.Assembly
                                           ? cad::AssemblyReaches(survey.Assembly, part.Document)
                                           : cad::Membership::Member;
    if (membership != cad::Membership::Member) {
        PartWriteOutcome outcome;
        outcome.Result = membership == cad::Membership::NotMember ? PartWriteResult::NotInAssembly
                         : membership == cad::Membership::Gone    ? PartWriteResult::Gone
                                                                  : PartWriteResult::Busy;
        return outcome;
    }
    PartWriteRequest request;
    request.Document = part.Document;
    request.Targets = targets;
    request.SkipWhenType = typeRow;
    request.Redraw = cad::AfterWrite::NoRedraw;
    return WritePart(state, services, survey.Cad, request);
}

// Yes to the question: the earlier values back into exactly those parts.
void WriteBack(AppState& state, const Services& services, const std::vector<PartWrite>& writes) {
    std::vector<PartWrite> backs;
    bool answering = true;
    for (const PartWrite& write : writes) {
        if (!Unwell(write)) {
            continue;
        }
        PartWrite& back = backs.emplace_back(PartWrite{write.Part, false, {}});
        if (!answering) {
            continue;
        }
        PartWriteRequest request;
        request.Document = state.Survey.Parts[write.Part].Document;
        request.Targets = RestoreTargets(write.Outcome.Report.Before, state.Tables.ScaleFactor);
        request.Action = JournalAction::WrittenBack;
        request.Before = CheckBefore::None;
        request.FeaturesBefore =
            FeaturesCell(state, write.Outcome.After, write.Outcome.CheckedAfter);
        request.Redraw = cad::AfterWrite::NoRedraw;
        back.Outcome = WritePart(state, services, state.Survey.Cad, request);
        back.Tried = true;
        answering = back.Outcome.Result != PartWriteResult::Busy;
    }
    cad::RedrawAfterWrite(state.Survey.Cad, nullptr);
    const Lines lines(state);
    const auto back =
        Where(backs, [](const PartWrite& w) { return w.Tried && Landed(w.Outcome.Result); });
    const auto still = Where(backs, [](const PartWrite& w) {
        return Is(w, {PartWriteResult::WrittenFailing, PartWriteResult::WrittenUnchecked});
    });
    const auto notBack =
        Where(backs, [](const PartWrite& w) { return !w.Tried || !Landed(w.Outcome.Result); });
    std::string text =
        Listed(state, Texted(state, SurveyText::WrittenBack, {std::to_string(back.size())}), back,
               [&](const PartWrite& w) { return lines.Name(w); });
    if (!still.empty()) {
        text +=
            "\r\n\r\n" +
            Listed(state, Texted(state, SurveyText::StillFailing, {std::to_string(still.size())}),
                   still, [&](const PartWrite& w) { return lines.Features(w); });
    }
    if (!notBack.empty()) {
        text += "\r\n\r\n" +
                Listed(state,
                       Texted(state, SurveyText::NotWrittenBack, {std::to_string(notBack.size())}),
                       notBack, [&](const PartWrite& w) { return lines.Reason(w); });
    }
    if (!state.Variables.Pending.Empty()) {
        text += "\r\n\r\n" + state.Texts.Message(MessageText::RecomputeHeld);
    }
    const bool clean = still.empty() && notBack.empty();
    ShowBox(state, services, text, MessageButtons::Ok,
            clean ? MessageIcon::Information : MessageIcon::Exclamation);
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
            writes.push_back({i, false, {}});
        }
    }
    if (writes.empty()) {
        ShowBox(state, services, state.Texts.Survey(SurveyText::NothingChecked), MessageButtons::Ok,
                MessageIcon::Exclamation);
        return;
    }
    // As in the main window, only a type the user chose is written.
    const int typeRow = ChosenTypeRow(state);
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
    for (PartWrite& write : writes) {
        write.Outcome =
            WriteType(state, services, survey.Parts[write.Part], typeRow, targets.Values);
        write.Tried = true;
        // A program that stopped answering is asked nothing more; a part
        // that is gone is no reason to stop.
        if (write.Outcome.Result == PartWriteResult::Busy) {
            break;
        }
    }
    const bool anyWritten = std::any_of(writes.begin(), writes.end(), [](const PartWrite& w) {
        return w.Tried && Landed(w.Outcome.Result);
    });
    if (anyWritten) {
        cad::RedrawAfterWrite(survey.Cad, nullptr);
    }
    // The main window's document is read anew should it be one of them.
    for (const PartWrite& write : writes) {
        if (cad::SameObject(survey.Parts[write.Part].Document, state.Document.Object)) {
            state.Document.ValuesKnown = false;
        }
    }
    std::string summary = Summary(state, writes, typeRow);
    if (!state.Variables.Pending.Empty()) {
        summary += "\r\n\r\n" + state.Texts.Message(MessageText::RecomputeHeld);
    }
    const bool unwell = std::any_of(writes.begin(), writes.end(), Unwell);
    if (!unwell) {
        const bool clean = std::all_of(writes.begin(), writes.end(), [](const PartWrite& w) {
            return w.Tried && (w.Outcome.Result == PartWriteResult::Written ||
                               w.Outcome.Result == PartWriteResult::AlreadyType);
        });
        ShowBox(state, services, summary, MessageButtons::Ok,
                clean ? MessageIcon::Information : MessageIcon::Exclamation);
    } else if (ShowBox(state, services,
                       summary + "\r\n\r\n" + state.Texts.Survey(SurveyText::WriteBackQuestion),
                       MessageButtons::YesNo, MessageIcon::Exclamation) == MessageAnswer::Yes) {
        WriteBack(state, services, writes);
    }
    ReportUnwrittenJournal(state, services);
    RefreshSurvey(state, services);
}

} // namespace psm
