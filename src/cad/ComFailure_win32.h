#pragma once

// Failures of COM calls: the HRESULT as the code, a readable text with it.

#include "cad/Automation.h"

#include <ole2.h>
#include <string>

namespace psm::cad {

// The system's text for an HRESULT, or "Error 0x8XXXXXXX" when it has none.
std::string HresultText(HRESULT hr);

// A failure carrying `hr` and its text.
Failure FailureFromHresult(HRESULT hr);

// Owns the EXCEPINFO an IDispatch::Invoke may fill: always passed, its BSTRs
// always freed, even when the caller never looks at them.
class UniqueExcepInfo {
  public:
    UniqueExcepInfo() noexcept = default;
    ~UniqueExcepInfo() { Reset(); }
    UniqueExcepInfo(const UniqueExcepInfo&) = delete;
    UniqueExcepInfo& operator=(const UniqueExcepInfo&) = delete;

    EXCEPINFO* Get() noexcept { return &m_info; }
    const EXCEPINFO& Info() const noexcept { return m_info; }

    // Lets a server that deferred filling in the details do so now (once).
    void FillIn() noexcept;
    void Reset() noexcept;

  private:
    EXCEPINFO m_info{};
};

// The failure of an IDispatch::Invoke that returned `hr`. DISP_E_EXCEPTION
// reports the server's own code (scode, or wCode as a FACILITY_CONTROL
// HRESULT) and description; an argument error names the positional argument
// (1-based) or the assigned value. `argCount` and `namedCount` are those of the
// DISPPARAMS passed, `argError` what Invoke wrote to puArgErr.
Failure InvokeFailure(HRESULT hr, UniqueExcepInfo& exception, UINT argError, UINT argCount,
                      UINT namedCount);

} // namespace psm::cad
