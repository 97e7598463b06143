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

Result<ObjectRef> ComAutomation::GetActiveObject(std::string_view progId) {
    const std::string key(progId);
    auto known = m_classIds.find(key);
    if (known == m_classIds.end()) {
        const auto classId = ClassIdOfProgId(progId);
        if (!classId) {
            return classId.Error();
        }
        known = m_classIds.emplace(key, classId.Value()).first;
    }
    ComPtr<IUnknown> running;
    HRESULT hr = ::GetActiveObject(known->second, nullptr, running.ReleaseAndGetAddressOf());
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
