#include "simcad/Registration_win32.h"

#include "platform/UniqueHkey_win32.h"
#include "platform/Utf16_win32.h"
#include "simcad/InterfaceIds.h"

#include <windows.h>

namespace psm::simcad {
namespace {

const wchar_t* const ClassesRoot = L"Software\\Classes\\";
const wchar_t* const WowClassesRoot = L"Software\\Classes\\Wow6432Node\\";

LONG SetDefaultValue(const std::wstring& path, const std::wstring& value) {
    UniqueHkey key;
    LONG status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, (ClassesRoot + path).c_str(), 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key.Put(), nullptr);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.Get(), nullptr, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), bytes);
}

} // namespace

std::wstring DefaultValue(const std::wstring& path) {
    std::wstring value(512, L'\0');
    auto bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    const LONG status = RegGetValueW(HKEY_LOCAL_MACHINE, (ClassesRoot + path).c_str(), nullptr,
                                     RRF_RT_REG_SZ, nullptr, value.data(), &bytes);
    if (status != ERROR_SUCCESS) {
        return {};
    }
    value.resize(bytes / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0') {
        value.pop_back();
    }
    return value;
}

void DeleteClassesKey(const std::wstring& path) {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (ClassesRoot + path).c_str());
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, (ClassesRoot + path).c_str());
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (WowClassesRoot + path).c_str());
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, (WowClassesRoot + path).c_str());
}

CLSID ClassIdFromText(const std::wstring& text) {
    CLSID classId{};
    CLSIDFromString(text.c_str(), &classId);
    return classId;
}

// --- ProgID and class --------------------------------------------------------------

ClassRegistration::ClassRegistration(std::wstring progId, std::wstring classId,
                                     const std::wstring& description)
    : m_progId(std::move(progId)), m_classId(std::move(classId)) {
    m_status = SetDefaultValue(m_progId, description);
    if (m_status == ERROR_SUCCESS) {
        m_status = SetDefaultValue(m_progId + L"\\CLSID", m_classId);
    }
    if (m_status == ERROR_SUCCESS) {
        m_status = SetDefaultValue(L"CLSID\\" + m_classId, description);
    }
    if (m_status == ERROR_SUCCESS) {
        m_status = SetDefaultValue(L"CLSID\\" + m_classId + L"\\ProgID", m_progId);
    }
}

ClassRegistration::~ClassRegistration() {
    // Another program may have registered the ProgID meanwhile: leave its keys.
    if (DefaultValue(m_progId + L"\\CLSID") == m_classId) {
        DeleteClassesKey(m_progId);
    }
    DeleteClassesKey(L"CLSID\\" + m_classId);
}

// --- Type library ------------------------------------------------------------------

TypeLibraryRegistration::TypeLibraryRegistration(const std::wstring& modulePath) {
    m_status = LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, m_library.GetAddressOf());
    if (SUCCEEDED(m_status)) {
        std::wstring path = modulePath;
        m_status = RegisterTypeLib(m_library.Get(), path.data(), nullptr);
    }
}

TypeLibraryRegistration::~TypeLibraryRegistration() {
    if (m_library != nullptr) {
        TLIBATTR* attributes = nullptr;
        if (SUCCEEDED(m_library->GetLibAttr(&attributes))) {
            UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum,
                              attributes->lcid, attributes->syskind);
            m_library->ReleaseTLibAttr(attributes);
        }
    }
    // Whatever the unregistration left, here or in Wine's 32-bit copy.
    // Interface keys that name another type library belong to someone else.
    const std::wstring library = Widen(TypeLibraryId);
    DeleteClassesKey(L"TypeLib\\" + library);
    const auto forget = [&](std::string_view interfaceId) {
        const std::wstring path = L"Interface\\" + Widen(interfaceId);
        const std::wstring owner = DefaultValue(path + L"\\TypeLib");
        if (owner.empty() || _wcsicmp(owner.c_str(), library.c_str()) == 0) {
            DeleteClassesKey(path);
        }
    };
    for (std::string_view interfaceId : ModelInterfaceIds) {
        forget(interfaceId);
    }
    forget(ControlInterfaceId);
}

// --- Running object table -------------------------------------------------------------

ActiveObjectRegistration::ActiveObjectRegistration(IUnknown* object, const CLSID& classId)
    : m_status(RegisterActiveObject(object, classId, ACTIVEOBJECT_STRONG, &m_cookie)) {}

ActiveObjectRegistration::~ActiveObjectRegistration() {
    Revoke();
}

void ActiveObjectRegistration::Revoke() {
    if (SUCCEEDED(m_status) && m_cookie != 0) {
        RevokeActiveObject(m_cookie, nullptr);
        m_cookie = 0;
    }
}

} // namespace psm::simcad
