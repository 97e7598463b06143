#pragma once

// The DISPPARAMS of one IDispatch::Invoke: positional arguments in reverse
// order (COM's convention), and for a property put the assigned value first
// as the one named argument DISPID_PROPERTYPUT. Owns the VARIANTs.

#include "cad/Automation.h"

#include <ole2.h>
#include <span>
#include <vector>

namespace psm::cad {

class DispatchArguments {
  public:
    DispatchArguments() = default;
    ~DispatchArguments() { Clear(); }
    DispatchArguments(const DispatchArguments&) = delete;
    DispatchArguments& operator=(const DispatchArguments&) = delete;

    // Arguments of a get or a call. On failure nothing is kept.
    Result<void> Assign(std::span<const Value> args);
    // Arguments and assigned value of a put. On failure nothing is kept.
    Result<void> AssignPut(std::span<const Value> args, const Value& value);

    // Valid until the next Assign or the end of this object.
    DISPPARAMS* Params() noexcept;

  private:
    Result<void> Fill(std::span<const Value> args, const Value* value);
    void Clear() noexcept;

    std::vector<VARIANT> m_variants;
    UINT m_named = 0;
    DISPID m_putId = DISPID_PROPERTYPUT;
    DISPPARAMS m_params{};
};

} // namespace psm::cad
