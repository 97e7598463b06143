#include "app/FailureDrill_win32.h"

#include <stdexcept>
#include <string_view>
#include <windows.h>

namespace psm {
namespace {

[[noreturn]] void Throw() {
    throw std::runtime_error("drill");
}

// An exception that leaves a noexcept function ends the program by std::terminate.
void EscapeNoexcept() noexcept {
    Throw();
}

} // namespace

FailureDrill::FailureDrill(EventPump& inner) : m_inner(inner) {
    wchar_t value[16] = {};
    const DWORD length = GetEnvironmentVariableW(L"PSM_TEST_FAILURE", value, 16);
    if (length > 0 && length < 16) {
        const std::wstring_view drill(value, length);
        m_failure = drill == L"crash"       ? Failure::Crash
                    : drill == L"exception" ? Failure::Exception
                    : drill == L"terminate" ? Failure::Terminate
                                            : Failure::None;
    }
}

void FailureDrill::ProcessPendingEvents() {
    switch (m_failure) {
    case Failure::Exception:
        Throw();
    case Failure::Terminate:
        EscapeNoexcept();
        break;
    case Failure::Crash:
        RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
        break;
    case Failure::None:
        break;
    }
    m_inner.ProcessPendingEvents();
}

} // namespace psm
