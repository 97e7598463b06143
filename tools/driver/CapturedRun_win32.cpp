#include "tools/driver/CapturedRun_win32.h"

#include "platform/UniqueHandle_win32.h"
#include "tools/driver/ChildProcess_win32.h"
#include "tools/driver/WaitUntil_win32.h"

namespace psm::e2e {
namespace {

// Takes what the pipe holds without waiting for more.
void Drain(HANDLE pipe, std::string& output) {
    DWORD available = 0;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        char buffer[4096];
        DWORD read = 0;
        if (!ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) || read == 0) {
            return;
        }
        output.append(buffer, read);
    }
}

} // namespace

std::optional<CapturedRun> RunCaptured(const std::wstring& program, const std::wstring& arguments,
                                       DWORD timeoutMs) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) {
        return std::nullopt;
    }
    const UniqueHandle reading(readEnd);
    UniqueHandle writing(writeEnd);
    SetHandleInformation(reading.Get(), HANDLE_FLAG_INHERIT, 0);
    std::optional<ChildProcess> process =
        ChildProcess::Start(program, arguments, {}, writing.Get());
    writing.Reset(); // the program holds the only writing end now
    if (!process) {
        return std::nullopt;
    }
    CapturedRun run;
    // Read while it runs, so that a full pipe never holds it up.
    const bool ended = WaitUntil(
        [&] {
            Drain(reading.Get(), run.Output);
            return !process->Running();
        },
        timeoutMs);
    if (!ended) {
        process->Terminate();
        return std::nullopt;
    }
    Drain(reading.Get(), run.Output);
    run.ExitCode = process->ExitCode().value_or(~DWORD{0});
    return run;
}

} // namespace psm::e2e
