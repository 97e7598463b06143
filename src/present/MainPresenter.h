#pragma once

// The main window's presenter: what the window and its popup menu show,
// worked out from the state of the behaviours behind them.

#include "core/MainView.h"
#include "core/States.h"

#include <optional>
#include <string>
#include <vector>

namespace psm {

// What the main window shows, from the behaviours that own it.
struct MainWindowInputs {
    const ProgramContext& Program;
    const ShownDocument& Document;
    const ListsState& Lists;
    const std::optional<CaptionText>& Hint;
};

MainViewModel PresentMainWindow(const MainWindowInputs& shown);

// The items below the popup root: "Optionen" with "Installieren", the
// language submenu ("Deutsch", "english", the current one checked),
// "Textdatei", "Textdatei prüfen", "Baugruppe prüfen", "Journal", "Protokoll"
// (checked while the trace runs) and the hidden, disabled "ScaleFactor"; then
// the hidden "Hilfe".
std::vector<MenuItem> PopupMenuItems(const LanguageTexts& texts, bool tracing);

} // namespace psm
