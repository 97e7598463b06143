#include "platform/Workstation_win32.h"

#include "platform/IsoTime.h"
#include "platform/LateLibrary_win32.h"
#include "platform/UniqueResource_win32.h"
#include "platform/Utf16_win32.h"

#include <windows.h>
// The shell's headers need windows.h before them.
#include <shellapi.h>
#include <shlobj.h>

namespace psm {
namespace {

struct TaskMemoryTraits {
    using Type = wchar_t*;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type text) noexcept { CoTaskMemFree(text); }
};

// 100-nanosecond ticks of a time stamp.
long long Ticks(const SYSTEMTIME& time) {
    FILETIME file{};
    if (!SystemTimeToFileTime(&time, &file)) {
        return 0;
    }
    return static_cast<long long>((static_cast<unsigned long long>(file.dwHighDateTime) << 32) |
                                  file.dwLowDateTime);
}

} // namespace

std::string WindowsWorkstation::UserName() const {
    wchar_t name[257] = {}; // UNLEN + 1
    DWORD size = 257;
    return GetUserNameW(name, &size) ? Narrow(name) : std::string();
}

std::string WindowsWorkstation::ComputerName() const {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &size) ? Narrow(name) : std::string();
}

std::string WindowsWorkstation::LocalTime() const {
    SYSTEMTIME utc{};
    GetSystemTime(&utc);
    SYSTEMTIME local = utc;
    // Without the time zone the time stays UTC, and says so.
    SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    constexpr long long TicksPerMinute = 600'000'000;
    const long long ahead = Ticks(local) - Ticks(utc);
    return IsoTimeText({.Year = local.wYear,
                        .Month = local.wMonth,
                        .Day = local.wDay,
                        .Hour = local.wHour,
                        .Minute = local.wMinute,
                        .Second = local.wSecond,
                        .OffsetMinutes = static_cast<int>(ahead / TicksPerMinute)});
}

std::string WindowsWorkstation::LocalAppDataFolder() const {
    static const auto knownFolder =
        LateFunction<decltype(&SHGetKnownFolderPath)>(L"shell32.dll", "SHGetKnownFolderPath");
    if (knownFolder == nullptr) {
        return {};
    }
    UniqueResource<TaskMemoryTraits> path;
    const HRESULT result = knownFolder(FOLDERID_LocalAppData, 0, nullptr, path.Put());
    return SUCCEEDED(result) && path ? Narrow(path.Get()) : std::string();
}

std::string WindowsWorkstation::SystemVersion() const {
    // GetVersionEx answers what the manifest lets it; ntdll tells the truth.
    using GetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    static const auto getVersion = LateFunction<GetVersion>(L"ntdll.dll", "RtlGetVersion");
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (getVersion == nullptr || getVersion(&version) != 0) {
        return "Windows";
    }
    return "Windows " + std::to_string(version.dwMajorVersion) + "." +
           std::to_string(version.dwMinorVersion) + "." + std::to_string(version.dwBuildNumber);
}

bool WindowsWorkstation::OpenInEditor(const std::string& path) {
    static const auto shellExecute =
        LateFunction<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    if (shellExecute == nullptr) {
        return false;
    }
    const std::wstring file = Widen(path);
    // Above 32: started; at or below, an error code.
    const auto started = [](HINSTANCE result) { return reinterpret_cast<INT_PTR>(result) > 32; };
    const HINSTANCE opened =
        shellExecute(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (started(opened) || reinterpret_cast<INT_PTR>(opened) != SE_ERR_NOASSOC) {
        return started(opened);
    }
    // No program is registered for text files: every Windows has Notepad.
    const std::wstring argument = L"\"" + file + L"\"";
    return started(
        shellExecute(nullptr, L"open", L"notepad.exe", argument.c_str(), nullptr, SW_SHOWNORMAL));
}

} // namespace psm
