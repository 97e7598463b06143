#pragma once

// Programs the tests start (simcad.exe, psm.exe): started beside the test
// program, ended by the guard if they are still running at its end.

#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace psm::e2e {

class ChildProcess {
  public:
    // Starts `program` (a file of the folder this test program lives in)
    // with a command-line tail, in `folder` (empty: that folder).
    static std::optional<ChildProcess> Start(const std::wstring& program,
                                             const std::wstring& arguments,
                                             const std::wstring& folder = {});
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    DWORD Id() const { return m_id; }
    HANDLE Handle() const { return m_process; }
    bool Running() const;
    // True when the process ended within the time.
    bool WaitForExit(DWORD milliseconds) const;
    std::optional<DWORD> ExitCode() const;
    void Terminate();

    // The process's visible top-level windows of that class (#32770, #32768, ...).
    std::vector<HWND> VisibleWindows(const wchar_t* className) const;

  private:
    ChildProcess(HANDLE process, DWORD id) : m_process(process), m_id(id) {}
    void Close();

    HANDLE m_process = nullptr;
    DWORD m_id = 0;
};

// The folder of this test program, with a trailing backslash.
std::wstring ProgramFolder();

// A fresh folder for one run's files, below the temporary folder.
std::wstring NewTempFolder(const std::wstring& name);

bool WriteTextFile(const std::wstring& path, const std::string& utf8);

// Waits until `done` holds, checking every `stepMs`; true when it did.
template <class Condition>
bool WaitUntil(Condition done, DWORD milliseconds, DWORD stepMs = 20) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        if (done()) {
            return true;
        }
        if (GetTickCount64() >= end) {
            return false;
        }
        // Keep this thread's own windows and COM replies moving while it waits.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(stepMs);
    }
}

} // namespace psm::e2e
