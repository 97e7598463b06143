#pragma once

// The program: its state and the platform services, behind the events the
// main window forwards. wWinMain builds one after the COM apartment (the CAD
// references it holds must go before the apartment ends), from the Win32
// services:
//
//   psm::App app({.View = mainWindow,          // psm::MainWindow
//                 .Properties = infoWindow,          // psm::PropertiesWindow
//                 .Boxes = messageBoxes,       // psm::Win32MessageBoxes
//                 .Settings = settings,        // psm::RegistrySettingsStore
//                 .Automation = automation,    // psm::cad::BusyRetryAutomation around
//                                              // psm::CallTracing around psm::cad::ComAutomation
//                 .Pointer = mainWindow, .Events = pump, .Location = location,
//                 .UserDecimalSeparator = psm::UserDecimalSeparator,
//                 .DecodeAnsi = psm::DecodeAnsiCodePage,
//                 .Station = workstation,       // psm::WindowsWorkstation
//                 .Waits = waits, .Time = clock, // the automation's budget, a SteadyClock
//                 .Survey = surveyWindow,       // psm::SurveyWindow
//                 .Tracing = tracing,           // psm::CallTracing, inside the busy retry
//                 .Dump = dump,                 // psm::MiniDump
//                 .TraceAtStart = ...});        // "/trace" on the command line
//   mainWindow.Create(app);   // then infoWindow.SetEvents(app)
//   mainWindow.Load(show);    // OnLoad runs the start-up
//
// Every service must outlive the App. One command, tick or survey step runs
// at a time: what the user does meanwhile (in a box's or a CAD call's message
// loop) waits and runs after it, in order, never inside it; the survey window
// takes no input while a command runs. After each event the main window shows
// the state anew. After ExitProgram (Exit button, close box, value-file
// command, the watch) every event is ignored.

#include "app/AppState.h"
#include "app/Commands.h"
#include "app/Services.h"
#include "core/MainView.h"
#include "core/SurveyView.h"

#include <deque>
#include <optional>
#include <string_view>

namespace psm {

class App final : public MainWindowEvents, public SurveyEvents {
  public:
    explicit App(const Services& services) : m_services(services) {}

    void OnLoad() override;
    void OnActivate() override;
    void OnMouseDown(MouseButton button) override;
    void OnMouseMove(MainControl control) override;
    void OnListChosen(ListId list, int position) override;
    void OnCommand(MainCommand command) override;
    void OnMenuCommand(MenuCommand command) override;
    void OnTimer(bool mainWindowIsActive) override;
    void OnCloseRequest() override;
    void OnPropertiesClick() override;
    void OnPropertiesCommand(PropertiesCommand command) override;
    void OnUnexpectedFailure() noexcept override;
    // The system is about to end the program for an exception (`failure`
    // says which): the crash report is written and the user told, once.
    void OnCrash(std::string_view failure) noexcept;

    void OnSurveyCommand(SurveyCommand command) override;
    void OnSurveyChecked(std::size_t part, bool checked) override;
    void OnSurveySort(int column) override;
    void OnSurveyStep() override;
    void OnSurveyClosed() override;

    const AppState& State() const { return m_state; }
    AppState& State() { return m_state; }
    bool Ended() const { return m_state.Run.Ended || m_failed; }

  private:
    // What the user did, to run as a command once no command, tick or step runs.
    struct UserEvent {
        CommandKey Key;
        CommandArguments Args;
    };
    // The one gate: runs the event unless the program has ended; while a
    // command, tick or step runs, the event meets it as its row's gate kind
    // says. A command may wait for a busy CAD program within one budget.
    void Handle(const CommandKey& key, const CommandArguments& args = {});
    void Execute(const CommandRow& row, const CommandArguments& args);
    // The events that waited meanwhile, then the windows as the state is now.
    void Finish();
    // A survey step that meets a running command is due again after this long.
    static constexpr int StepRetryMs = 100;
    // The windows show the state as it is now.
    void Present();
    // Writes the crash report and tells the user, who learns where it is.
    void Report(std::string_view failure) noexcept;

    AppState m_state;
    Services m_services;
    bool m_failed = false; // an unexpected failure is being reported
    std::deque<UserEvent> m_waiting;
    // The table whose types the type list showed last: a choice that waited
    // is one of those, whatever a command has shown since.
    int m_typesShown = 0;
    // What the properties window shows, as last drawn.
    std::optional<PropertiesViewModel> m_propertiesShown;
};

} // namespace psm
