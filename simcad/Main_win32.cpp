// simcad.exe: the simulated CAD program, served over COM as the running
// "SolidEdge.Application", with the control object "SimCad.Control" for
// tests and a small window for people.
//
//   simcad.exe [SCENARIO-FILE]      default: simcad-demo.txt beside simcad.exe
//
// Exit codes: 0 after the window closed or Quit, 2 the scenario cannot be
// read, 3 another simcad runs already, 4 COM or the registry refused.

#include "cad/ComApartment_win32.h"
#include "platform/FileRead.h"
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
#include <shellapi.h>
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

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::vector<std::wstring> Arguments() {
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    for (int i = 1; i < count; ++i) {
        arguments.emplace_back(list[i]);
    }
    LocalFree(list);
    return arguments;
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

  private:
    SimCadWindow& m_window;
    const ObjectTable& m_model;
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
    const std::wstring module = ModulePath();
    const std::vector<std::wstring> arguments = Arguments();
    const std::wstring scenarioPath =
        arguments.empty() ? module.substr(0, module.find_last_of(L"\\/") + 1) + L"simcad-demo.txt"
                          : arguments.front();

    const auto text = ReadFileBytes(Narrow(scenarioPath));
    if (!text) {
        Complain("cannot read the scenario " + Narrow(scenarioPath));
        return 2;
    }
    World world;
    const std::vector<std::string> problems = LoadScenario(world, *text);
    if (!problems.empty()) {
        for (const std::string& problem : problems) {
            Complain(Narrow(scenarioPath) + ", " + problem);
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
    const TypeLibraryRegistration typeLibrary(module);
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
        L"simcad - " + scenarioPath.substr(scenarioPath.find_last_of(L"\\/") + 1);
    SimCadWindow window(instance, world, title);
    Host host(window, *model);
    const auto controlNode = std::make_shared<ControlObject>(world, host);
    if (!window.Create(showCommand)) {
        Complain("cannot create the window");
        return 4;
    }

    int result = 0;
    {
        const auto appView =
            std::static_pointer_cast<sim::SimObject>(world.Sim.View(world.Sim.App()));
        auto appObject = model->Serve(world.Sim.App(), std::string(), appView->Generation());
        auto controlObject = controls->Serve(controlNode, std::string(), 0);
        const ActiveObjectRegistration appRunning(static_cast<IDispatch*>(appObject.Get()),
                                                  ClassIdFromText(Widen(ApplicationClassId)));
        const ActiveObjectRegistration controlRunning(static_cast<IDispatch*>(controlObject.Get()),
                                                      ClassIdFromText(Widen(ControlClassId)));
        if (!appRunning.Ok() || !controlRunning.Ok()) {
            Complain("the running object table refused: " + Hex(appRunning.Status()) + "/" +
                     Hex(controlRunning.Status()));
            return 4;
        }
        Say(GetStdHandle(STD_OUTPUT_HANDLE),
            "simcad ready, process " + std::to_string(GetCurrentProcessId()) + "\n");
        result = RunMessageLoop();
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
