#pragma once

// The popup menu of the main window and the commands of its items (the
// assembly check is the survey's, the trace's is in options/Trace); the
// application's command table routes each item to its command.

#include "apply/Journalling.h"
#include "cad/Automation.h"
#include "cad/Connection.h"
#include "core/Boxes.h"
#include "core/MainView.h"
#include "core/States.h"
#include "platform/MousePointer.h"
#include "platform/ProgramLocation.h"
#include "platform/TextDecoding.h"
#include "tables/SettingsStore.h"

#include <optional>

namespace psm {

// The right mouse button on the window's free area: the popup menu, and the
// command of the item chosen, if any.
std::optional<MenuCommand> ChooseFromPopupMenu(const LanguageTexts& texts, MainView& view,
                                               bool tracing);

// Installs the program's button in the CAD program.
void InstallButton(cad::CadConnection& cad, const LanguageTexts& texts, cad::Automation& automation,
                   const ProgramLocation& location, MousePointer& pointer);

// Lets the user choose another value file and stores its path; the program
// then ends and reads the file at the next start. Cancel stores the path unchanged.
void ChooseValueFile(ProgramContext& program, MainView& view, SettingsStore& settings,
                     const ProgramLocation& location);

// Shows the check of the value file in a box: its problems with their lines,
// the first of them and a count of the rest, or that it has none.
void ShowValueFileCheck(const ProgramContext& program, const Asking& ask,
                        const AnsiDecoder& decodeAnsi);

// Switches every text to the language at once and stores the choice for the
// next start.
void SwitchLanguage(ProgramContext& program, SettingsStore& settings, Language language);

// Opens the journal in the user's editor for text files, created with its
// header when it does not exist yet; says so when it cannot be written.
void OpenJournal(const ProgramContext& program, const JournalPorts& ports, const Asking& ask);

} // namespace psm
