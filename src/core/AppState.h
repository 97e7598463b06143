#pragma once

// Every program-wide value, grouped by the part of the program that owns it.
// Procedures get the state by reference; tests build their own.

#include "cad/Connection.h"
#include "cad/FeatureCheck.h"
#include "cad/SheetMetalVariables.h"
#include "tables/TableModel.h"
#include "texts/Texts.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace psm {

// Where the settings live; fixed by the start-up.
struct SettingsNames {
    std::string SettingsAppName;
    std::string SettingsSection;
};

// Captions of the popup menu items in the texts' language, set with the other
// captions; until then the design captions. The language submenu's entries
// are not among them: they keep their own names in every language.
struct MenuCaptions {
    std::string MnuOptions = "Optionen";
    std::string MnuIcon = "Installieren";
    std::string MnuLanguage = "Sprache";
    std::string MnuTextFile = "text";
    std::string MnuJournal = "Journal";
    std::string MnuHelp = "Hilfe";
    std::string MnuCheckFile = "check";
};

// The document the main window shows, known by its object, not by its name:
// another document of the same name (reopened, from another folder, in a CAD
// program started anew) is another document, read anew before anything is
// written into it.
struct ShownDocument {
    cad::ObjectRef Object; // none: the label shows no document
    std::string FullName;  // its full file name when it was read
    // Its values were read completely. Until then nothing is written into it
    // and its values are shown nowhere; the watch reads it again each tick.
    bool ValuesKnown = false;
};

// What the document watch found. Rows and table numbers are 1-based; the
// offset counts from 0 within the table.
struct WatchState {
    bool CadRunning = false;
    bool InPlaceEdit = false;
    bool SheetMetalOpen = false;
    int CurrentTypeRow = 0; // 0: no type matches the document
    int CurrentTableIndex = 0;
    int TableFirstRow = 0;
    int TableLastRow = 0;
    int CurrentTypeOffset = 0;
    // The document CurrentValues were read from. Writing them back anywhere
    // else would put one document's values into another.
    ShownDocument Shown;
    // When the CAD program's registration was last looked at.
    std::optional<std::chrono::milliseconds> RegistrationChecked;
};

// One drop-down list as the program keeps it; the view mirrors it.
struct ListState {
    std::vector<std::string> Items;
    int Selection = -1; // 0-based; -1: nothing selected
};

// The main window's lists and label, and the chosen type.
struct SelectionState {
    int SelectedTypeRow = 0; // 0 until the first choice
    bool FormReady = false;  // false: the lists' selection reactions do nothing
    ListState Combo1;        // the tables
    ListState Combo2;        // the types of one table
    std::string Label1;      // the name of the document shown
};

struct ApplyState {
    cad::FiveTexts NewValues; // the chosen type's values in CAD units, number texts
};

// The journal's trouble in this run.
struct JournalState {
    // A line of the running command could not be appended to this file.
    std::optional<std::string> Unwritten;
    bool Told = false; // the user knows: the journal is not told of again
    // Lines that could not be appended yet, in order; they go out with the
    // next line once the journal is tried again.
    std::vector<std::string> Waiting;
    // When the journal last could not be written: a share out of reach is
    // not waited for at every write, only again after a while.
    std::optional<std::chrono::milliseconds> FailedAt;
};

// The program's own run: commands in progress, and whether it has ended.
struct RunState {
    int CommandDepth = 0; // > 0 while a command runs; the watch skips its ticks then
    bool Ended = false;   // set by ExitProgram; no handler does anything afterwards
};

struct AppState {
    SettingsNames Settings;
    std::string ValueFilePath;
    TextTables Texts;
    char DecimalSeparator = '.';
    MenuCaptions Menu;
    // The hint the status bar shows; none: the text is empty. Kept so that a
    // change of language can show it again in the new language.
    std::optional<CaptionText> StatusHint;
    TableModel Tables;
    cad::CadConnection Cad;
    cad::SheetMetalVariables Variables;
    cad::FeatureCheck Features;
    WatchState Watch;
    SelectionState Selection;
    ApplyState Apply;
    JournalState Journal;
    RunState Run;
};

// True once the program has ended; a procedure that may have run other
// handlers meanwhile (a message box, a dialog, pending events) checks it and stops.
inline bool Ended(const AppState& state) {
    return state.Run.Ended;
}

// Marks a command as running for its lifetime.
class CommandScope {
  public:
    explicit CommandScope(AppState& state) : m_run(state.Run) { ++m_run.CommandDepth; }
    ~CommandScope() { --m_run.CommandDepth; }
    CommandScope(const CommandScope&) = delete;
    CommandScope& operator=(const CommandScope&) = delete;

  private:
    RunState& m_run;
};

// Keeps the lists' selection reactions quiet (FormReady false) while the
// program fills and selects the lists itself; they act again at the end.
class ListsFilledByProgram {
  public:
    explicit ListsFilledByProgram(AppState& state) : m_selection(state.Selection) {
        m_selection.FormReady = false;
    }
    ~ListsFilledByProgram() { m_selection.FormReady = m_readyAfterwards; }
    ListsFilledByProgram(const ListsFilledByProgram&) = delete;
    ListsFilledByProgram& operator=(const ListsFilledByProgram&) = delete;

    // The reactions stay quiet after the end too (a start-up without lists).
    void KeepQuiet() { m_readyAfterwards = false; }

  private:
    SelectionState& m_selection;
    bool m_readyAfterwards = true;
};

} // namespace psm
