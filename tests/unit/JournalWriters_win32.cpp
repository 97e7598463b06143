#include "JournalWriters.h"
#include "platform/UniqueHandle_win32.h"
#include "platform/Utf16_win32.h"

#include <vector>
#include <windows.h>

namespace psm::testing {

bool RunTwoJournalWriters(const std::string& journal, int count) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring writer(self);
    writer = writer.substr(0, writer.find_last_of(L"\\/") + 1) + L"psm_journal_writer.exe";
    std::vector<UniqueHandle> started;
    for (const wchar_t* name : {L"A", L"B"}) {
        std::wstring command = L"\"" + writer + L"\" \"" + Widen(journal) + L"\" " +
                               std::to_wstring(count) + L" " + name;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(writer.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process)) {
            break;
        }
        const UniqueHandle thread(process.hThread);
        started.emplace_back(process.hProcess);
    }
    bool ok = started.size() == 2;
    for (const UniqueHandle& process : started) {
        DWORD code = 1;
        ok = WaitForSingleObject(process.Get(), 120000) == WAIT_OBJECT_0 &&
             GetExitCodeProcess(process.Get(), &code) && code == 0 && ok;
    }
    return ok;
}

} // namespace psm::testing
