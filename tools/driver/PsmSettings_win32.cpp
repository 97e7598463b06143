#include "tools/driver/PsmSettings_win32.h"

#include "platform/UniqueHkey_win32.h"
#include "tools/driver/Files_win32.h"

#include <windows.h>

namespace psm::e2e::settings {
namespace {

const wchar_t* const SettingsKey = L"Software\\VB and VBA Program Settings\\ORNA\\psm\\general";

} // namespace

void Clear() {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\ORNA\\psm");
}

void Set(const std::wstring& key, const std::wstring& value) {
    UniqueHkey section;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                        section.Put(), nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExW(section.Get(), key.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

std::optional<std::wstring> Get(const std::wstring& key) {
    wchar_t value[1024] = {};
    DWORD bytes = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, SettingsKey, key.c_str(), RRF_RT_REG_SZ, nullptr, value,
                     &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(value);
}

bool PrepareValueFile(const std::wstring& path, const std::string& content) {
    if (!WriteTextFile(path, content)) {
        return false;
    }
    Clear();
    Set(L"filename", path);
    return true;
}

} // namespace psm::e2e::settings
