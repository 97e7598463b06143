#include "cad/MessageFilter_win32.h"

#include "platform/ComUnknown_win32.h"

using Microsoft::WRL::ComPtr;

namespace psm::cad {
namespace {

constexpr DWORD CancelCall = static_cast<DWORD>(-1);

class RetryMessageFilter final : public ComUnknown<IMessageFilter> {
  public:
    explicit RetryMessageFilter(const WaitBudget& budget) : m_budget(budget) {}

    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD,
                                               LPINTERFACEINFO) noexcept override {
        return SERVERCALL_ISHANDLED;
    }

    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD, DWORD rejectType) noexcept override {
        return RetryDelay(rejectType, m_budget.Left());
    }

    DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) noexcept override {
        return PENDINGMSG_WAITDEFPROCESS;
    }

  private:
    const WaitBudget& m_budget;
};

} // namespace

DWORD RetryDelay(DWORD rejectType, std::chrono::milliseconds left) noexcept {
    const bool busy = rejectType == SERVERCALL_RETRYLATER || rejectType == SERVERCALL_REJECTED;
    if (!busy || left <= std::chrono::milliseconds::zero()) {
        return CancelCall;
    }
    return static_cast<DWORD>(
        std::min<std::chrono::milliseconds::rep>(RetryIntervalMs, left.count()));
}

ComPtr<IMessageFilter> MakeRetryMessageFilter(const WaitBudget& budget) {
    return ComPtr<IMessageFilter>(new RetryMessageFilter(budget));
}

MessageFilterRegistration::MessageFilterRegistration(const WaitBudget& budget)
    : m_status(CoRegisterMessageFilter(MakeRetryMessageFilter(budget).Get(),
                                       m_previous.ReleaseAndGetAddressOf())) {}

MessageFilterRegistration::~MessageFilterRegistration() {
    if (Ok()) {
        CoRegisterMessageFilter(m_previous.Get(), nullptr);
    }
}

} // namespace psm::cad
