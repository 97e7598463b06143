// simcad.exe: the simulated CAD program, served over COM as the running
// "SolidEdge.Application", with the control object "SimCad.Control" for
// tests and a small window for people.
//
//   simcad.exe [SCENARIO-FILE]      default: simcad-demo.txt beside simcad.exe
//
// Exit codes: 0 after the window closed or Quit, 2 the scenario cannot be
// read, 3 another simcad runs already, 4 COM or the registry refused.

#include "cad/ComApartment_win32.h"
#include "platform/CommandLine_win32.h"
#include "platform/FileRead.h"
#include "platform/ProgramLocation_win32.h"
#include "platform/Utf16_win32.h"
#include "sim/SimObject.h"
#include "simcad/Control.h"
#include "simcad/DispatchObject_win32.h"
#include "simcad/InterfaceIds.h"
#include "simcad/ObjectTable_win32.h"
#include "simcad/Registration_win32.h"
#include "simcad/Scenario.h"
#include "simcad/SimCadWindow_win32.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace psm::simcad {
namespace {

// Wine hands a program started from a shell that shell's output, also to a
// GUI program: UTF-8 bytes go through unchanged.
void Say(HANDLE stream, const std::string& text) {
    DWORD written = 0;
    WriteFile(stream, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void Complain(const std::string& text) {
    Say(GetStdHandle(STD_ERROR_HANDLE), "simcad: " + text + "\n");
}

std::string Hex(HRESULT code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(code));
    return text;
}

// The folder with a trailing backslash; a drive root has it already.
std::string WithBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') {
        folder += '\\';
    }
    return folder;
}

bool AnotherInstanceRuns() {
    Microsoft::WRL::ComPtr<IUnknown> running;
    return SUCCEEDED(GetActiveObject(ClassIdFromText(Widen(ApplicationClassId)), nullptr,
                                     running.GetAddressOf()));
}

class Host final : public ControlHost {
  public:
    Host(SimCadWindow& window, const ObjectTable& model) : m_window(window), m_model(model) {}
    void Quit() override { m_window.Close(); }
    void BringToFront() override { m_window.BringToFront(); }
    int32_t ProcessId() const override { return static_cast<int32_t>(GetCurrentProcessId()); }
    int32_t NameLookups() const override { return m_model.NameLookups(); }
    void WithdrawRegistration() override {
        if (m_application != nullptr) {
            m_application->Revoke();
        }
    }
    // The application's entry in the running object table, once it is made.
    void Registered(ActiveObjectRegistration* application) { m_application = application; }

  private:
    SimCadWindow& m_window;
    const ObjectTable& m_model;
    ActiveObjectRegistration* m_application = nullptr;
};

int RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

int Run(HINSTANCE instance, int showCommand) {
    const ExecutableLocation location;
    const std::string folder = WithBackslash(location.ProgramFolder());
    const std::vector<std::string> arguments = CommandLineArguments();
    const std::string scenarioPath =
        arguments.empty() ? folder + "simcad-demo.txt" : arguments.front();

    const auto text = ReadFileBytes(scenarioPath);
    if (!text) {
        Complain("cannot read the scenario " + scenarioPath);
        return 2;
    }
    World world;
    const std::vector<std::string> problems = LoadScenario(world, *text);
    if (!problems.empty()) {
        for (const std::string& problem : problems) {
            Complain(scenarioPath + ", " + problem);
        }
        return 2;
    }

    const cad::ComApartment apartment;
    if (!apartment.Ok()) {
        Complain("COM refused the apartment: " + Hex(apartment.Status()));
        return 4;
    }
    if (AnotherInstanceRuns()) {
        Complain("another simcad runs already");
        return 3;
    }
    const TypeLibraryRegistration typeLibrary(Widen(folder + location.ExecutableFileName()));
    const ClassRegistration application(L"SolidEdge.Application", Widen(ApplicationClassId),
                                        L"simcad: simulated CAD program");
    const ClassRegistration control(Widen(ControlProgId), Widen(ControlClassId),
                                    L"simcad: control object for tests");
    if (!typeLibrary.Ok() || !application.Ok() || !control.Ok()) {
        Complain("registration failed: type library " + Hex(typeLibrary.Status()) + ", classes " +
                 std::to_string(application.Status()) + "/" + std::to_string(control.Status()));
        return 4;
    }

    ModelDispatcher modelCalls(world.Sim);
    DirectDispatcher controlCalls(world.Sim);
    const auto model = std::make_shared<ObjectTable>(modelCalls);
    const auto controls = std::make_shared<ObjectTable>(controlCalls);
    const std::wstring title =
        L"simcad - " + Widen(scenarioPath.substr(scenarioPath.find_last_of("\\/") + 1));
    SimCadWindow window(instance, world, title);
    Host host(window, *model);
    const auto controlNode = std::make_shared<ControlObject>(world, host);
    if (!window.Create()) {
        Complain("cannot create the window");
        return 4;
    }

    int result = 0;
    {
        const auto appView =
            std::static_pointer_cast<sim::SimObject>(world.Sim.View(world.Sim.App()));
        auto appObject = model->Serve(world.Sim.App(), std::string(), appView->Generation());
        auto controlObject = controls->Serve(controlNode, std::string(), 0);
        ActiveObjectRegistration appRunning(static_cast<IDispatch*>(appObject.Get()),
                                            ClassIdFromText(Widen(ApplicationClassId)));
        const ActiveObjectRegistration controlRunning(static_cast<IDispatch*>(controlObject.Get()),
                                                      ClassIdFromText(Widen(ControlClassId)));
        if (!appRunning.Ok() || !controlRunning.Ok()) {
            Complain("the running object table refused: " + Hex(appRunning.Status()) + "/" +
                     Hex(controlRunning.Status()));
            return 4;
        }
        host.Registered(&appRunning);
        window.Show(showCommand);
        Say(GetStdHandle(STD_OUTPUT_HANDLE),
            "simcad ready, process " + std::to_string(GetCurrentProcessId()) + "\n");
        result = RunMessageLoop();
        host.Registered(nullptr);
    }
    // No client call may reach the model once it is gone.
    model->DisconnectAll();
    controls->DisconnectAll();
    return result;
}

} // namespace
} // namespace psm::simcad

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    try {
        return psm::simcad::Run(instance, showCommand);
    } catch (...) {
        return 5;
    }
}
