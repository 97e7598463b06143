#pragma once

// The part properties window: the five values of the type the lists show,
// with names and units, beside them the document's own values; while the
// lists show no type, the document's values and the nearest type.

#include "core/MainView.h"
#include "core/States.h"

namespace psm {

// The properties window, and the main window it opens beside.
struct PropertiesWindows {
    PropertiesView& Properties;
    MainView& Main;
};

// Opens, places and fills the properties window.
void ShowProperties(ListsState& lists, const ProgramContext& program, const ShownDocument& document,
                    const PropertiesWindows& windows);

// The window's button: the lists show the nearest type the window names, as
// if the user had chosen its table and then it, so that a write acts on it.
// Nothing when the window names none (any more).
void ChooseNearestType(ListsState& lists, const ProgramContext& program,
                       const ShownDocument& document);

// A click on the window or any of its labels closes it.
void CloseProperties(const PropertiesWindows& windows);

// The free space right of the main window above which the properties window
// opens on that side, in twips.
inline constexpr int32_t RightSideMinimum = 3000;

// Where the properties window opens: touching the main window on its right
// when there is room, else on its left, with the main window's top and
// height. Everything in screen twips.
TwipsRect PropertiesWindowPlace(const TwipsRect& mainFrame, int32_t infoWidth, int32_t screenWidth);

} // namespace psm
