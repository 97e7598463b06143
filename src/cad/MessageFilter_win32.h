#pragma once

// The OLE message filter of the user-interface thread. A CAD program busy
// recomputing rejects incoming calls; without a filter the first rejection
// fails the call, and a write of several values would stop half-way. The
// filter retries such calls for a bounded time, by the policy of BusyRetry.h.

#include "cad/BusyRetry.h"

#include <ole2.h>
#include <wrl/client.h>

namespace psm::cad {

// IMessageFilter::RetryRejectedCall's answer: `RetryIntervalMs` (wait, then
// retry) while the call was rejected as busy (SERVERCALL_RETRYLATER or
// SERVERCALL_REJECTED) and `elapsedMs` is below the budget; otherwise
// (DWORD)-1, which cancels the call.
DWORD RetryDelay(DWORD elapsedMs, DWORD rejectType) noexcept;

// A filter that answers with RetryDelay, handles every incoming call and lets
// pending messages be processed by default while a call waits.
Microsoft::WRL::ComPtr<IMessageFilter> MakeRetryMessageFilter();

// Registers the retry filter for the calling thread's apartment (which must
// be single-threaded) and puts the previous filter back at the end.
class MessageFilterRegistration {
  public:
    MessageFilterRegistration();
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
