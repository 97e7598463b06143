#include "cad/ComAutomation_win32.h"

#include "cad/ComFailure_win32.h"
#include "cad/ComObject_win32.h"
#include "platform/Utf16_win32.h"

#include <memory>
#include <ole2.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace psm::cad {

Result<CLSID> ClassIdOfProgId(std::string_view progId) {
    const std::wstring wide = Widen(progId);
    CLSID classId{};
    const HRESULT hr = CLSIDFromProgID(wide.c_str(), &classId);
    if (FAILED(hr)) {
        return FailureFromHresult(hr);
    }
    return classId;
}

Result<CLSID> ComAutomation::ClassIdOf(std::string_view progId) {
    const std::string key(progId);
    auto known = m_classIds.find(key);
    if (known == m_classIds.end()) {
        const auto classId = ClassIdOfProgId(progId);
        if (!classId) {
            return classId.Error();
        }
        known = m_classIds.emplace(key, classId.Value()).first;
    }
    return known->second;
}

Result<ObjectRef> ComAutomation::GetActiveObject(std::string_view progId) {
    const auto classId = ClassIdOf(progId);
    if (!classId) {
        return classId.Error();
    }
    ComPtr<IUnknown> running;
    HRESULT hr = ::GetActiveObject(classId.Value(), nullptr, running.ReleaseAndGetAddressOf());
    if (FAILED(hr)) {
        return FailureFromHresult(hr);
    }
    ComPtr<IDispatch> dispatch;
    hr = running.As(&dispatch);
    if (FAILED(hr)) {
        return FailureFromHresult(hr);
    }
    return ObjectRef(std::make_shared<ComObject>(std::move(dispatch), std::string()));
}

} // namespace psm::cad

namespace psm::cad {

Result<Registration> ComAutomation::RegistrationOf(std::string_view progId) {
    const auto classId = ClassIdOf(progId);
    if (!classId) {
        return classId.Error();
    }
    ComPtr<IRunningObjectTable> table;
    HRESULT hr = GetRunningObjectTable(0, table.ReleaseAndGetAddressOf());
    if (FAILED(hr)) {
        return FailureFromHresult(hr);
    }
    // RegisterActiveObject names its entry with the item moniker "!" and the
    // class identifier in braces.
    wchar_t text[40] = {};
    StringFromGUID2(classId.Value(), text, 40);
    ComPtr<IMoniker> name;
    hr = CreateItemMoniker(L"!", text, name.ReleaseAndGetAddressOf());
    if (FAILED(hr)) {
        return FailureFromHresult(hr);
    }
    hr = table->IsRunning(name.Get());
    if (FAILED(hr)) {
        return FailureFromHresult(hr);
    }
    Registration registration;
    registration.Registered = hr == S_OK;
    FILETIME since{};
    if (registration.Registered && SUCCEEDED(table->GetTimeOfLastChange(name.Get(), &since))) {
        registration.Since = static_cast<int64_t>(
            (static_cast<uint64_t>(since.dwHighDateTime) << 32) | since.dwLowDateTime);
    }
    return registration;
}

} // namespace psm::cad
