#pragma once

// An IDispatch for tests: passes every call on to an inner object (when it
// has one) and records what the client sent; without an inner object it
// answers through `OnInvoke`.

#include "platform/ComUnknown_win32.h"

#include <functional>
#include <ole2.h>
#include <vector>
#include <wrl/client.h>

namespace psm::cad::testing {

struct InvokeRecord {
    DISPID Id = 0;
    WORD Flags = 0;
    std::vector<VARTYPE> ArgTypes; // as in rgvarg, i.e. reversed
    std::vector<DISPID> Named;
    bool WantsResult = false;
    bool HasExcepInfo = false;
};

class FakeDispatch final : public ComUnknown<IDispatch> {
  public:
    using InvokeHandler = std::function<HRESULT(DISPID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*)>;

    static Microsoft::WRL::ComPtr<FakeDispatch>
    Make(Microsoft::WRL::ComPtr<IDispatch> inner = nullptr) {
        return Microsoft::WRL::ComPtr<FakeDispatch>(new FakeDispatch(std::move(inner)));
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        ++NameLookups;
        if (m_inner == nullptr) {
            return DISP_E_UNKNOWNNAME;
        }
        return m_inner->GetIDsOfNames(iid, names, count, locale, ids);
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argError) override {
        InvokeRecord record;
        record.Id = id;
        record.Flags = flags;
        for (UINT i = 0; i < params->cArgs; ++i) {
            record.ArgTypes.push_back(V_VT(&params->rgvarg[i]));
        }
        for (UINT i = 0; i < params->cNamedArgs; ++i) {
            record.Named.push_back(params->rgdispidNamedArgs[i]);
        }
        record.WantsResult = result != nullptr;
        record.HasExcepInfo = exception != nullptr;
        Invokes.push_back(record);
        if (m_inner == nullptr) {
            return OnInvoke ? OnInvoke(id, flags, params, result, exception)
                            : DISP_E_MEMBERNOTFOUND;
        }
        return m_inner->Invoke(id, iid, locale, flags, params, result, exception, argError);
    }

    int NameLookups = 0;
    std::vector<InvokeRecord> Invokes;
    InvokeHandler OnInvoke;

  private:
    explicit FakeDispatch(Microsoft::WRL::ComPtr<IDispatch> inner) : m_inner(std::move(inner)) {}

    Microsoft::WRL::ComPtr<IDispatch> m_inner;
};

} // namespace psm::cad::testing
