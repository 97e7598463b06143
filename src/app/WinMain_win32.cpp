#include "app/App.h"
#include "app/CrashReport_win32.h"
#include "app/FailureDrill_win32.h"
#include "app/MainWindow_win32.h"
#include "app/MessageBoxes_win32.h"
#include "app/MessageLoop_win32.h"
#include "app/PropertiesWindow_win32.h"
#include "app/SurveyWindow_win32.h"
#include "cad/BusyRetry.h"
#include "cad/ComApartment_win32.h"
#include "cad/ComAutomation_win32.h"
#include "cad/MessageFilter_win32.h"
#include "core/CallTracing.h"
#include "options/CheckCommand.h"
#include "platform/AnsiCodePage_win32.h"
#include "platform/Clock.h"
#include "platform/CommandLine_win32.h"
#include "platform/ConsoleOutput_win32.h"
#include "platform/DecimalSeparator_win32.h"
#include "platform/ProgramLocation_win32.h"
#include "platform/TraceClock.h"
#include "platform/Utf16_win32.h"
#include "platform/Version.h"
#include "platform/Workstation_win32.h"
#include "survey/SurveyCommand.h"
#include "tables/RegistrySettingsStore_win32.h"
#include "texts/Texts.h"

#include <commctrl.h>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace {

// Only when an exception reached wWinMain itself, before or after the
// windows could report it.
void ReportUnexpectedFailure() noexcept {
    try {
        const psm::LanguageTexts texts;
        MessageBoxW(nullptr, psm::Widen(texts.Message(psm::MessageText::UnexpectedError)).c_str(),
                    psm::Widen(texts.Message(psm::MessageText::Title)).c_str(),
                    MB_OK | MB_ICONERROR | MB_TASKMODAL);
    } catch (...) {
        MessageBoxW(nullptr, L"Unexpected error - program ends", L"psm",
                    MB_OK | MB_ICONERROR | MB_TASKMODAL);
    }
}

// "psm.exe /check [file]": the report to the console, the outcome as the
// exit code; no window, no COM, no CAD program.
int RunCheck(const psm::CheckRequest& request) {
    const psm::RegistrySettingsStore settings;
    const psm::ExecutableLocation location;
    const psm::CheckCommandResult result =
        psm::RunCheckCommand(request, settings, location, psm::DecodeAnsiCodePage);
    psm::WriteToConsole(result.Output);
    return result.ExitCode;
}

// "psm.exe /survey": the active assembly's parts to the console, the outcome
// as the exit code; no window.
int RunSurvey() {
    const psm::cad::ComApartment apartment;
    psm::SteadyClock clock;
    psm::cad::WaitBudget waits(clock);
    const psm::cad::MessageFilterRegistration messageFilter(waits);
    psm::cad::ComAutomation com;
    psm::cad::BusyRetryAutomation automation(com, clock, waits);
    const psm::RegistrySettingsStore settings;
    const psm::ExecutableLocation location;
    const psm::SurveyCommandResult result =
        psm::RunSurveyCommand({settings, location, psm::DecodeAnsiCodePage,
                               psm::UserDecimalSeparator(), automation, waits});
    psm::WriteToConsole(result.Output);
    return result.ExitCode;
}

int Run(HINSTANCE instance, int showCommand, bool traceAtStart) {
    // The user-interface thread is a single-threaded apartment: the CAD
    // automation, its busy-retry message filter and the file dialog need it.
    // Declared first, so that it ends after every COM reference below.
    const psm::cad::ComApartment apartment;
    // What a command may wait for a busy CAD program; the message filter and
    // the busy retry draw on it alike.
    psm::SteadyClock clock;
    psm::cad::WaitBudget waits(clock);
    const psm::cad::MessageFilterRegistration messageFilter(waits);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES |
                                                       ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);

    psm::MainWindow mainWindow(instance);
    psm::PropertiesWindow infoWindow(instance, mainWindow);
    psm::SurveyWindow surveyWindow(instance, mainWindow);
    psm::Win32MessageBoxes messageBoxes(mainWindow);
    psm::RegistrySettingsStore settings;
    psm::cad::ComAutomation com;
    // The trace, when it runs, sees every call the CAD program receives,
    // each refused one too.
    const psm::SystemTraceClock traceClock;
    psm::CallTracing tracing(com, traceClock);
    // The message filter sees only the refusals the COM runtime reports to
    // it (Wine's reports none); a refusal that comes back as a call's result
    // is asked again here, by the same policy.
    psm::cad::BusyRetryAutomation automation(tracing, clock, waits);
    psm::MessagePump pump(mainWindow);
    psm::FailureDrill events(pump);
    const psm::ExecutableLocation location;
    psm::WindowsWorkstation workstation;
    psm::MiniDump dump;

    psm::App app({.View = mainWindow,
                  .Properties = infoWindow,
                  .Boxes = messageBoxes,
                  .Settings = settings,
                  .Automation = automation,
                  .Pointer = mainWindow,
                  .Events = events,
                  .Location = location,
                  .UserDecimalSeparator = psm::UserDecimalSeparator,
                  .DecodeAnsi = psm::DecodeAnsiCodePage,
                  .Station = workstation,
                  .Waits = waits,
                  .Time = clock,
                  .Survey = surveyWindow,
                  .Tracing = tracing,
                  .Dump = dump,
                  .TraceAtStart = traceAtStart});
    const psm::CrashGuard crashGuard(app, dump);

    if (!mainWindow.Create(app)) {
        return 1;
    }
    infoWindow.SetEvents(app);
    surveyWindow.SetEvents(app, app);
    try {
        // The start-up runs here, not in a window procedure.
        mainWindow.Load(showCommand);
    } catch (...) {
        app.OnUnexpectedFailure();
        return 3;
    }
    return psm::RunMessageLoop(mainWindow, surveyWindow);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    std::optional<psm::CheckRequest> check;
    bool survey = false;
    try {
        const std::vector<std::string> arguments = psm::CommandLineArguments();
        check = psm::CheckRequestOf(arguments);
        if (check) {
            return RunCheck(*check);
        }
        if (psm::IsSurveyRequest(arguments)) {
            survey = true;
            return RunSurvey();
        }
        if (psm::VersionRequested(arguments)) {
            psm::WriteToConsole(std::string(psm::VersionLine) + "\r\n");
            return 0;
        }
        return Run(instance, showCommand, psm::TraceRequested(arguments));
    } catch (...) {
        if (check || survey) {
            return 3; // no box: whoever runs the command may not be there to answer it
        }
        ReportUnexpectedFailure();
        return 3;
    }
}
