#pragma once

// The one presenter: what the main window and its popup menu show, worked out
// from the program's state, and the texts that tell of numbers and findings
// in the user's language and number format.

#include "cad/FeatureCheck.h"
#include "core/AppState.h"
#include "core/MainView.h"

#include <optional>
#include <string>
#include <vector>

namespace psm {

MainViewModel PresentMainWindow(const AppState& state);

// The items below the popup root: "Optionen" with "Installieren", the
// language submenu ("Deutsch", "english", the current one checked),
// "Textdatei", "Textdatei prüfen", "Baugruppe prüfen", "Journal", "Protokoll"
// (checked while the trace runs) and the hidden, disabled "ScaleFactor"; then
// the hidden "Hilfe".
std::vector<MenuItem> PopupMenuItems(const AppState& state, bool tracing);

// A number in the user's number format; empty for none.
std::string NumberTextOf(const std::optional<double>& value, const AppState& state);

// The features a check found, a line each, each begun with CR LF: the
// report above the questions of the write.
std::string FeatureLines(const std::vector<cad::FeatureFinding>& findings, const TextTables& texts);

// The same as one cell of the journal, "; "-separated; empty when all are healthy.
std::string FeatureCell(const std::vector<cad::FeatureFinding>& findings, const TextTables& texts);

} // namespace psm
