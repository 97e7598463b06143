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

void ScheduleNext(const AppState& state, const Services& services) {
    if (state.Survey.Open && state.Survey.Phase == SurveyPhase::Reading) {
        services.Survey.ScheduleStep(state.Survey.Waiting ? PauseMs : 0);
    }
}

void Begin(AppState& state, const Services& services) {
    SurveyState& survey = state.Survey;
    BeginSurvey(survey, services.Automation);
    ScheduleNext(state, services);
}

} // namespace

void OpenSurvey(AppState& state, const Services& services) {
    state.Survey.Open = true;
    services.Survey.Open();
    Begin(state, services);
}

void SurveyStep(AppState& state, const Services& services) {
    SurveyState& survey = state.Survey;
    if (!survey.Open || survey.Phase != SurveyPhase::Reading) {
        return;
    }
    const auto start = services.Time.Now();
    while (survey.Phase == SurveyPhase::Reading && ReadNextPart(survey, state.Tables) &&
           services.Time.Now() - start < StepSlice) {
    }
    ScheduleNext(state, services);
}

void RefreshSurvey(AppState& state, const Services& services) {
    if (state.Survey.Open) {
        Begin(state, services);
    }
}

void CancelSurvey(AppState& state) {
    SurveyState& survey = state.Survey;
    if (survey.Phase == SurveyPhase::Reading) {
        survey.Phase = SurveyPhase::Cancelled;
        survey.Waiting = false;
    }
}

void CheckSurveyPart(SurveyState& survey, std::size_t index, bool checked) {
    if (index >= survey.Parts.size()) {
        return;
    }
    SurveyPart& part = survey.Parts[index];
    // Only a sheet-metal part read completely can be written.
    part.Checked = checked && part.Kind == PartKind::SheetMetal;
}

void SortSurvey(AppState& state, int column) {
    SurveyState& survey = state.Survey;
    if (column < 0 || column >= SurveyColumnCount) {
        return;
    }
    survey.Descending = survey.SortColumn == column && !survey.Descending;
    survey.SortColumn = column;
}

void CopySurvey(AppState& state, const Services& services) {
    const SurveyTable table =
        SurveyTableOf(state.Survey, {state.Texts, state.Tables, state.DecimalSeparator});
    services.Survey.CopyToClipboard(SurveyReport(table));
}

void CloseSurvey(AppState& state) {
    state.Survey = SurveyState{};
}

} // namespace psm
