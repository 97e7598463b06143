#pragma once

// The survey window's commands: open it on the active assembly, read its
// parts a slice at a time, stop, read again, check parts, sort, copy.

#include "cad/Automation.h"
#include "core/States.h"
#include "core/Survey.h"
#include "core/SurveyView.h"
#include "platform/Clock.h"

namespace psm {

// What the survey works with: its window, the CAD program, the clock that
// cuts its steps into slices.
struct SurveyPorts {
    SurveyView& View;
    cad::Automation& Automation;
    Clock& Time;
};

// "Baugruppe prüfen": lists the parts of the active assembly (or the active
// sheet-metal document) and starts reading them.
void OpenSurvey(SurveyState& survey, const SurveyPorts& ports);

// Reads parts for a slice of time and schedules the next step while parts
// remain; a CAD program that does not answer pauses the survey a while.
void SurveyStep(SurveyState& survey, const TableModel& tables, const SurveyPorts& ports);

void RefreshSurvey(SurveyState& survey, const SurveyPorts& ports);
void CancelSurvey(SurveyState& survey);
// The user's check box of a row as the window shows it.
void CheckSurveyPart(SurveyState& survey, std::size_t part, bool checked);
// A click on a column's title: sorts by it, a second click the other way round.
void SortSurvey(SurveyState& survey, int column);
// The table to the clipboard, as tab-separated text with its header.
void CopySurvey(const SurveyState& survey, const ProgramContext& program, SurveyView& view);
// The window was closed: its parts are let go.
void CloseSurvey(SurveyState& survey);

} // namespace psm
