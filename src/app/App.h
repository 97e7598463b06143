#pragma once

// The program: its state and the platform services, behind the events the
// main window forwards. wWinMain builds one after the COM apartment (the CAD
// references it holds must go before the apartment ends), from the Win32
// services:
//
//   psm::App app({.View = mainWindow,          // psm::MainWindow
//                 .Info = infoWindow,          // psm::InfoWindow
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
// Every service must outlive the App. One command or tick runs at a time:
// what the user does while a command waits runs after it, never inside it.
// After each event the main window shows the state anew. After ExitProgram
// (Exit button, close box, value-file command, the watch) every event is ignored.

#include "core/AppState.h"
#include "core/MainView.h"
#include "core/Services.h"
#include "core/SurveyView.h"

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
    void OnInfoClick() override;
    void OnUnexpectedFailure() noexcept override;
    // The system is about to end the program for an exception (`failure`
    // says which): the crash report is written and the user told, once.
    void OnCrash(std::string_view failure) noexcept;

    void OnSurveyCommand(SurveyCommand command) override;
    void OnSurveyChecked(int row, bool checked) override;
    void OnSurveySort(int column) override;
    void OnSurveyStep() override;
    void OnSurveyClosed() override;

    const AppState& State() const { return m_state; }
    AppState& State() { return m_state; }
    bool Ended() const { return m_state.Run.Ended || m_failed; }

  private:
    // Runs a command unless the program has ended or a command or tick runs
    // already; the command may wait for a busy CAD program within one budget.
    template <class Command>
    void RunCommand(std::string_view activity, Command&& command);
    void Run(MainCommand command);
    void RunMenu(MenuCommand command);
    // A survey step that meets a running command is due again after this long.
    static constexpr int StepRetryMs = 100;
    // The windows show the state as it is now.
    void Present();
    // Writes the crash report and tells the user, who learns where it is.
    void Report(std::string_view failure) noexcept;

    AppState m_state;
    Services m_services;
    bool m_failed = false; // an unexpected failure is being reported
};

} // namespace psm
