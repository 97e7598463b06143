#pragma once

// The survey window's commands: open it on the active assembly, read its
// parts a slice at a time, stop, read again, check parts, sort, copy.

#include "core/AppState.h"
#include "core/Services.h"

namespace psm {

// "Baugruppe prüfen": lists the parts of the active assembly (or the active
// sheet-metal document) and starts reading them.
void OpenSurvey(AppState& state, const Services& services);

// Reads parts for a slice of time and schedules the next step while parts
// remain; a CAD program that does not answer pauses the survey a while.
void SurveyStep(AppState& state, const Services& services);

void RefreshSurvey(AppState& state, const Services& services);
void CancelSurvey(AppState& state);
// The user's check box of a row as the window shows it.
void CheckSurveyPart(SurveyState& survey, std::size_t part, bool checked);
// A click on a column's title: sorts by it, a second click the other way round.
void SortSurvey(AppState& state, int column);
// The table to the clipboard, as tab-separated text with its header.
void CopySurvey(AppState& state, const Services& services);
// The window was closed: its parts are let go.
void CloseSurvey(AppState& state);

} // namespace psm
