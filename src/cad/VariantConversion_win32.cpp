#include "cad/VariantConversion_win32.h"

#include "cad/ComFailure_win32.h"
#include "cad/ComObject_win32.h"
#include "cad/UniqueBstr_win32.h"

#include <array>
#include <cstdio>
#include <limits>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace psm::cad {
namespace {

// VT_BYREF|VT_VARIANT may point at another reference; a few levels are plenty.
constexpr int MaxIndirections = 4;

Failure Mismatch(VARTYPE type) {
    std::array<char, 48> suffix{};
    std::snprintf(suffix.data(), suffix.size(), " (VARIANT type 0x%04X)",
                  static_cast<unsigned>(type));
    return Failure{FailureCode::TypeMismatch, HresultText(DISP_E_TYPEMISMATCH) + suffix.data()};
}

// Wider integers become Int32 where they fit; only VT_I2 is Int16, because a
// 16-bit result from the server must stay distinguishable from a 32-bit one.
template <class Integer>
Value Wide(Integer number) {
    if constexpr (std::numeric_limits<Integer>::is_signed) {
        if (number >= std::numeric_limits<int32_t>::min() &&
            number <= std::numeric_limits<int32_t>::max()) {
            return Value::Int32(static_cast<int32_t>(number));
        }
    } else if (number <= static_cast<Integer>(std::numeric_limits<int32_t>::max())) {
        return Value::Int32(static_cast<int32_t>(number));
    }
    return Value::Double(static_cast<double>(number));
}

Result<Value> FromInterface(IUnknown* unknown) {
    if (unknown == nullptr) {
        return Value::Object(nullptr);
    }
    ComPtr<IDispatch> dispatch;
    const HRESULT hr = unknown->QueryInterface(IID_PPV_ARGS(&dispatch));
    if (FAILED(hr)) {
        return FailureFromHresult(hr);
    }
    return Value::Object(std::make_shared<ComObject>(std::move(dispatch), std::string()));
}

Result<Value> Convert(const VARIANT& variant, int indirections) {
    const VARTYPE type = V_VT(&variant);
    if ((type & VT_BYREF) != 0) {
        if (indirections >= MaxIndirections) {
            return Mismatch(type);
        }
        UniqueVariant target;
        const HRESULT hr = VariantCopyInd(target.Put(), const_cast<VARIANT*>(&variant));
        if (FAILED(hr)) {
            return hr == DISP_E_BADVARTYPE ? Mismatch(type) : FailureFromHresult(hr);
        }
        return Convert(target.Get(), indirections + 1);
    }
    switch (type) {
    case VT_EMPTY:
    case VT_NULL:
        return Value();
    case VT_BOOL:
        return Value::Boolean(V_BOOL(&variant) != VARIANT_FALSE);
    case VT_I2:
        return Value::Int16(V_I2(&variant));
    case VT_I1:
        return Value::Int16(V_I1(&variant));
    case VT_UI1:
        return Value::Int16(V_UI1(&variant));
    case VT_I4:
        return Value::Int32(V_I4(&variant));
    case VT_INT:
        return Value::Int32(V_INT(&variant));
    case VT_UI2:
        return Value::Int32(V_UI2(&variant));
    case VT_UI4:
        return Wide(V_UI4(&variant));
    case VT_UINT:
        return Wide(V_UINT(&variant));
    case VT_I8:
        return Wide(V_I8(&variant));
    case VT_UI8:
        return Wide(V_UI8(&variant));
    case VT_R4:
        return Value::Double(V_R4(&variant));
    case VT_R8:
        return Value::Double(V_R8(&variant));
    case VT_DATE:
        return Value::Double(V_DATE(&variant));
    case VT_CY:
        return Value::Double(static_cast<double>(V_CY(&variant).int64) / 10000.0);
    case VT_DECIMAL: {
        DECIMAL decimal = V_DECIMAL(&variant);
        double number = 0.0;
        const HRESULT hr = VarR8FromDec(&decimal, &number);
        if (FAILED(hr)) {
            return FailureFromHresult(hr);
        }
        return Value::Double(number);
    }
    case VT_BSTR:
        return Value::Text(BstrToUtf8(V_BSTR(&variant)));
    case VT_DISPATCH:
        return FromInterface(V_DISPATCH(&variant));
    case VT_UNKNOWN:
        return FromInterface(V_UNKNOWN(&variant));
    default:
        return Mismatch(type);
    }
}

} // namespace

Result<UniqueVariant> ToVariant(const Value& value) {
    UniqueVariant result;
    VARIANT& variant = *result.Put();
    switch (value.Type()) {
    case ValueType::Empty:
        break;
    case ValueType::Boolean:
        V_VT(&variant) = VT_BOOL;
        V_BOOL(&variant) = *value.AsBoolean() ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case ValueType::Int16:
        V_VT(&variant) = VT_I2;
        V_I2(&variant) = *value.AsInt16();
        break;
    case ValueType::Int32:
        V_VT(&variant) = VT_I4;
        V_I4(&variant) = *value.AsInt32();
        break;
    case ValueType::Double:
        V_VT(&variant) = VT_R8;
        V_R8(&variant) = *value.AsDouble();
        break;
    case ValueType::Text: {
        UniqueBstr text = BstrFromUtf8(*value.AsText());
        if (!text) {
            return FailureFromHresult(E_OUTOFMEMORY);
        }
        V_VT(&variant) = VT_BSTR;
        V_BSTR(&variant) = text.Release();
        break;
    }
    case ValueType::Object: {
        const ObjectRef object = value.AsObject();
        IDispatch* dispatch = nullptr;
        if (object != nullptr) {
            const auto* comObject = dynamic_cast<const ComObject*>(object.get());
            if (comObject == nullptr) {
                return Failure{FailureCode::TypeMismatch,
                               HresultText(DISP_E_TYPEMISMATCH) + " (not a COM object)"};
            }
            ComPtr<IDispatch> reference = comObject->Dispatch();
            dispatch = reference.Detach();
        }
        V_VT(&variant) = VT_DISPATCH;
        V_DISPATCH(&variant) = dispatch;
        break;
    }
    }
    return result;
}

Result<Value> FromVariant(const VARIANT& variant) {
    return Convert(variant, 0);
}

} // namespace psm::cad
