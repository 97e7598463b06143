#pragma once

// The OLE message filter of the user-interface thread. A CAD program busy
// recomputing rejects incoming calls; without a filter the first rejection
// fails the call, and a write of several values would stop half-way. The
// filter retries such calls while the running command's wait budget lasts,
// by the policy of BusyRetry.h; outside a command it cancels them at once.

#include "cad/BusyRetry.h"

#include <ole2.h>
#include <wrl/client.h>

namespace psm::cad {

// IMessageFilter::RetryRejectedCall's answer: the time to wait before asking
// again (RetryIntervalMs, or what is left of the budget when that is less)
// while the call was rejected as busy (SERVERCALL_RETRYLATER or
// SERVERCALL_REJECTED) and budget is left; otherwise (DWORD)-1, which cancels
// the call.
DWORD RetryDelay(DWORD rejectType, std::chrono::milliseconds left) noexcept;

// A filter that answers with RetryDelay on `budget`, handles every incoming
// call and lets pending messages be processed by default while a call waits.
// The budget must outlive it.
Microsoft::WRL::ComPtr<IMessageFilter> MakeRetryMessageFilter(const WaitBudget& budget);

// Registers the retry filter for the calling thread's apartment (which must
// be single-threaded) and puts the previous filter back at the end.
class MessageFilterRegistration {
  public:
    explicit MessageFilterRegistration(const WaitBudget& budget);
    ~MessageFilterRegistration();
    MessageFilterRegistration(const MessageFilterRegistration&) = delete;
    MessageFilterRegistration& operator=(const MessageFilterRegistration&) = delete;

    bool Ok() const noexcept { return SUCCEEDED(m_status); }
    HRESULT Status() const noexcept { return m_status; }

  private:
    Microsoft::WRL::ComPtr<IMessageFilter> m_previous;
    HRESULT m_status;
};

} // namespace psm::cad
