#pragma once

// Programs a driver starts (simcad.exe, psm.exe): started beside the driving
// program, ended by the guard if they are still running at its end.

#include "platform/UniqueHandle_win32.h"

#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace psm::e2e {

class ChildProcess {
  public:
    // Starts `program` (a file of the folder the driving program lives in)
    // with a command-line tail, in `folder` (empty: that folder). With an
    // inheritable `output`, the program's standard output and error go there.
    static std::optional<ChildProcess> Start(const std::wstring& program,
                                             const std::wstring& arguments,
                                             const std::wstring& folder = {},
                                             HANDLE output = nullptr);
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept = default;
    // Ends the process this one held before taking the other's.
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    DWORD Id() const { return m_id; }
    HANDLE Handle() const { return m_process.Get(); }
    bool Running() const;
    // True when the process ended within the time.
    bool WaitForExit(DWORD milliseconds) const;
    std::optional<DWORD> ExitCode() const;
    void Terminate();

    // The process's visible top-level windows of that class (#32770, #32768, ...).
    std::vector<HWND> VisibleWindows(const wchar_t* className) const;

  private:
    ChildProcess(HANDLE process, DWORD id) : m_process(process), m_id(id) {}

    UniqueHandle m_process;
    DWORD m_id = 0;
};

} // namespace psm::e2e
