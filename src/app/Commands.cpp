#include "app/Commands.h"

#include "app/BehaviourPorts.h"
#include "app/Exit.h"
#include "apply/Properties.h"
#include "apply/Reset.h"
#include "apply/WaitingWrite.h"
#include "apply/Write.h"
#include "lists/Lists.h"
#include "options/OptionsMenu.h"
#include "startup/StartUp.h"
#include "survey/BatchWrite.h"
#include "survey/SurveyRun.h"
#include "watch/DocumentWatch.h"

#include <array>

namespace psm {
namespace {

using State = AppState&;
using Ports = const Services&;
using Args = const CommandArguments&;

// The main window's write and reset: the document shown, the writer, the lists.
template <void (*Command)(const DocumentCommand&)>
void OnDocument(AppState& s, const Services& p) {
    const Writer writer = WriterOf(s, p);
    Command({writer, s, s, AskingOf(s, p), p.Pointer});
}

// Finishes what a write left waiting, then the tick's poll; a CAD program
// gone ends the program.
void Tick(AppState& s, const Services& p, bool mainWindowIsActive) {
    FinishWaitingWrite(WriterOf(s, p));
    if (PollDocument(s, s, s.Tables, WatchPortsOf(p), mainWindowIsActive) == PollResult::CadGone) {
        ExitProgram(s, p);
    }
}

template <void (*Command)(const BatchCommand&)>
void OnSurveyParts(AppState& s, const Services& p) {
    const Writer writer = WriterOf(s, p);
    const SurveyPorts ports = SurveyPortsOf(p);
    Command({s.Survey, s.Batch, writer, s, s.Document, AskingOf(s, p), ports});
}

// Writes what the survey's write still has to, slice by slice, to its
// summary, within the running command's wait for a busy CAD program.
void FinishSurveyWrite(AppState& s, const Services& p) {
    for (std::size_t slice = 0; s.Batch.Running && slice <= s.Batch.Plan.size(); ++slice) {
        OnSurveyParts<ContinueBatch>(s, p);
    }
}

constexpr std::array Rows{
    // The picture buttons.
    CommandRow{MainCommand::WriteChosenType, "write button", GateKind::Command,
               [](State s, Ports p, Args) { OnDocument<WriteChosenType>(s, p); }},
    CommandRow{MainCommand::ResetLists, "reset list button", GateKind::Command,
               [](State s, Ports, Args) { ResetLists(s, s.Tables, s.Document); }},
    CommandRow{MainCommand::ResetDocument, "reset button", GateKind::Command,
               [](State s, Ports p, Args) { OnDocument<ResetDocument>(s, p); }},
    CommandRow{MainCommand::ShowProperties, "properties button", GateKind::Command,
               [](State s, Ports p, Args) {
                   ShowProperties(s, s, s.Document, {p.Properties, p.View});
               }},
    // The properties window's button.
    CommandRow{PropertiesCommand::ChooseNearestType, "properties: choose nearest",
               GateKind::Command,
               [](State s, Ports, Args) { ChooseNearestType(s, s, s.Document); }},
    CommandRow{MainCommand::Exit, "exit button", GateKind::Command,
               [](State s, Ports p, Args) { ExitProgram(s, p); }},
    // The close box ends the program the orderly way.
    CommandRow{AppEvent::CloseBox, "close box", GateKind::Command,
               [](State s, Ports p, Args) { ExitProgram(s, p); }},
    CommandRow{AppEvent::TableList, "table list", GateKind::Command,
               [](State s, Ports, Args a) { ChooseTable(s, s.Tables, a.Number); }},
    // A choice that waited is one of the types shown when it was made.
    CommandRow{AppEvent::TypeList, "type list", GateKind::Command,
               [](State s, Ports, Args a) { ChooseTypeOf(s, s.Tables, a.Table, a.Number); }},
    // The popup menu, and the command of the item chosen within it.
    CommandRow{AppEvent::PopupMenu, "popup menu", GateKind::Command,
               [](State s, Ports p, Args a) {
                   if (const auto chosen = ChooseFromPopupMenu(s.Texts, p.View, p.Tracing.On())) {
                       RowOf(*chosen).Run(s, p, a);
                   }
               }},
    CommandRow{MenuCommand::InstallButton, "menu: install", GateKind::Command,
               [](State s, Ports p, Args) {
                   InstallButton(s.Cad, s.Texts, p.Automation, p.Location, p.Pointer);
               }},
    CommandRow{MenuCommand::ChooseValueFile, "menu: value file", GateKind::Command,
               [](State s, Ports p, Args) {
                   ChooseValueFile(s, p.View, p.Settings, p.Location);
                   // Values a write left to be put back are journalled before the end.
                   FinishWaitingWrite(WriterOf(s, p));
                   ExitProgram(s, p);
               }},
    CommandRow{MenuCommand::CheckValueFile, "menu: check value file", GateKind::Command,
               [](State s, Ports p, Args) { ShowValueFileCheck(s, AskingOf(s, p), p.DecodeAnsi); }},
    CommandRow{MenuCommand::CheckAssembly, "menu: check assembly", GateKind::Command,
               [](State s, Ports p, Args) { OpenSurvey(s.Survey, SurveyPortsOf(p)); }},
    CommandRow{MenuCommand::OpenJournal, "menu: journal", GateKind::Command,
               [](State s, Ports p, Args) { OpenJournal(s, JournalPortsOf(p), AskingOf(s, p)); }},
    CommandRow{MenuCommand::German, "menu: language", GateKind::Command,
               [](State s, Ports p, Args) { SwitchLanguage(s, p.Settings, Language::German); }},
    CommandRow{MenuCommand::English, "menu: language", GateKind::Command,
               [](State s, Ports p, Args) { SwitchLanguage(s, p.Settings, Language::English); }},
    CommandRow{
        MenuCommand::ToggleTrace, "menu: trace", GateKind::Command,
        [](State s, Ports p, Args) { ToggleTrace(s, TracePortsOf(p), HeldReferencesOf(s)); }},
    // The survey window.
    CommandRow{SurveyCommand::Refresh, "survey: refresh", GateKind::Command,
               [](State s, Ports p, Args) { RefreshSurvey(s.Survey, SurveyPortsOf(p)); }},
    CommandRow{SurveyCommand::Write, "survey: write", GateKind::Command,
               [](State s, Ports p, Args) { OnSurveyParts<WriteCheckedParts>(s, p); }},
    CommandRow{SurveyCommand::SetToStandard, "survey: set to standard", GateKind::Command,
               [](State s, Ports p, Args) { OnSurveyParts<SetCheckedPartsToStandard>(s, p); }},
    CommandRow{SurveyCommand::Copy, "survey: copy", GateKind::Command,
               [](State s, Ports p, Args) { CopySurvey(s.Survey, s, p.Survey); }},
    CommandRow{SurveyCommand::Cancel, "survey: cancel", GateKind::Command,
               [](State s, Ports, Args) {
                   CancelBatch(s.Batch);
                   CancelSurvey(s.Survey);
               }},
    CommandRow{AppEvent::SurveyCheckBox, "survey check box", GateKind::Command,
               [](State s, Ports, Args a) { CheckSurveyPart(s.Survey, a.Part, a.Flag); }},
    CommandRow{AppEvent::SurveyColumn, "survey column", GateKind::Command,
               [](State s, Ports, Args a) { SortSurvey(s.Survey, a.Number); }},
    // Its parts are let go only once no command, tick or step works on them.
    CommandRow{AppEvent::SurveyClose, "survey: close", GateKind::Command,
               [](State s, Ports p, Args) {
                   // A write the user said yes to ends first, with its summary.
                   FinishSurveyWrite(s, p);
                   CloseSurvey(s.Survey);
               }},
    // What no user asks for.
    CommandRow{AppEvent::StartUp, "start-up", GateKind::Tick,
               [](State s, Ports p, Args) {
                   const TracePorts trace = TracePortsOf(p);
                   StartUp(s, s, s,
                           {p.View, p.Settings, p.Location, p.UserDecimalSeparator, p.TraceAtStart,
                            trace});
               }},
    CommandRow{AppEvent::Tick, "tick", GateKind::Tick,
               [](State s, Ports p, Args a) { Tick(s, p, a.Flag); }},
    CommandRow{AppEvent::SurveyStep, "survey step", GateKind::Step,
               [](State s, Ports p, Args) {
                   if (s.Batch.Running) {
                       // Writing parts may wait for a busy CAD program as a command does.
                       const cad::CommandWaits waits(p.Waits);
                       OnSurveyParts<ContinueBatch>(s, p);
                   } else {
                       SurveyStep(s.Survey, s.Tables, SurveyPortsOf(p));
                   }
               }},
};

constexpr bool HasRow(const CommandKey& key) {
    for (const CommandRow& row : Rows) {
        if (row.Key == key) {
            return true;
        }
    }
    return false;
}

// Every value of `Enum` up to `last` has its row.
template <class Enum>
constexpr bool Covered(Enum last) {
    for (int k = 0; k <= static_cast<int>(last); ++k) {
        if (!HasRow(static_cast<Enum>(k))) {
            return false;
        }
    }
    return true;
}

static_assert(Covered(MainCommand::Exit));
static_assert(Covered(MenuCommand::ToggleTrace));
static_assert(Covered(PropertiesCommand::ChooseNearestType));
static_assert(Covered(SurveyCommand::SetToStandard));
static_assert(Covered(AppEvent::SurveyClose));

} // namespace

const CommandRow& RowOf(const CommandKey& key) {
    for (const CommandRow& row : Rows) {
        if (row.Key == key) {
            return row;
        }
    }
    return Rows.front(); // not reached: the table covers every key
}

} // namespace psm
