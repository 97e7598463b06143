#include "cad/MessageFilter_win32.h"

#include <atomic>

using Microsoft::WRL::ComPtr;

namespace psm::cad {
namespace {

constexpr DWORD CancelCall = static_cast<DWORD>(-1);

// COM interfaces have no virtual destructor; Release deletes the final class.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class RetryMessageFilter final : public IMessageFilter {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMessageFilter)) {
            *object = static_cast<IMessageFilter*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }

    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG remaining = --m_references;
        if (remaining == 0) {
            delete this;
        }
        return remaining;
    }

    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
        return SERVERCALL_ISHANDLED;
    }

    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD elapsedMs, DWORD rejectType) override {
        return RetryDelay(elapsedMs, rejectType);
    }

    DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override {
        return PENDINGMSG_WAITDEFPROCESS;
    }

  private:
    std::atomic<ULONG> m_references{0};
};
#pragma GCC diagnostic pop

} // namespace

DWORD RetryDelay(DWORD elapsedMs, DWORD rejectType) noexcept {
    const bool busy = rejectType == SERVERCALL_RETRYLATER || rejectType == SERVERCALL_REJECTED;
    if (!busy || elapsedMs >= RetryBudgetMs) {
        return CancelCall;
    }
    return RetryIntervalMs;
}

ComPtr<IMessageFilter> MakeRetryMessageFilter() {
    return ComPtr<IMessageFilter>(new RetryMessageFilter());
}

MessageFilterRegistration::MessageFilterRegistration()
    : m_status(CoRegisterMessageFilter(MakeRetryMessageFilter().Get(),
                                       m_previous.ReleaseAndGetAddressOf())) {}

MessageFilterRegistration::~MessageFilterRegistration() {
    if (Ok()) {
        CoRegisterMessageFilter(m_previous.Get(), nullptr);
    }
}

} // namespace psm::cad
