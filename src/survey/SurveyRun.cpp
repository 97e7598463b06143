#include "survey/SurveyRun.h"

#include "survey/SurveyRead.h"
#include "survey/SurveyTable.h"

#include <chrono>

namespace psm {
namespace {

// A step reads parts for about this long, so that the window answers between steps.
constexpr std::chrono::milliseconds StepSlice{50};
// A CAD program that did not answer is asked again after this long.
constexpr int PauseMs = 500;

void ScheduleNext(const SurveyState& survey, const SurveyPorts& ports) {
    if (survey.Open && survey.Phase == SurveyPhase::Reading) {
        ports.View.ScheduleStep(survey.Waiting ? PauseMs : 0);
    }
}

void Begin(SurveyState& survey, const SurveyPorts& ports) {
    BeginSurvey(survey, ports.Automation);
    ScheduleNext(survey, ports);
}

} // namespace

void OpenSurvey(SurveyState& survey, const SurveyPorts& ports) {
    survey.Open = true;
    ports.View.Open();
    Begin(survey, ports);
}

void SurveyStep(SurveyState& survey, const TableModel& tables, const SurveyPorts& ports) {
    if (!survey.Open || survey.Phase != SurveyPhase::Reading) {
        return;
    }
    // The tree first; its parts are read from the step after its walk ended.
    if (survey.Tree) {
        WalkSurveyTree(survey, cad::StepDeadline(ports.Time, StepSlice));
        ScheduleNext(survey, ports);
        return;
    }
    const auto start = ports.Time.Now();
    while (survey.Phase == SurveyPhase::Reading && ReadNextPart(survey, tables) &&
           ports.Time.Now() - start < StepSlice) {
    }
    ScheduleNext(survey, ports);
}

void RefreshSurvey(SurveyState& survey, const SurveyPorts& ports) {
    // Parts being written keep their places until the write has ended.
    if (survey.Open && survey.Phase != SurveyPhase::Writing) {
        Begin(survey, ports);
    }
}

void CancelSurvey(SurveyState& survey) {
    if (survey.Phase == SurveyPhase::Reading) {
        survey.Phase = SurveyPhase::Cancelled;
        survey.Waiting = false;
        survey.Tree.reset();
    }
}

void CheckSurveyPart(SurveyState& survey, std::size_t index, bool checked) {
    if (index >= survey.Parts.size()) {
        return;
    }
    SurveyPart& part = survey.Parts[index];
    // Only a sheet-metal part read completely can be written: no sub-assembly.
    part.Checked = checked && part.Kind == PartKind::SheetMetal;
}

void SortSurvey(SurveyState& survey, int column) {
    if (column < 0 || column >= SurveyColumnCount) {
        return;
    }
    survey.Descending = survey.SortColumn == column && !survey.Descending;
    survey.SortColumn = column;
}

void CopySurvey(const SurveyState& survey, const ProgramContext& program, SurveyView& view) {
    const SurveyTable table =
        SurveyTableOf(survey, {program.Texts, program.Tables, program.DecimalSeparator});
    view.CopyToClipboard(SurveyReport(table));
}

void CloseSurvey(SurveyState& survey) {
    survey = SurveyState{};
}

} // namespace psm
