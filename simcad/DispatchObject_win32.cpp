#include "simcad/DispatchObject_win32.h"

#include "cad/UniqueBstr_win32.h"
#include "cad/VariantConversion_win32.h"
#include "platform/Utf16_win32.h"
#include "sim/SimObject.h"
#include "simcad/InterfaceIds.h"
#include "simcad/MemberLookup.h"

#include <array>
#include <optional>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace psm::simcad {
namespace {

std::string IidText(REFIID iid) {
    std::array<wchar_t, 40> text{};
    if (StringFromGUID2(iid, text.data(), static_cast<int>(text.size())) == 0) {
        return {};
    }
    return Narrow(text.data());
}

// Only the identifiers the model or the control object publish are passed on:
// the COM runtime asks every object for many interfaces of its own.
bool Published(const std::string& interfaceId) {
    if (sim::SameInterface(interfaceId, ControlInterfaceId)) {
        return true;
    }
    for (std::string_view known : ModelInterfaceIds) {
        if (sim::SameInterface(interfaceId, known)) {
            return true;
        }
    }
    return false;
}

HRESULT Report(const cad::Failure& failure, EXCEPINFO* exception) {
    const HRESULT code = failure.Code < 0 ? static_cast<HRESULT>(failure.Code) : E_FAIL;
    if (ReturnedDirectly(failure.Code) || exception == nullptr) {
        return code;
    }
    *exception = EXCEPINFO{};
    exception->scode = code;
    exception->bstrSource = cad::BstrFromUtf8("simcad").Release();
    exception->bstrDescription = cad::BstrFromUtf8(failure.Text).Release();
    return DISP_E_EXCEPTION;
}

} // namespace

DispatchObject::DispatchObject(std::shared_ptr<ObjectTable> table, sim::NodeRef node,
                               std::string interfaceId, uint32_t generation)
    : m_table(std::move(table)), m_node(std::move(node)), m_interface(std::move(interfaceId)),
      m_generation(generation) {
    if (!m_interface.empty()) {
        m_identity = m_table->Serve(m_node, std::string(), m_generation);
    }
}

DispatchObject::~DispatchObject() {
    m_table->Forget(*this);
}

IUnknown* DispatchObject::Identity() {
    return m_identity ? static_cast<IDispatch*>(m_identity.Get()) : static_cast<IDispatch*>(this);
}

HRESULT DispatchObject::QueryOther(REFIID iid, void** object) {
    const std::string wanted = IidText(iid);
    if (!Published(wanted)) {
        return E_NOINTERFACE;
    }
    // COM asks again for a view it has just been given (Wine's stub does, on
    // connecting): that is no call of the client's, and the model does not
    // hear of it.
    if (DispatchObject* known = m_table->Find(m_node, wanted)) {
        known->AddRef();
        *object = static_cast<IDispatch*>(known);
        return S_OK;
    }
    const auto spelled = m_table->Calls().QueryInterface(m_node, m_interface, m_generation, wanted);
    if (!spelled) {
        const int32_t code = spelled.Error().Code;
        return code < 0 ? static_cast<HRESULT>(code) : E_NOINTERFACE;
    }
    ComPtr<DispatchObject> view = m_table->Serve(m_node, spelled.Value(), m_generation);
    *object = static_cast<IDispatch*>(view.Detach());
    return S_OK;
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* count) noexcept {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept {
    if (info != nullptr) {
        *info = nullptr;
    }
    return DISP_E_BADINDEX;
}

HRESULT DispatchObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                      DISPID* ids) noexcept {
    return CatchAsHresult([&] { return Names(iid, names, count, ids); });
}

HRESULT DispatchObject::Names(REFIID iid, LPOLESTR* names, UINT count, DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL)) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    if (count == 0) {
        return S_OK;
    }
    if (names == nullptr || ids == nullptr) {
        return E_POINTER;
    }
    m_table->CountNameLookup();
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
    }
    if (const auto refusal = m_table->Calls().NameLookupRefusal()) {
        return static_cast<HRESULT>(refusal->Code);
    }
    const auto found = DispIdOfName(m_node->Class(), m_interface,
                                    names[0] != nullptr ? Narrow(names[0]) : std::string());
    if (!found) {
        return DISP_E_UNKNOWNNAME;
    }
    ids[0] = *found;
    // The members take no named arguments.
    return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT DispatchObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* exception, UINT* argError) noexcept {
    return CatchAsHresult(
        [&] { return Call(id, iid, flags, params, result, exception, argError); });
}

HRESULT DispatchObject::Call(DISPID id, REFIID iid, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO* exception, UINT* argError) {
    if (!IsEqualIID(iid, IID_NULL)) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    DISPPARAMS none{};
    if (params == nullptr) {
        params = &none;
    }
    const CallFlags asked{(flags & DISPATCH_PROPERTYGET) != 0, (flags & DISPATCH_METHOD) != 0,
                          (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0};
    // A put carries the assigned value as its one named argument; nothing
    // else may be named.
    const UINT named = params->cNamedArgs;
    if (asked.Put ? named != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT : named != 0) {
        return asked.Put ? DISP_E_PARAMNOTOPTIONAL : DISP_E_NONAMEDARGS;
    }
    // Arguments arrive last first.
    std::vector<cad::Value> args;
    for (UINT i = params->cArgs; i > named; --i) {
        auto value = cad::FromVariant(params->rgvarg[i - 1]);
        if (!value) {
            if (argError != nullptr) {
                *argError = i - 1;
            }
            return DISP_E_TYPEMISMATCH;
        }
        args.push_back(std::move(value).Value());
    }
    std::optional<cad::Value> assigned;
    if (asked.Put) {
        auto value = cad::FromVariant(params->rgvarg[0]);
        if (!value) {
            if (argError != nullptr) {
                *argError = 0;
            }
            return DISP_E_TYPEMISMATCH;
        }
        assigned = std::move(value).Value();
    }

    const sim::InvokeKind kind = KindOfCall(m_node->Class(), m_interface, id, asked);
    const auto outcome =
        m_table->Calls().Invoke(m_node, m_interface, m_generation, cad::Member::ById(id), kind,
                                args, assigned ? &*assigned : nullptr);
    if (!outcome) {
        return Report(outcome.Error(), exception);
    }
    return ServeResult(outcome.Value(), result);
}

HRESULT DispatchObject::ServeResult(const cad::Value& value, VARIANT* result) {
    if (result == nullptr) {
        return S_OK;
    }
    VariantInit(result);
    if (value.Type() != cad::ValueType::Object) {
        auto variant = cad::ToVariant(value);
        if (!variant) {
            return static_cast<HRESULT>(variant.Error().Code);
        }
        *result = variant.Value().Release();
        return S_OK;
    }
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = nullptr;
    const cad::ObjectRef object = value.AsObject();
    if (object == nullptr) {
        return S_OK;
    }
    const auto* view = dynamic_cast<const sim::SimObject*>(object.get());
    if (view == nullptr) {
        V_VT(result) = VT_EMPTY;
        return E_UNEXPECTED;
    }
    ComPtr<DispatchObject> served =
        m_table->Serve(view->Target(), std::string(view->Interface()), view->Generation());
    V_DISPATCH(result) = static_cast<IDispatch*>(served.Detach());
    return S_OK;
}

} // namespace psm::simcad
