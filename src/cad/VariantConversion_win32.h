#pragma once

// Value <-> VARIANT, the types the CAD program's interfaces are declared with.

#include "cad/Automation.h"
#include "cad/UniqueVariant_win32.h"

namespace psm::cad {

// Empty -> VT_EMPTY, Boolean -> VT_BOOL, Int16 -> VT_I2, Int32 -> VT_I4,
// Double -> VT_R8, Text -> VT_BSTR, Object -> VT_DISPATCH (a null reference
// as a null pointer). Only objects of the COM layer can be passed; any other
// object is a TypeMismatch.
Result<UniqueVariant> ToVariant(const Value& value);

// A server's VARIANT as a Value. VT_EMPTY and VT_NULL are Empty; the other
// integer types become Int16/Int32 where they fit, else Double; VT_R4, VT_CY,
// VT_DATE and VT_DECIMAL become Double; VT_UNKNOWN is asked for IDispatch;
// VT_BYREF is dereferenced. A null interface pointer is an Object value with
// a null reference. Anything else (arrays, VT_ERROR, records) is a
// TypeMismatch.
Result<Value> FromVariant(const VARIANT& variant);

} // namespace psm::cad
