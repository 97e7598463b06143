#pragma once

// Joins the calling thread to a COM apartment for the guard's lifetime. The
// default is a single-threaded apartment: the OLE message filter, and with
// it the retry of calls a busy server rejects, exists only there.

#include <ole2.h>

namespace psm::cad {

class ComApartment {
  public:
    explicit ComApartment(DWORD model = COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE) noexcept
        : m_status(CoInitializeEx(nullptr, model)) {}
    ~ComApartment() {
        // S_FALSE (already joined) also needs its matching CoUninitialize;
        // RPC_E_CHANGED_MODE (joined to another model) must not get one.
        if (SUCCEEDED(m_status)) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool Ok() const noexcept { return SUCCEEDED(m_status); }
    HRESULT Status() const noexcept { return m_status; }

  private:
    HRESULT m_status;
};

} // namespace psm::cad
