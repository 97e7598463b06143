#include "app/CrashReport_win32.h"

#include "platform/Folders_win32.h"
#include "platform/LateLibrary_win32.h"
#include "platform/UniqueHandle_win32.h"
#include "platform/Utf16_win32.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
// dbghelp.h needs windows.h before it.
#include <dbghelp.h>

namespace psm {
namespace {

CrashGuard* g_guard = nullptr;
// Set by the first exception the guard meets; any later one ends psm at once.
std::atomic<bool> g_reporting{false};

// The exit code of psm ended by std::terminate, the one abort() leaves.
constexpr int TerminatedExitCode = 3;

// What std::terminate was called for: the exception that escaped, if any.
std::string TerminateFailure() {
    std::string failure = "std::terminate";
    if (const std::exception_ptr escaped = std::current_exception()) {
        try {
            std::rethrow_exception(escaped);
        } catch (const std::exception& exception) {
            failure += " after the exception \"" + std::string(exception.what()) + "\"";
        } catch (...) {
            failure += " after an exception of unknown type";
        }
    }
    return failure;
}

} // namespace

bool MiniDump::WriteDump(const std::string& path) {
    static const auto writeDump =
        LateFunction<decltype(&MiniDumpWriteDump)>(L"dbghelp.dll", "MiniDumpWriteDump");
    if (writeDump == nullptr) {
        return false;
    }
    const std::wstring file = Widen(path);
    CreateFolderOf(file);
    const UniqueHandle dump = OwnFileHandle(CreateFileW(
        file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!dump) {
        return false;
    }
    MINIDUMP_EXCEPTION_INFORMATION exception{GetCurrentThreadId(), m_exception, FALSE};
    return writeDump(GetCurrentProcess(), GetCurrentProcessId(), dump.Get(), MiniDumpNormal,
                     m_exception != nullptr ? &exception : nullptr, nullptr, nullptr) != FALSE;
}

CrashGuard::CrashGuard(App& app, MiniDump& dump)
    : m_app(app), m_dump(dump), m_previous(SetUnhandledExceptionFilter(Filter)),
      m_previousTerminate(std::set_terminate(Terminate)) {
    g_guard = this;
}

CrashGuard::~CrashGuard() {
    g_guard = nullptr;
    std::set_terminate(m_previousTerminate);
    SetUnhandledExceptionFilter(m_previous);
}

LONG WINAPI CrashGuard::Filter(EXCEPTION_POINTERS* exception) {
    if (g_guard == nullptr) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    if (g_reporting.exchange(true)) {
        return EXCEPTION_EXECUTE_HANDLER;
    }
    g_guard->m_dump.SetException(exception);
    // Told without the heap, which the exception may have left broken.
    char failure[80] = "an exception";
    if (exception != nullptr && exception->ExceptionRecord != nullptr) {
        std::snprintf(failure, sizeof failure, "exception 0x%08lX at %p",
                      static_cast<unsigned long>(exception->ExceptionRecord->ExceptionCode),
                      exception->ExceptionRecord->ExceptionAddress);
    }
    g_guard->m_app.OnCrash(failure);
    return EXCEPTION_EXECUTE_HANDLER;
}

void CrashGuard::Terminate() noexcept {
    if (g_guard != nullptr && !g_reporting.exchange(true)) {
        try {
            g_guard->m_dump.SetException(nullptr);
            g_guard->m_app.OnCrash(TerminateFailure());
        } catch (...) {
            // ends below all the same
        }
    }
    std::_Exit(TerminatedExitCode);
}

} // namespace psm
