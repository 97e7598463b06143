#include "JournalWriters.h"
#include "platform/Utf16_win32.h"

#include <vector>
#include <windows.h>

namespace psm::testing {

bool RunTwoJournalWriters(const std::string& journal, int count) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring writer(self);
    writer = writer.substr(0, writer.find_last_of(L"\\/") + 1) + L"psm_journal_writer.exe";
    std::vector<PROCESS_INFORMATION> started;
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
        CloseHandle(process.hThread);
        started.push_back(process);
    }
    bool ok = started.size() == 2;
    for (const PROCESS_INFORMATION& process : started) {
        DWORD code = 1;
        ok = WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0 &&
             GetExitCodeProcess(process.hProcess, &code) && code == 0 && ok;
        CloseHandle(process.hProcess);
    }
    return ok;
}

} // namespace psm::testing
