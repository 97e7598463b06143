#include "survey/BatchWrite.h"

#include "apply/PartWrite.h"
#include "apply/WriteTexts.h"
#include "cad/AssemblyParts.h"
#include "cad/CadIds.h"
#include "cad/GuardedCalls.h"
#include "core/DocumentValues.h"
#include "survey/SurveyRun.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <optional>
#include <unordered_map>
#include <vector>

namespace psm {
namespace {

// Whether the surveyed tree still reaches a part: an assembly that used it
// directly still does. Each assembly's members are read once for the batch.
class TreeMembership {
  public:
    explicit TreeMembership(const SurveyState& survey) : m_survey(survey) {}

    cad::Membership Of(const SurveyPart& part) {
        if (!m_survey.Assembly) {
            return cad::Membership::Member; // a single document surveyed
        }
        cad::Membership found = cad::Membership::NotMember;
        for (const SurveyUse& use : part.UsedBy) {
            const cad::Membership membership = MembersOf(use.Assembly, part.Document);
            if (membership == cad::Membership::Member || membership == cad::Membership::Busy) {
                return membership;
            }
            if (membership == cad::Membership::Gone) {
                found = membership;
            }
        }
        return found;
    }

  private:
    struct Members {
        std::optional<cad::AssemblyMembers> Read;
        cad::Membership Lost = cad::Membership::Gone;
    };

    cad::Membership MembersOf(const cad::ObjectRef& assembly, const cad::ObjectRef& document) {
        auto found = m_members.find(cad::KeyOf(assembly));
        if (found == m_members.end()) {
            Members members;
            cad::GuardedSteps steps;
            const cad::ObjectRef seen = steps.As(assembly, cad::ids::AssemblyDocumentIid);
            if (steps.Lost()) {
                members.Lost =
                    cad::IsGone(*steps.Lost()) ? cad::Membership::Gone : cad::Membership::Busy;
            } else {
                members.Read.emplace(seen);
            }
            found = m_members.emplace(cad::KeyOf(assembly), std::move(members)).first;
        }
        return found->second.Read ? found->second.Read->Reaches(document) : found->second.Lost;
    }

    const SurveyState& m_survey;
    // Keyed by the survey's own references, which outlast the batch.
    std::unordered_map<cad::ObjectKey, Members, cad::ObjectKeyHash> m_members;
};

// Writes the type into one checked part, while the surveyed tree still
// reaches it: a component deleted since the survey leaves its part alone,
// however open it still is.
PartWriteOutcome WriteType(const BatchCommand& c, TreeMembership& members, const SurveyPart& part,
                           int typeRow, const cad::CadValues& targets) {
    const SurveyState& survey = c.Survey;
    const cad::Membership membership = members.Of(part);
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
    return WritePart(c.Write, survey.Cad, request);
}

// Yes to the question: the earlier values back into exactly those parts.
void WriteBack(const BatchCommand& c, const std::vector<NamedWrite>& writes,
               const std::vector<std::size_t>& parts) {
    std::vector<NamedWrite> backs;
    bool answering = true;
    for (std::size_t i = 0; i < writes.size(); ++i) {
        const NamedWrite& write = writes[i];
        if (!Unwell(write)) {
            continue;
        }
        NamedWrite& back = backs.emplace_back(NamedWrite{write.Name, false, {}});
        if (!answering) {
            continue;
        }
        PartWriteRequest request;
        request.Document = c.Survey.Parts[parts[i]].Document;
        request.Targets =
            RestoreTargets(write.Outcome.Report.Before, c.Write.Program.Tables.ScaleFactor);
        request.Action = JournalAction::WrittenBack;
        request.Before = CheckBefore::None;
        request.FeaturesBefore =
            FeaturesCell(c.Ask.Texts, write.Outcome.After, write.Outcome.CheckedAfter);
        request.Redraw = cad::AfterWrite::NoRedraw;
        back.Outcome = WritePart(c.Write, c.Survey.Cad, request);
        back.Tried = true;
        answering = back.Outcome.Result != PartWriteResult::Busy;
    }
    cad::RedrawAfterWrite(c.Survey.Cad, nullptr);
    std::string text = WriteBackSummary(c.Ask.Texts, backs);
    if (!c.Write.State.Pending.Empty()) {
        text += "\r\n\r\n" + c.Ask.Texts.Message(MessageText::RecomputeHeld);
    }
    const bool clean = std::all_of(backs.begin(), backs.end(), [](const NamedWrite& w) {
        return w.Tried && w.Outcome.Result == PartWriteResult::Written;
    });
    c.Ask.Show(text, MessageButtons::Ok,
               clean ? MessageIcon::Information : MessageIcon::Exclamation);
}

// A write into many parts takes about this long per survey step.
constexpr std::chrono::milliseconds WriteSlice{100};

// Starts writing the planned parts; the survey's steps write them.
void StartWrites(const BatchCommand& c, std::vector<PlannedWrite> plan,
                 std::vector<NamedWrite> writes, std::optional<std::string> typeName,
                 std::string leftAlone) {
    c.Batch = BatchState{true,  std::move(plan),     std::move(writes),   0,
                         false, std::move(typeName), std::move(leftAlone)};
    c.Survey.Phase = SurveyPhase::Writing;
    c.Survey.Written = 0;
    c.Survey.ToWrite = c.Batch.Plan.size();
    c.Ports.View.ScheduleStep(0);
}

// The end of a write into many parts: one redraw, the summary, the
// write-back on Yes, and the survey read again.
void FinishWrites(const BatchCommand& c) {
    SurveyState& survey = c.Survey;
    const BatchState batch = std::move(c.Batch);
    c.Batch = BatchState{};
    survey.Phase = SurveyPhase::Done;
    const std::vector<NamedWrite>& writes = batch.Writes;
    std::vector<std::size_t> parts;
    for (const PlannedWrite& planned : batch.Plan) {
        parts.push_back(planned.Part);
    }
    const bool anyWritten = std::any_of(writes.begin(), writes.end(), [](const NamedWrite& w) {
        return w.Tried && Landed(w.Outcome.Result);
    });
    if (anyWritten) {
        cad::RedrawAfterWrite(survey.Cad, nullptr);
    }
    // The main window's document is read anew should it be one of them.
    for (const std::size_t part : parts) {
        if (cad::SameObject(survey.Parts[part].Document, c.Shown.Object)) {
            c.Shown.ValuesKnown = false;
        }
    }
    std::string summary = BatchSummary(c.Ask.Texts, batch.TypeName, writes) + batch.LeftAlone;
    if (!c.Write.State.Pending.Empty()) {
        summary += "\r\n\r\n" + c.Ask.Texts.Message(MessageText::RecomputeHeld);
    }
    const bool unwell = std::any_of(writes.begin(), writes.end(), Unwell);
    if (!unwell) {
        const bool clean = std::all_of(writes.begin(), writes.end(), [](const NamedWrite& w) {
            return w.Tried && (w.Outcome.Result == PartWriteResult::Written ||
                               w.Outcome.Result == PartWriteResult::AlreadyType);
        });
        c.Ask.Show(summary, MessageButtons::Ok,
                   clean ? MessageIcon::Information : MessageIcon::Exclamation);
    } else if (c.Ask.Show(summary + "\r\n\r\n" + c.Ask.Texts.Survey(SurveyText::WriteBackQuestion),
                          MessageButtons::YesNo, MessageIcon::Exclamation) == MessageAnswer::Yes) {
        WriteBack(c, writes, parts);
    }
    ReportUnwrittenJournal(c.Write.Journal, c.Ask);
    RefreshSurvey(c.Survey, c.Ports);
}

// The checked sheet-metal parts read completely, by their place in the
// survey; none, with a box that says so, when none is checked. None either
// while the survey reads or writes.
std::vector<std::size_t> CheckedParts(const BatchCommand& c) {
    const SurveyState& survey = c.Survey;
    std::vector<std::size_t> parts;
    if (!survey.Open || survey.Phase == SurveyPhase::Reading ||
        survey.Phase == SurveyPhase::Writing) {
        return parts;
    }
    for (std::size_t i = 0; i < survey.Parts.size(); ++i) {
        if (survey.Parts[i].Checked && survey.Parts[i].Kind == PartKind::SheetMetal) {
            parts.push_back(i);
        }
    }
    if (parts.empty()) {
        c.Ask.Show(c.Ask.Texts.Survey(SurveyText::NothingChecked), MessageButtons::Ok,
                   MessageIcon::Exclamation);
    }
    return parts;
}

// The parts a write left alone, under their heading, as the summary lists them.
std::string LeftAlone(const BatchCommand& c, SurveyText heading,
                      const std::vector<std::size_t>& parts) {
    if (parts.empty()) {
        return {};
    }
    const LanguageTexts& texts = c.Ask.Texts;
    std::string text = "\r\n" + FormatText(texts.Survey(heading), {std::to_string(parts.size())});
    for (const std::size_t part : parts) {
        text +=
            "\r\n" + FormatText(texts.Survey(SurveyText::NameLine), {c.Survey.Parts[part].Name});
    }
    return text;
}

} // namespace

void WriteCheckedParts(const BatchCommand& c) {
    const std::vector<std::size_t> parts = CheckedParts(c);
    if (parts.empty()) {
        return;
    }
    // As in the main window, only a type the user chose is written.
    const TableModel& tables = c.Write.Program.Tables;
    const int typeRow = c.Lists.ChosenTypeRow();
    if (typeRow == 0) {
        c.Ask.Show(c.Ask.Texts.Survey(SurveyText::NoTypeChosen), MessageButtons::Ok,
                   MessageIcon::Exclamation);
        return;
    }
    const TypeTargets targets = TargetsOfType(tables.Type(typeRow), tables.ScaleFactor);
    if (!targets.Whole()) {
        c.Ask.Show(c.Ask.Texts.Message(MessageText::InvalidInput), MessageButtons::Ok,
                   MessageIcon::Exclamation);
        return;
    }
    const std::string& typeName = tables.Type(typeRow).Name;
    const std::string question = FormatText(c.Ask.Texts.Survey(SurveyText::WriteQuestion),
                                            {typeName, std::to_string(parts.size())});
    if (c.Ask.Show(question, MessageButtons::OkCancel, MessageIcon::Exclamation) !=
        MessageAnswer::Ok) {
        return;
    }
    std::vector<PlannedWrite> plan;
    std::vector<NamedWrite> writes;
    for (const std::size_t part : parts) {
        plan.push_back({part, typeRow, targets.Values});
        writes.push_back({c.Survey.Parts[part].Name, false, {}});
    }
    StartWrites(c, std::move(plan), std::move(writes), typeName, {});
}

void SetCheckedPartsToStandard(const BatchCommand& c) {
    const std::vector<std::size_t> parts = CheckedParts(c);
    if (parts.empty()) {
        return;
    }
    // Each part of no type gets the nearest type its row shows; a part of a
    // type, or with no type near it, is left as it is.
    const TableModel& tables = c.Write.Program.Tables;
    std::vector<PlannedWrite> plan;
    std::vector<NamedWrite> writes;
    std::vector<std::size_t> typed, noNearest;
    std::map<int, std::size_t> perType;
    for (const std::size_t part : parts) {
        const SurveyPart& checked = c.Survey.Parts[part];
        const int row = checked.Nearest.Row;
        if (checked.TypeRow != 0) {
            typed.push_back(part);
            continue;
        }
        const TypeTargets targets =
            row == 0 ? TypeTargets{} : TargetsOfType(tables.Type(row), tables.ScaleFactor);
        if (!targets.Whole()) {
            noNearest.push_back(part);
            continue;
        }
        plan.push_back({part, row, targets.Values});
        // The summary names each part with the type it was to get.
        writes.push_back({checked.Name + " (" + tables.Type(row).Name + ")", false, {}});
        ++perType[row];
    }
    const std::string leftAlone = LeftAlone(c, SurveyText::LeftTyped, typed) +
                                  LeftAlone(c, SurveyText::LeftNoNearest, noNearest);
    const LanguageTexts& texts = c.Ask.Texts;
    if (plan.empty()) {
        c.Ask.Show(texts.Survey(SurveyText::NothingToStandard) + "\r\n" + leftAlone,
                   MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    std::string question =
        FormatText(texts.Survey(SurveyText::StandardQuestion), {std::to_string(plan.size())});
    for (const auto& [row, count] : perType) {
        question += "\r\n" + FormatText(texts.Survey(SurveyText::StandardTypeLine),
                                        {tables.Type(row).Name, std::to_string(count)});
    }
    if (!leftAlone.empty()) {
        question += "\r\n" + leftAlone;
    }
    if (c.Ask.Show(question, MessageButtons::OkCancel, MessageIcon::Exclamation) !=
        MessageAnswer::Ok) {
        return;
    }
    StartWrites(c, std::move(plan), std::move(writes), std::nullopt, leftAlone);
}

void ContinueBatch(const BatchCommand& c) {
    BatchState& batch = c.Batch;
    if (!batch.Running || !c.Survey.Open) {
        return;
    }
    // The component sets are read once per slice: a part deleted meanwhile
    // is found out, and a slice costs one read per assembly it writes into.
    TreeMembership members(c.Survey);
    const auto start = c.Ports.Time.Now();
    bool busy = false;
    while (!batch.Cancelled && batch.Next < batch.Plan.size()) {
        const PlannedWrite& planned = batch.Plan[batch.Next];
        NamedWrite& write = batch.Writes[batch.Next];
        write.Outcome =
            WriteType(c, members, c.Survey.Parts[planned.Part], planned.TypeRow, planned.Targets);
        write.Tried = true;
        ++batch.Next;
        c.Survey.Written = batch.Next;
        // A program that stopped answering is asked nothing more; a part
        // that is gone is no reason to stop.
        if (write.Outcome.Result == PartWriteResult::Busy) {
            busy = true;
            break;
        }
        if (c.Ports.Time.Now() - start >= WriteSlice) {
            break;
        }
    }
    if (busy || batch.Cancelled || batch.Next == batch.Plan.size()) {
        FinishWrites(c);
        return;
    }
    c.Ports.View.ScheduleStep(0);
}

void CancelBatch(BatchState& batch) {
    batch.Cancelled = batch.Running;
}

} // namespace psm
