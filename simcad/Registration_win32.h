#pragma once

// What simcad puts into the registry and the running object table while it
// runs, each undone by its guard: the ProgIDs with their class identifiers
// under HKLM\Software\Classes (the machine-wide classes are what Wine's HKCR
// reads), the embedded type library that lets COM marshal the interface
// identifiers to another process, and the running objects.

#include <ole2.h>
#include <string>
#include <wrl/client.h>

namespace psm::simcad {

class ClassRegistration {
  public:
    ClassRegistration(std::wstring progId, std::wstring classId, const std::wstring& description);
    ~ClassRegistration();
    ClassRegistration(const ClassRegistration&) = delete;
    ClassRegistration& operator=(const ClassRegistration&) = delete;

    bool Ok() const { return m_status == ERROR_SUCCESS; }
    LONG Status() const { return m_status; }

  private:
    std::wstring m_progId;
    std::wstring m_classId;
    LONG m_status;
};

// Registers the type library embedded in `modulePath` (resource TYPELIB 1).
class TypeLibraryRegistration {
  public:
    explicit TypeLibraryRegistration(const std::wstring& modulePath);
    ~TypeLibraryRegistration();
    TypeLibraryRegistration(const TypeLibraryRegistration&) = delete;
    TypeLibraryRegistration& operator=(const TypeLibraryRegistration&) = delete;

    bool Ok() const { return SUCCEEDED(m_status); }
    HRESULT Status() const { return m_status; }

  private:
    Microsoft::WRL::ComPtr<ITypeLib> m_library;
    HRESULT m_status;
};

// An object in the running object table, held strongly, under a class id.
class ActiveObjectRegistration {
  public:
    ActiveObjectRegistration(IUnknown* object, const CLSID& classId);
    ~ActiveObjectRegistration();
    ActiveObjectRegistration(const ActiveObjectRegistration&) = delete;
    ActiveObjectRegistration& operator=(const ActiveObjectRegistration&) = delete;

    bool Ok() const { return SUCCEEDED(m_status); }
    HRESULT Status() const { return m_status; }
    // Takes the object out of the table before the end; the object lives on.
    void Revoke();

  private:
    DWORD m_cookie = 0;
    HRESULT m_status;
};

// The default value of HKLM\Software\Classes\<path>; empty when there is none.
std::wstring DefaultValue(const std::wstring& path);

// Deletes HKLM\Software\Classes\<path> and Wine's Wow6432Node copy of it.
void DeleteClassesKey(const std::wstring& path);

// The class identifier written as text, such as L"{...}".
CLSID ClassIdFromText(const std::wstring& text);

} // namespace psm::simcad
