#include "app/App.h"

#include "apply/Properties.h"
#include "apply/Reset.h"
#include "apply/Write.h"
#include "core/CrashReport.h"
#include "core/Exit.h"
#include "core/Hints.h"
#include "core/Lists.h"
#include "core/Present.h"
#include "survey/SurveyTable.h"
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

// The survey window takes no input for the lifetime of a command: the
// command's boxes are modal to the main window only.
class SurveyInputHeld {
  public:
    explicit SurveyInputHeld(SurveyView& survey) : m_survey(survey) { m_survey.EnableInput(false); }
    ~SurveyInputHeld() { m_survey.EnableInput(true); }
    SurveyInputHeld(const SurveyInputHeld&) = delete;
    SurveyInputHeld& operator=(const SurveyInputHeld&) = delete;

  private:
    SurveyView& m_survey;
};

} // namespace

void App::RunCommand(std::string_view activity, std::function<void()> command) {
    if (Ended()) {
        return;
    }
    if (m_state.Run.CommandDepth > 0) {
        // Inside a command's, tick's or step's message loop (a box, a CAD
        // call): the event runs once that has ended, never inside it.
        m_waiting.push_back({activity, std::move(command)});
        return;
    }
    Execute({activity, std::move(command)});
    Finish();
}

void App::Execute(const UserEvent& event) {
    // Left as it is when the command fails, so that a crash report tells it.
    m_state.Run.Activity = event.Activity;
    const SurveyInputHeld held(m_services.Survey);
    const CommandScope running(m_state);
    const cad::CommandWaits waits(m_services.Waits);
    event.Command();
}

void App::Finish() {
    while (!m_waiting.empty() && !Ended()) {
        const UserEvent event = std::move(m_waiting.front());
        m_waiting.pop_front();
        Execute(event);
    }
    m_state.Run.Activity = "waiting";
    Present();
}

void App::Present() {
    if (Ended()) {
        return;
    }
    m_typesShown = m_state.Lists.TypesOf;
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
    Finish();
}

void App::OnActivate() {
    if (!Ended() && m_services.Info.Visible()) {
        m_services.Info.Destroy();
    }
}

void App::OnMouseDown(MouseButton button) {
    if (button == MouseButton::Right) {
        RunCommand("popup menu", [this] {
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
    if (list == ListId::Tables) {
        RunCommand("table list", [this, position] { ChooseTable(m_state, position); });
        return;
    }
    RunCommand("type list",
               [this, position, table = m_typesShown] { ChooseTypeOf(m_state, table, position); });
}

void App::OnCommand(MainCommand command) {
    RunCommand(ActivityOf(command), [this, command] { Run(command); });
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
    RunCommand(ActivityOf(command), [this, command] { RunMenu(command); });
}

void App::RunMenu(MenuCommand command) {
    if (command == MenuCommand::CheckAssembly) {
        OpenSurvey(m_state, m_services);
    } else {
        RunMenuCommand(m_state, m_services, command);
    }
}

void App::OnSurveyCommand(SurveyCommand command) {
    RunCommand(ActivityOf(command), [this, command] {
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
    RunCommand("survey check box", [this, row, checked] { CheckSurveyRow(m_state, row, checked); });
}

void App::OnSurveySort(int column) {
    RunCommand("survey column", [this, column] { SortSurvey(m_state, column); });
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
    Finish();
}

void App::OnSurveyClosed() {
    // Its parts are let go only once no command, tick or step works on them.
    RunCommand("survey: close", [this] { CloseSurvey(m_state); });
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
    Finish();
}

void App::OnCloseRequest() {
    // The close box ends the program the orderly way.
    RunCommand("close box", [this] { ExitProgram(m_state, m_services); });
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
