// VARIANT lifetime: what a value owns is a BSTR, a reference on an interface or an array.
#include "com/variant.h"

#include "com/dispatch.h"
#include "com/safearray.h"

namespace {

bool IsOwnedArray(VARTYPE type) { return (type & (VT_ARRAY | VT_BYREF)) == VT_ARRAY; }

bool IsKnownType(VARTYPE type) {
  if ((type & VT_BYREF) != 0) return true;
  if ((type & VT_ARRAY) != 0) type = static_cast<VARTYPE>(type & ~VT_ARRAY);
  switch (type) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_I2:
    case VT_I4:
    case VT_R8:
    case VT_DATE:
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_ERROR:
    case VT_BOOL:
    case VT_UNKNOWN:
    case VT_UI1:
    case VT_UI4:
    case VT_VARIANT:
      return true;
    default:
      return false;
  }
}

HRESULT ReleaseOwned(VARIANT& value) {
  if (IsOwnedArray(value.vt)) return SafeArrayDestroy(value.parray);
  switch (value.vt) {
    case VT_BSTR:
      SysFreeString(value.bstrVal);
      break;
    case VT_DISPATCH:
      if (value.pdispVal != nullptr) value.pdispVal->Release();
      break;
    case VT_UNKNOWN:
      if (value.punkVal != nullptr) value.punkVal->Release();
      break;
    default:
      break;
  }
  return S_OK;
}

// Gives target its own share of what the (bitwise copied) value holds.
HRESULT TakeShare(VARIANT& target) {
  if (IsOwnedArray(target.vt)) return SafeArrayCopy(target.parray, &target.parray);
  switch (target.vt) {
    case VT_BSTR:
      if (target.bstrVal != nullptr) {
        target.bstrVal = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(target.bstrVal),
                                               SysStringByteLen(target.bstrVal));
        if (target.bstrVal == nullptr) return E_OUTOFMEMORY;
      }
      break;
    case VT_DISPATCH:
      if (target.pdispVal != nullptr) target.pdispVal->AddRef();
      break;
    case VT_UNKNOWN:
      if (target.punkVal != nullptr) target.punkVal->AddRef();
      break;
    default:
      break;
  }
  return S_OK;
}

}  // namespace

void WINAPI VariantInit(VARIANTARG* value) { *value = VARIANT{}; }

HRESULT WINAPI VariantClear(VARIANTARG* value) {
  if (value == nullptr) return E_INVALIDARG;
  if (!IsKnownType(value->vt) || value->vt == VT_VARIANT) return DISP_E_BADVARTYPE;
  const HRESULT released = ReleaseOwned(*value);
  if (FAILED(released)) return released;
  VariantInit(value);
  return S_OK;
}

HRESULT WINAPI VariantCopy(VARIANTARG* target, const VARIANTARG* source) {
  if (target == nullptr || source == nullptr) return E_INVALIDARG;
  if (target == source) return S_OK;
  if (!IsKnownType(source->vt) || source->vt == VT_VARIANT) return DISP_E_BADVARTYPE;
  HRESULT result = VariantClear(target);
  if (FAILED(result)) return result;
  *target = *source;
  result = TakeShare(*target);
  if (FAILED(result)) VariantInit(target);
  return result;
}
