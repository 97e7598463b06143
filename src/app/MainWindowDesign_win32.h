#pragma once

// The windows as designed: their controls' identifiers (also what a test
// driver finds them by) and places in twips relative to their container, the
// window's client area or the list panel for the two lists.

#include "core/MainControls.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace psm {

struct ControlDesign {
    MainControl Control;
    int Id;
    TwipsRect Rect;
};

inline constexpr std::array<ControlDesign, MainControlCount> MainWindowDesign{{
    {MainControl::WriteButton, 101, {120, 0, 450, 450}},
    {MainControl::ResetListButton, 102, {720, 0, 450, 450}},
    {MainControl::ResetButton, 103, {1320, 0, 450, 450}},
    {MainControl::PropertiesButton, 104, {1920, 0, 450, 450}},
    {MainControl::ExitButton, 105, {2520, 0, 450, 450}},
    {MainControl::DocumentLabel, 106, {120, 480, 2895, 255}},
    {MainControl::ListPanel, 107, {120, 720, 3255, 975}},
    {MainControl::TableList, 108, {120, 120, 3015, 315}},
    {MainControl::TypeList, 109, {120, 480, 3015, 315}},
    {MainControl::StatusBar, 110, {0, 1725, 3465, 255}},
}};

constexpr bool DesignIndexedByControl() {
    for (std::size_t i = 0; i < MainWindowDesign.size(); ++i) {
        if (static_cast<std::size_t>(MainWindowDesign[i].Control) != i) {
            return false;
        }
    }
    return true;
}
static_assert(DesignIndexedByControl(), "the design table is looked up by control");

constexpr const ControlDesign& DesignOf(MainControl control) {
    return MainWindowDesign[static_cast<std::size_t>(control)];
}

// The client area the controls were laid out in.
inline constexpr int32_t MainClientWidth = 3465;
inline constexpr int32_t MainClientHeight = 1980;

// The properties window: three columns of five labels (name, value, unit) and beside them
// the comparison: the other side's value, a mark where the two differ, and a
// note that says what is compared; client area 6765 x 1875 twips.
inline constexpr int32_t PropertiesClientWidth = 6765;
inline constexpr int32_t PropertiesClientHeight = 1875;
inline constexpr int PropertiesColumns = 5;

struct PropertiesColumnDesign {
    int32_t Left;
    int32_t Width;
    int32_t Height;
};

inline constexpr std::array<PropertiesColumnDesign, PropertiesColumns> PropertiesColumnsDesign{{
    {50, 1440, 255},  // the value's name
    {1590, 645, 375}, // the value
    {2325, 360, 255}, // its unit
    {2775, 645, 375}, // the compared value
    {3465, 240, 255}, // the mark
}};

// The note beside the columns, over the height of four rows; below it, in
// the fifth, the button that chooses the nearest type the note names.
inline constexpr TwipsRect PropertiesNoteRect{3795, 120, 2850, 1320};
inline constexpr int PropertiesNoteId = 260;
inline constexpr TwipsRect PropertiesChooseRect{3795, 1500, 1200, 315};
inline constexpr int PropertiesChooseId = 270;

// Label (column, row), both 1-based, in twips relative to the client area.
constexpr TwipsRect PropertiesLabelRect(int column, int row) {
    const PropertiesColumnDesign& design =
        PropertiesColumnsDesign[static_cast<std::size_t>(column - 1)];
    return TwipsRect{design.Left, 120 + 360 * (row - 1), design.Width, design.Height};
}

// Identifier of label (column, row) in the properties window.
constexpr int PropertiesLabelId(int column, int row) {
    return 200 + 10 * column + row;
}

// Window classes of the windows; a test driver finds them by these.
inline constexpr wchar_t MainWindowClassName[] = L"frmBlechWerte";
inline constexpr wchar_t PropertiesWindowClassName[] = L"frmInfo";
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
    SurveyStandardId,
};

} // namespace psm
