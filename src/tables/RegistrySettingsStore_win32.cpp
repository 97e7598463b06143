#include "tables/RegistrySettingsStore_win32.h"

#include "platform/UniqueHkey_win32.h"
#include "platform/Utf16_win32.h"

#include <climits>
#include <windows.h>

namespace psm {

std::wstring RegistrySettingsStore::KeyPath(const std::string& appName,
                                            const std::string& section) {
    return L"Software\\VB and VBA Program Settings\\" + Widen(appName) + L"\\" + Widen(section);
}

std::string RegistrySettingsStore::Read(const std::string& appName, const std::string& section,
                                        const std::string& key) const {
    UniqueHkey hkey;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(appName, section).c_str(), 0, KEY_QUERY_VALUE,
                      hkey.Put()) != ERROR_SUCCESS) {
        return {};
    }
    const std::wstring name = Widen(key);
    // The value may change between the size query and the read: try again then.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD bytes = 0;
        if (RegQueryValueExW(hkey.Get(), name.c_str(), nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS) {
            return {};
        }
        if (type != REG_SZ && type != REG_EXPAND_SZ) {
            return {};
        }
        std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD capacity = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        const LONG status = RegQueryValueExW(hkey.Get(), name.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(text.data()), &capacity);
        if (status == ERROR_MORE_DATA) {
            continue;
        }
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return {};
        }
        // The stored data need not end with a terminator, or may hold several.
        text.resize(capacity / sizeof(wchar_t));
        const size_t end = text.find(L'\0');
        if (end != std::wstring::npos) {
            text.resize(end);
        }
        return Narrow(text);
    }
    return {};
}

void RegistrySettingsStore::Write(const std::string& appName, const std::string& section,
                                  const std::string& key, const std::string& value) {
    UniqueHkey hkey;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(appName, section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, hkey.Put(),
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    const std::wstring text = Widen(value);
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (bytes > UINT_MAX) {
        return;
    }
    RegSetValueExW(hkey.Get(), Widen(key).c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(bytes));
}

} // namespace psm
