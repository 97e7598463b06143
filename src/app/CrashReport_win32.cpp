#include "app/CrashReport_win32.h"

#include "platform/Folders_win32.h"
#include "platform/LateLibrary_win32.h"
#include "platform/UniqueHandle_win32.h"
#include "platform/Utf16_win32.h"

#include <atomic>
#include <cstdio>
// dbghelp.h needs windows.h before it.
#include <dbghelp.h>

namespace psm {
namespace {

CrashGuard* g_guard = nullptr;
// Set by the first exception the guard meets; any later one ends psm at once.
std::atomic<bool> g_reporting{false};

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
    return writeDump(GetCurrentProcess(), GetCurrentProcessId(), dump.get(), MiniDumpNormal,
                     m_exception != nullptr ? &exception : nullptr, nullptr, nullptr) != FALSE;
}

CrashGuard::CrashGuard(App& app, MiniDump& dump)
    : m_app(app), m_dump(dump), m_previous(SetUnhandledExceptionFilter(Filter)) {
    g_guard = this;
}

CrashGuard::~CrashGuard() {
    g_guard = nullptr;
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

} // namespace psm
