#include "app/App.h"

#include "app/CrashReport.h"
#include "app/Exit.h"
#include "apply/Properties.h"
#include "cad/BusyRetry.h"
#include "core/Hints.h"
#include "present/MainPresenter.h"
#include "present/PropertiesPresenter.h"
#include "survey/SurveyTable.h"

#include <cstdlib>
#include <optional>

namespace psm {
namespace {

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

void App::Handle(const CommandKey& key, const CommandArguments& args) {
    if (Ended()) {
        return;
    }
    const CommandRow& row = RowOf(key);
    if (m_state.Run.CommandDepth > 0) {
        // Inside a command's, tick's or step's message loop (a box, a CAD
        // call): nothing runs inside it.
        switch (row.Gate) {
        case GateKind::Command:
            m_waiting.push_back({key, args}); // runs once that has ended
            return;
        case GateKind::Tick:
            return; // the next one asks again
        case GateKind::Step:
            m_services.Survey.ScheduleStep(StepRetryMs);
            return;
        }
    }
    Execute(row, args);
    Finish();
}

void App::Execute(const CommandRow& row, const CommandArguments& args) {
    // Left as it is when the command fails, so that a crash report tells it.
    m_state.Run.Activity = row.Activity;
    const bool user = row.Gate == GateKind::Command;
    std::optional<SurveyInputHeld> held;
    if (user) {
        held.emplace(m_services.Survey);
    }
    const CommandScope running(m_state);
    std::optional<cad::CommandWaits> waits;
    if (user) {
        waits.emplace(m_services.Waits);
    }
    row.Run(m_state, m_services, args);
}

void App::Finish() {
    while (!m_waiting.empty() && !Ended()) {
        const UserEvent event = m_waiting.front();
        m_waiting.pop_front();
        Execute(RowOf(event.Key), event.Args);
    }
    m_state.Run.Activity = "waiting";
    Present();
}

void App::Present() {
    if (Ended()) {
        return;
    }
    m_typesShown = m_state.Lists.TypesOf;
    m_services.View.Show(PresentMainWindow({m_state, m_state.Document, m_state, m_state.Hint}));
    // An open properties window follows the document and the language; one
    // with nothing left to show closes.
    if (m_services.Properties.Visible()) {
        const auto properties = PresentProperties(m_state, m_state.Document, m_state);
        if (!properties) {
            m_services.Properties.Destroy();
        } else if (properties != m_propertiesShown) {
            m_services.Properties.Show(*properties);
        }
        m_propertiesShown = properties;
    }
    if (m_state.Survey.Open) {
        m_services.Survey.Show(PresentSurvey(m_state.Survey, m_state, m_state));
    }
}

void App::OnLoad() {
    // Ticks that arrive during a message box of the start-up meet the gate closed.
    Handle(AppEvent::StartUp);
}

void App::OnActivate() {
    if (!Ended() && m_services.Properties.Visible()) {
        m_services.Properties.Destroy();
    }
}

void App::OnMouseDown(MouseButton button) {
    if (button == MouseButton::Right) {
        Handle(AppEvent::PopupMenu);
    }
}

void App::OnMouseMove(MainControl control) {
    if (!Ended()) {
        TrackHint(m_state.Hint, control);
        Present();
    }
}

void App::OnListChosen(ListId list, int position) {
    if (list == ListId::Tables) {
        Handle(AppEvent::TableList, {.Number = position});
        return;
    }
    Handle(AppEvent::TypeList, {.Number = position, .Table = m_typesShown});
}

void App::OnCommand(MainCommand command) {
    Handle(command);
}

void App::OnMenuCommand(MenuCommand command) {
    Handle(command);
}

void App::OnSurveyCommand(SurveyCommand command) {
    Handle(command);
}

void App::OnSurveyChecked(std::size_t part, bool checked) {
    Handle(AppEvent::SurveyCheckBox, {.Part = part, .Flag = checked});
}

void App::OnSurveySort(int column) {
    Handle(AppEvent::SurveyColumn, {.Number = column});
}

void App::OnSurveyStep() {
    Handle(AppEvent::SurveyStep);
}

void App::OnSurveyClosed() {
    Handle(AppEvent::SurveyClose);
}

void App::OnTimer(bool mainWindowIsActive) {
    Handle(AppEvent::Tick, {.Flag = mainWindowIsActive});
}

void App::OnCloseRequest() {
    Handle(AppEvent::CloseBox);
}

void App::OnPropertiesClick() {
    if (!Ended()) {
        CloseProperties({m_services.Properties, m_services.View});
    }
}

void App::OnPropertiesCommand(PropertiesCommand command) {
    Handle(command);
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
        const LanguageTexts& texts = m_state.Texts;
        (void)m_services.Boxes.ShowMessage(UnexpectedFailureText(texts, files),
                                           texts.Message(MessageText::Title), MessageButtons::Ok,
                                           MessageIcon::Critical);
    } catch (...) {
        std::_Exit(3);
    }
}

} // namespace psm
