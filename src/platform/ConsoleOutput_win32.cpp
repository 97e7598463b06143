#include "platform/ConsoleOutput_win32.h"

#include "platform/UniqueHandle_win32.h"
#include "platform/Utf16_win32.h"

#include <windows.h>

namespace psm {
namespace {

void WriteBytes(HANDLE output, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = bytes.size() > 0x10000 ? 0x10000 : static_cast<DWORD>(bytes.size());
        if (!WriteFile(output, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return;
        }
        bytes.remove_prefix(written);
    }
}

// A console shows UTF-16 in any code page; bytes it would read in its own.
void WriteText(HANDLE output, std::string_view utf8) {
    DWORD mode = 0;
    if (!GetConsoleMode(output, &mode)) {
        WriteBytes(output, utf8);
        return;
    }
    const std::wstring wide = Widen(utf8);
    DWORD written = 0;
    if (!WriteConsoleW(output, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr)) {
        WriteBytes(output, utf8);
    }
}

} // namespace

void WriteToConsole(std::string_view utf8) {
    HANDLE standardOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    if (standardOutput != nullptr && standardOutput != INVALID_HANDLE_VALUE &&
        GetFileType(standardOutput) != FILE_TYPE_UNKNOWN) {
        WriteText(standardOutput, utf8);
        return;
    }
    // A program without a console of its own writes into its starter's.
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) {
        return;
    }
    const UniqueHandle console = OwnFileHandle(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                                           FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                           nullptr, OPEN_EXISTING, 0, nullptr));
    if (console) {
        WriteText(console.Get(), utf8);
    }
}

} // namespace psm
