#include "tools/driver/ChildProcess_win32.h"

#include "tools/driver/Files_win32.h"
#include "tools/driver/WaitUntil_win32.h"

#include <utility>

namespace psm::e2e {
namespace {

struct WindowSearch {
    DWORD ProcessId;
    const wchar_t* ClassName;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM search) {
    auto* wanted = reinterpret_cast<WindowSearch*>(search);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (process == wanted->ProcessId && IsWindowVisible(window) &&
        std::wstring(className) == wanted->ClassName) {
        wanted->Found.push_back(window);
    }
    return TRUE;
}

} // namespace

std::optional<ChildProcess> ChildProcess::Start(const std::wstring& program,
                                                const std::wstring& arguments,
                                                const std::wstring& folder, HANDLE output) {
    const std::wstring path = ProgramFolder() + program;
    std::wstring commandLine = L"\"" + path + L"\" " + arguments;
    const std::wstring directory = folder.empty() ? ProgramFolder() : folder;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (output != nullptr) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, output != nullptr, 0,
                        nullptr, directory.c_str(), &startup, &started)) {
        return std::nullopt;
    }
    const UniqueHandle thread(started.hThread); // only the process is watched
    return ChildProcess(started.hProcess, started.dwProcessId);
}

ChildProcess::~ChildProcess() {
    Terminate();
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        Terminate();
        m_process = std::move(other.m_process);
        m_id = other.m_id;
    }
    return *this;
}

bool ChildProcess::Running() const {
    return m_process && WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT;
}

bool ChildProcess::WaitForExit(DWORD milliseconds) const {
    return !m_process ||
           WaitUntil([&] { return WaitForSingleObject(m_process.Get(), 0) != WAIT_TIMEOUT; },
                     milliseconds);
}

std::optional<DWORD> ChildProcess::ExitCode() const {
    DWORD code = 0;
    if (!m_process || Running() || !GetExitCodeProcess(m_process.Get(), &code)) {
        return std::nullopt;
    }
    return code;
}

void ChildProcess::Terminate() {
    if (Running()) {
        TerminateProcess(m_process.Get(), 99);
        WaitForSingleObject(m_process.Get(), 5000);
    }
}

std::vector<HWND> ChildProcess::VisibleWindows(const wchar_t* className) const {
    WindowSearch search{m_id, className, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

} // namespace psm::e2e
