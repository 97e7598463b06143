#pragma once

#include "core/MainWindowDesign.h"

namespace psm {

// Window classes of the windows; a test driver finds them by these.
inline constexpr wchar_t MainWindowClassName[] = L"frmBlechWerte";
inline constexpr wchar_t InfoWindowClassName[] = L"frmInfo";
inline constexpr wchar_t SurveyWindowClassName[] = L"psmSurvey";

// The survey window's controls, by identifier.
enum SurveyControlId : int {
    SurveyListId = 301,
    SurveyChosenTypeId,
    SurveyProgressBarId,
    SurveyProgressTextId,
    SurveyRefreshId,
    SurveyWriteId,
    SurveyCopyId,
    SurveyCancelId,
};

} // namespace psm
