#pragma once

// Every program-wide value, grouped by meaning. Procedures get the state by
// reference; tests build their own.

#include "cad/Connection.h"
#include "cad/FeatureCheck.h"
#include "cad/SheetMetalVariables.h"
#include "core/Survey.h"
#include "journal/JournalQueue.h"
#include "tables/TableModel.h"
#include "texts/Texts.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace psm {

// Where the settings live; fixed by the start-up.
struct SettingsNames {
    std::string SettingsAppName;
    std::string SettingsSection;
};

// The document the main window shows, known by its object, not by its name:
// another document of the same name (reopened, from another folder, in a CAD
// program started anew) is another document, read anew before anything is
// written into it.
struct ShownDocument {
    cad::ObjectRef Object; // none: the label shows no document
    std::string Name;      // its file name, as the label shows it
    std::string FullName;  // its full file name when it was read
    // The CAD program answered with a document when the window was last told.
    bool CadRunning = false;
    // It is the part behind the single component of the active assembly.
    bool InPlaceEdit = false;
    // It is a sheet-metal document; Values are its own.
    bool SheetMetal = false;
    // Its values were read completely. Until then nothing is written into it
    // and its values are shown nowhere; the watch reads it again each tick.
    bool ValuesKnown = false;
    cad::CadValues Values; // in CAD units
    int TypeRow = 0;       // the value file's type that carries them; 0: none
};

// What the two lists show, numbered as the value file's tables and types are
// (from 1; 0: none). Positions in the lists belong to the view alone.
struct ListsShown {
    int Table = 0;   // the table selected
    int TypesOf = 0; // the table whose types the type list holds
    int TypeRow = 0; // the type selected, a row of TypesOf
};

// The program's own run: the command or tick in progress, and whether it has ended.
struct RunState {
    int CommandDepth = 0; // > 0 while a command or tick runs
    bool Ended = false;   // set by ExitProgram; no handler does anything afterwards
    // When the CAD program's registration was last looked at.
    std::optional<std::chrono::milliseconds> RegistrationChecked;
    // What the program is doing, for a crash report: the command or tick
    // under way, or the last one when it failed.
    std::string_view Activity = "start";
};

struct AppState {
    SettingsNames Settings;
    std::string ValueFilePath;
    TextTables Texts;
    // The user's decimal separator, for the numbers psm shows.
    char DecimalSeparator = '.';
    TableModel Tables;
    cad::CadConnection Cad;
    cad::SheetMetalVariables Variables;
    cad::FeatureCheck Features;
    ShownDocument Document;
    ListsShown Lists;
    // The user chose in the lists, or opened the properties, since start.
    // Until then the write has no type to act on, even when the lists show
    // the document's own.
    bool TypeChosen = false;
    // The hint the status bar shows; none: the text is empty.
    std::optional<CaptionText> Hint;
    JournalState Journal;
    SurveyState Survey;
    RunState Run;
};

// Marks a command (or a tick) as running for its lifetime.
class CommandScope {
  public:
    explicit CommandScope(AppState& state) : m_run(state.Run) { ++m_run.CommandDepth; }
    ~CommandScope() { --m_run.CommandDepth; }
    CommandScope(const CommandScope&) = delete;
    CommandScope& operator=(const CommandScope&) = delete;

  private:
    RunState& m_run;
};

} // namespace psm
