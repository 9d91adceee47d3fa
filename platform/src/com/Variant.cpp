// VARIANT lifetime: what a value owns is a BSTR or a reference on an interface.
#include "com/variant.h"

#include "com/dispatch.h"

namespace {

bool IsKnownType(VARTYPE type) {
  if ((type & VT_BYREF) != 0) return true;
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
      return true;
    default:
      return false;
  }
}

void ReleaseOwned(VARIANT& value) {
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
}

// Gives target its own share of what the (bitwise copied) value holds.
HRESULT TakeShare(VARIANT& target) {
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
  if (!IsKnownType(value->vt)) return DISP_E_BADVARTYPE;
  ReleaseOwned(*value);
  VariantInit(value);
  return S_OK;
}

HRESULT WINAPI VariantCopy(VARIANTARG* target, const VARIANTARG* source) {
  if (target == nullptr || source == nullptr) return E_INVALIDARG;
  if (target == source) return S_OK;
  if (!IsKnownType(source->vt)) return DISP_E_BADVARTYPE;
  HRESULT result = VariantClear(target);
  if (FAILED(result)) return result;
  *target = *source;
  result = TakeShare(*target);
  if (FAILED(result)) VariantInit(target);
  return result;
}
