#include "cad/ComObject_win32.h"

#include "cad/ComFailure_win32.h"
#include "cad/DispatchArguments_win32.h"
#include "cad/UniqueVariant_win32.h"
#include "cad/VariantConversion_win32.h"
#include "platform/Utf16_win32.h"

#include <memory>

using Microsoft::WRL::ComPtr;

namespace psm::cad {

ComObject::ComObject(ComPtr<IDispatch> dispatch, std::string interfaceId)
    : m_dispatch(std::move(dispatch)), m_interface(std::move(interfaceId)) {}

Result<ObjectRef> ComObject::As(std::string_view interfaceId) {
    if (m_dispatch == nullptr) {
        return FailureFromHresult(E_POINTER);
    }
    IID iid = IID_IDispatch;
    if (!interfaceId.empty()) {
        std::wstring text = Widen(interfaceId);
        const HRESULT hr = IIDFromString(text.c_str(), &iid);
        if (FAILED(hr)) {
            return FailureFromHresult(hr);
        }
    }
    // Every call goes through IDispatch::Invoke, so only dispatch interfaces
    // (dispinterfaces, dual interfaces) can be seen through. IUnknown is the
    // one identifier every object answers that is certainly not one.
    if (IsEqualIID(iid, IID_IUnknown)) {
        return FailureFromHresult(E_NOINTERFACE);
    }
    ComPtr<IDispatch> seen;
    const HRESULT hr =
        m_dispatch->QueryInterface(iid, reinterpret_cast<void**>(seen.ReleaseAndGetAddressOf()));
    if (FAILED(hr)) {
        return FailureFromHresult(hr);
    }
    if (seen == nullptr) {
        return FailureFromHresult(E_NOINTERFACE);
    }
    return ObjectRef(std::make_shared<ComObject>(std::move(seen), std::string(interfaceId)));
}

ObjectKey ComObject::Key() const {
    if (!m_identityAsked && m_dispatch != nullptr) {
        m_identityAsked = true;
        // The controlling IUnknown, which COM keeps the same for every
        // interface of one object; a proxy answers it without a round trip.
        m_dispatch->QueryInterface(IID_IUnknown,
                                   reinterpret_cast<void**>(m_identity.ReleaseAndGetAddressOf()));
    }
    // Without an IUnknown the handle is only the same as itself.
    return m_identity != nullptr ? ObjectKey{m_identity.Get(), 0} : ObjectKey{this, 0};
}

Result<Value> ComObject::Get(const Member& member, std::span<const Value> args) {
    // With arguments, as Visual Basic does: some servers declare indexed
    // properties as methods.
    const WORD flags =
        args.empty() ? DISPATCH_PROPERTYGET : WORD{DISPATCH_METHOD | DISPATCH_PROPERTYGET};
    return Invoke(member, flags, args, nullptr);
}

Result<void> ComObject::Put(const Member& member, std::span<const Value> args, const Value& value) {
    // An object is assigned by reference; a server that declares (or
    // implements) only a by-value put for it is served that.
    if (value.Type() == ValueType::Object) {
        auto byReference = Invoke(member, DISPATCH_PROPERTYPUTREF, args, &value);
        if (byReference) {
            return {};
        }
        const int32_t code = byReference.Error().Code;
        if (code != DISP_E_MEMBERNOTFOUND && code != E_NOTIMPL) {
            return byReference.Error();
        }
    }
    auto result = Invoke(member, DISPATCH_PROPERTYPUT, args, &value);
    if (!result) {
        return result.Error();
    }
    return {};
}

Result<Value> ComObject::Call(const Member& member, std::span<const Value> args) {
    return Invoke(member, DISPATCH_METHOD, args, nullptr);
}

Result<DISPID> ComObject::IdOfName(const std::string& name) {
    if (const auto found = m_ids.find(name); found != m_ids.end()) {
        return found->second;
    }
    if (m_dispatch == nullptr) {
        return FailureFromHresult(E_POINTER);
    }
    std::wstring wide = Widen(name);
    LPOLESTR names[] = {wide.data()};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr = m_dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) {
        Failure failure = FailureFromHresult(hr);
        failure.Text += " (\"" + name + "\")";
        return failure;
    }
    m_ids.emplace(name, id);
    return id;
}

Result<DISPID> ComObject::IdOf(const Member& member) {
    if (member.IsName()) {
        return IdOfName(member.Name);
    }
    return DISPID{member.DispId};
}

Result<Value> ComObject::Invoke(const Member& member, WORD flags, std::span<const Value> args,
                                const Value* assigned) {
    if (m_dispatch == nullptr) {
        return FailureFromHresult(E_POINTER);
    }
    const auto id = IdOf(member);
    if (!id) {
        return id.Error();
    }
    DispatchArguments arguments;
    const auto filled =
        assigned != nullptr ? arguments.AssignPut(args, *assigned) : arguments.Assign(args);
    if (!filled) {
        return filled.Error();
    }
    DISPPARAMS* params = arguments.Params();
    const bool isPut = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    UniqueVariant result;
    UniqueExcepInfo exception;
    UINT argError = 0;
    const HRESULT hr =
        m_dispatch->Invoke(id.Value(), IID_NULL, LOCALE_USER_DEFAULT, flags, params,
                           isPut ? nullptr : result.Put(), exception.Get(), &argError);
    if (FAILED(hr)) {
        return InvokeFailure(hr, exception, argError, params->cArgs, params->cNamedArgs);
    }
    return FromVariant(result.Get());
}

} // namespace psm::cad
