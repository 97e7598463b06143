#pragma once

// The Win32 side of the crash report: minidumps by dbghelp.dll, loaded only
// when one is written, and the guard that reports an exception the system
// would end psm for before it does.

#include "app/App.h"
#include "platform/CrashDump.h"

#include <exception>
#include <windows.h>

namespace psm {

class MiniDump final : public CrashDump {
  public:
    bool WriteDump(const std::string& path) override;
    // The exception the system is ending psm for; the next dump shows it.
    void SetException(EXCEPTION_POINTERS* exception) { m_exception = exception; }

  private:
    EXCEPTION_POINTERS* m_exception = nullptr;
};

// While it lives, an exception no handler takes, and std::terminate (an
// exception thrown out of a destructor or a noexcept function), are reported
// by `app` (the dump taken by `dump`), and psm then ends without the system's
// own report or the runtime's abort.
// A failure while a report is written or told ends psm at once: there is
// never a second report.
class CrashGuard {
  public:
    CrashGuard(App& app, MiniDump& dump);
    ~CrashGuard();
    CrashGuard(const CrashGuard&) = delete;
    CrashGuard& operator=(const CrashGuard&) = delete;

  private:
    static LONG WINAPI Filter(EXCEPTION_POINTERS* exception);
    [[noreturn]] static void Terminate() noexcept;

    App& m_app;
    MiniDump& m_dump;
    LPTOP_LEVEL_EXCEPTION_FILTER m_previous;
    std::terminate_handler m_previousTerminate;
};

} // namespace psm
