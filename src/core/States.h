#pragma once

// The behaviours' states: each owns its part, the others at most read it.

#include "cad/Connection.h"
#include "cad/SheetMetalVariables.h"
#include "tables/TableModel.h"
#include "texts/Texts.h"

#include <chrono>
#include <optional>
#include <string>

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

// What every behaviour reads and only the start-up and the options change:
// where the settings live, the value file, the user's language and number format.
struct ProgramContext {
    SettingsNames Settings;
    std::string ValueFilePath;
    LanguageTexts Texts;
    // The user's decimal separator, for the numbers psm shows.
    char DecimalSeparator = '.';
    TableModel Tables;
};

// The watch's: its attach to the CAD program, the document it shows and the
// variables it read that document's values from.
struct WatchState {
    cad::CadConnection Cad;
    ShownDocument Document;
    cad::SheetMetalVariables Variables;
    // When the CAD program's registration was last looked at.
    std::optional<std::chrono::milliseconds> RegistrationChecked;
};

// The writer's: the put-backs that wait for the CAD program and the recompute
// it may still hold.
struct WriterState {
    cad::PendingRestore Pending;
};

// The lists': what they show and whether the user chose.
struct ListsState {
    ListsShown Lists;
    // The user chose in the lists, or opened the properties, since start.
    // Until then the write has no type to act on, even when the lists show
    // the document's own.
    bool TypeChosen = false;

    // The type the lists show; 0 when they show none. A command acts on this
    // type, never on one the lists no longer show.
    int ShownTypeRow() const { return Lists.Table != 0 ? Lists.TypeRow : 0; }
    // The type the write acts on: the one shown, once the user has chosen
    // since start; 0 before that.
    int ChosenTypeRow() const { return TypeChosen ? ShownTypeRow() : 0; }
};

} // namespace psm
