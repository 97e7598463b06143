#include "app/App.h"

#include "apply/Properties.h"
#include "apply/Reset.h"
#include "apply/Write.h"
#include "core/CrashReport.h"
#include "core/Exit.h"
#include "core/Hints.h"
#include "core/Lists.h"
#include "core/Present.h"
#include "core/SurveyTable.h"
#include "options/OptionsMenu.h"
#include "startup/StartUp.h"
#include "survey/BatchWrite.h"
#include "survey/SurveyRun.h"
#include "watch/DocumentWatch.h"

#include <cstdlib>

namespace psm {
namespace {

// What a crash report says psm was doing.
std::string_view ActivityOf(MainCommand command) {
    switch (command) {
    case MainCommand::WriteChosenType:
        return "write button";
    case MainCommand::ShowDocumentType:
        return "reset list button";
    case MainCommand::ResetDocument:
        return "reset button";
    case MainCommand::ShowProperties:
        return "properties button";
    case MainCommand::Exit:
        return "exit button";
    }
    return "button";
}

std::string_view ActivityOf(MenuCommand command) {
    switch (command) {
    case MenuCommand::InstallButton:
        return "menu: install";
    case MenuCommand::ChooseValueFile:
        return "menu: value file";
    case MenuCommand::CheckValueFile:
        return "menu: check value file";
    case MenuCommand::CheckAssembly:
        return "menu: check assembly";
    case MenuCommand::OpenJournal:
        return "menu: journal";
    case MenuCommand::German:
    case MenuCommand::English:
        return "menu: language";
    case MenuCommand::ToggleTrace:
        return "menu: trace";
    }
    return "menu";
}

std::string_view ActivityOf(SurveyCommand command) {
    switch (command) {
    case SurveyCommand::Refresh:
        return "survey: refresh";
    case SurveyCommand::Write:
        return "survey: write";
    case SurveyCommand::Copy:
        return "survey: copy";
    case SurveyCommand::Cancel:
        return "survey: cancel";
    }
    return "survey";
}

} // namespace

template <class Command>
void App::RunCommand(std::string_view activity, Command&& command) {
    if (Ended() || m_state.Run.CommandDepth > 0) {
        return;
    }
    // Left as it is when the command fails, so that a crash report tells it.
    m_state.Run.Activity = activity;
    {
        const CommandScope running(m_state);
        const cad::CommandWaits waits(m_services.Waits);
        command();
    }
    m_state.Run.Activity = "waiting";
    Present();
}

void App::Present() {
    if (Ended()) {
        return;
    }
    m_services.View.Show(PresentMainWindow(m_state));
    if (m_state.Survey.Open) {
        m_services.Survey.Show(PresentSurvey(m_state));
    }
}

void App::OnLoad() {
    if (Ended()) {
        return;
    }
    m_state.Run.Activity = "start-up";
    {
        // Ticks that arrive during a message box of the start-up wait for it.
        const CommandScope startUp(m_state);
        StartUp(m_state, m_services);
    }
    m_state.Run.Activity = "waiting";
    Present();
}

void App::OnActivate() {
    if (!Ended() && m_services.Info.Visible()) {
        m_services.Info.Destroy();
    }
}

void App::OnMouseDown(MouseButton button) {
    if (button == MouseButton::Right) {
        RunCommand("popup menu", [&] {
            if (const auto chosen = ChooseFromPopupMenu(m_state, m_services)) {
                RunMenu(*chosen);
            }
        });
    }
}

void App::OnMouseMove(MainControl control) {
    if (!Ended()) {
        TrackHint(m_state, control);
        Present();
    }
}

void App::OnListChosen(ListId list, int position) {
    RunCommand(list == ListId::Tables ? "table list" : "type list", [&] {
        if (list == ListId::Tables) {
            ChooseTable(m_state, position);
        } else {
            ChooseType(m_state, position);
        }
    });
}

void App::OnCommand(MainCommand command) {
    RunCommand(ActivityOf(command), [&] { Run(command); });
}

void App::Run(MainCommand command) {
    switch (command) {
    case MainCommand::WriteChosenType:
        WriteChosenType(m_state, m_services);
        return;
    case MainCommand::ShowDocumentType:
        ResetLists(m_state);
        return;
    case MainCommand::ResetDocument:
        ResetDocument(m_state, m_services);
        return;
    case MainCommand::ShowProperties:
        ShowProperties(m_state, m_services);
        return;
    case MainCommand::Exit:
        ExitProgram(m_state, m_services);
        return;
    }
}

void App::OnMenuCommand(MenuCommand command) {
    RunCommand(ActivityOf(command), [&] { RunMenu(command); });
}

void App::RunMenu(MenuCommand command) {
    if (command == MenuCommand::CheckAssembly) {
        OpenSurvey(m_state, m_services);
    } else {
        RunMenuCommand(m_state, m_services, command);
    }
}

void App::OnSurveyCommand(SurveyCommand command) {
    RunCommand(ActivityOf(command), [&] {
        switch (command) {
        case SurveyCommand::Refresh:
            RefreshSurvey(m_state, m_services);
            return;
        case SurveyCommand::Write:
            WriteCheckedParts(m_state, m_services);
            return;
        case SurveyCommand::Copy:
            CopySurvey(m_state, m_services);
            return;
        case SurveyCommand::Cancel:
            CancelSurvey(m_state);
            return;
        }
    });
}

void App::OnSurveyChecked(int row, bool checked) {
    RunCommand("survey check box", [&] { CheckSurveyRow(m_state, row, checked); });
}

void App::OnSurveySort(int column) {
    RunCommand("survey column", [&] { SortSurvey(m_state, column); });
}

void App::OnSurveyStep() {
    if (Ended()) {
        return;
    }
    if (m_state.Run.CommandDepth > 0) {
        // A command runs (its box is open, say): the step comes again later.
        m_services.Survey.ScheduleStep(StepRetryMs);
        return;
    }
    // Like a tick, a step never waits for a busy CAD program.
    m_state.Run.Activity = "survey step";
    {
        const CommandScope running(m_state);
        SurveyStep(m_state, m_services);
    }
    m_state.Run.Activity = "waiting";
    Present();
}

void App::OnSurveyClosed() {
    if (!Ended()) {
        CloseSurvey(m_state);
    }
}

void App::OnTimer(bool mainWindowIsActive) {
    // A tick never waits for a busy CAD program: the next one asks again.
    if (Ended() || m_state.Run.CommandDepth > 0) {
        return;
    }
    m_state.Run.Activity = "tick";
    {
        const CommandScope running(m_state);
        OnTick(m_state, m_services, mainWindowIsActive);
    }
    m_state.Run.Activity = "waiting";
    Present();
}

void App::OnCloseRequest() {
    // The close box ends the program the orderly way.
    RunCommand("close box", [&] { ExitProgram(m_state, m_services); });
}

void App::OnInfoClick() {
    if (!Ended()) {
        CloseProperties(m_state, m_services);
    }
}

void App::OnUnexpectedFailure() noexcept {
    if (Ended()) {
        return;
    }
    // The command that failed is abandoned; what the user relies on, the
    // stored window position, is still written on the orderly way out.
    Report("an exception reached a window procedure");
    try {
        ExitProgram(m_state, m_services);
    } catch (...) {
        // Not even the orderly end works: end at once.
        std::_Exit(3);
    }
}

void App::OnCrash(std::string_view failure) noexcept {
    if (!m_failed) {
        Report(failure);
    }
}

void App::Report(std::string_view failure) noexcept {
    m_failed = true;
    CrashFiles files;
    try {
        files = WriteCrashReport(m_state, m_services, failure);
    } catch (...) {
        files = {}; // the box tells the user all the same
    }
    try {
        const TextTables& texts = m_state.Texts;
        (void)m_services.Boxes.ShowMessage(UnexpectedFailureText(texts, files),
                                           texts.Message(MessageText::Title), MessageButtons::Ok,
                                           MessageIcon::Critical);
    } catch (...) {
        std::_Exit(3);
    }
}

} // namespace psm
