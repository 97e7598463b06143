#include "cad/MessageFilter_win32.h"

#include "platform/ComUnknown_win32.h"

using Microsoft::WRL::ComPtr;

namespace psm::cad {
namespace {

constexpr DWORD CancelCall = static_cast<DWORD>(-1);

class RetryMessageFilter final : public ComUnknown<IMessageFilter> {
  public:
    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD,
                                               LPINTERFACEINFO) noexcept override {
        return SERVERCALL_ISHANDLED;
    }

    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD elapsedMs,
                                              DWORD rejectType) noexcept override {
        return RetryDelay(elapsedMs, rejectType);
    }

    DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) noexcept override {
        return PENDINGMSG_WAITDEFPROCESS;
    }
};

} // namespace

DWORD RetryDelay(DWORD elapsedMs, DWORD rejectType) noexcept {
    const bool busy = rejectType == SERVERCALL_RETRYLATER || rejectType == SERVERCALL_REJECTED;
    if (!busy || !RetryBudgetLeft(std::chrono::milliseconds(elapsedMs))) {
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
