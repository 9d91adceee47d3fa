#include "atl/ComVariant.h"

#include "atl/ComBSTR.h"
#include "com/com_error.h"

namespace ATL {

namespace {

bool SameText(BSTR a, BSTR b) {
  const UINT length = SysStringLen(a);
  if (length != SysStringLen(b)) return false;
  for (UINT i = 0; i < length; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

}  // namespace

CComVariant::CComVariant() noexcept : VARIANT{} { VariantInit(this); }

CComVariant::CComVariant(const VARIANT& source) : CComVariant() {
  const HRESULT copied = Copy(&source);
  if (FAILED(copied)) _com_issue_error(copied);
}

CComVariant::CComVariant(const CComVariant& source)
    : CComVariant(static_cast<const VARIANT&>(source)) {}

CComVariant::CComVariant(LPCOLESTR text) : CComVariant() {
  bstrVal = CComBSTR(text).Detach();
  vt = VT_BSTR;
}

CComVariant::CComVariant(LPCSTR text) : CComVariant() {
  bstrVal = CComBSTR(text).Detach();
  vt = VT_BSTR;
}

CComVariant::CComVariant(bool value) noexcept : CComVariant() {
  vt = VT_BOOL;
  boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

CComVariant::CComVariant(LONG value, VARTYPE type) noexcept : CComVariant() {
  vt = type;
  switch (type) {
    case VT_I2:
      iVal = static_cast<SHORT>(value);
      break;
    case VT_UI1:
      bVal = static_cast<BYTE>(value);
      break;
    case VT_ERROR:
      scode = value;
      break;
    case VT_UI4:
      ulVal = static_cast<ULONG>(value);
      break;
    default:
      vt = VT_I4;
      lVal = value;
      break;
  }
}

CComVariant::CComVariant(double value) noexcept : CComVariant() {
  vt = VT_R8;
  dblVal = value;
}

CComVariant::CComVariant(IDispatch* object) noexcept : CComVariant() {
  vt = VT_DISPATCH;
  pdispVal = object;
  if (object != nullptr) object->AddRef();
}

CComVariant::CComVariant(IUnknown* object) noexcept : CComVariant() {
  vt = VT_UNKNOWN;
  punkVal = object;
  if (object != nullptr) object->AddRef();
}

CComVariant::~CComVariant() { VariantClear(this); }

CComVariant& CComVariant::operator=(const CComVariant& source) {
  return *this = static_cast<const VARIANT&>(source);
}

CComVariant& CComVariant::operator=(const VARIANT& source) {
  if (&source != this) {
    const HRESULT copied = Copy(&source);
    if (FAILED(copied)) _com_issue_error(copied);
  }
  return *this;
}

CComVariant& CComVariant::operator=(LPCOLESTR text) {
  CComVariant made(text);
  Clear();
  return *this = made;
}

CComVariant& CComVariant::operator=(bool value) {
  Clear();
  vt = VT_BOOL;
  boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return *this;
}

CComVariant& CComVariant::operator=(LONG value) {
  Clear();
  vt = VT_I4;
  lVal = value;
  return *this;
}

bool CComVariant::operator==(const VARIANT& other) const noexcept {
  if (vt != other.vt) return false;
  switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
      return true;
    case VT_BSTR:
      return SameText(bstrVal, other.bstrVal);
    case VT_I2:
    case VT_BOOL:
      return iVal == other.iVal;
    case VT_UI1:
      return bVal == other.bVal;
    case VT_R8:
    case VT_DATE:
      return dblVal == other.dblVal;
    case VT_DISPATCH:
    case VT_UNKNOWN:
      return punkVal == other.punkVal;
    default:
      return lVal == other.lVal;
  }
}

HRESULT CComVariant::Clear() { return VariantClear(this); }

HRESULT CComVariant::Copy(const VARIANT* source) {
  if (source == nullptr) return E_POINTER;
  return VariantCopy(this, source);
}

HRESULT CComVariant::Attach(VARIANT* source) {
  if (source == nullptr) return E_INVALIDARG;
  const HRESULT cleared = Clear();
  if (FAILED(cleared)) return cleared;
  *static_cast<VARIANT*>(this) = *source;
  source->vt = VT_EMPTY;
  return S_OK;
}

HRESULT CComVariant::Detach(VARIANT* target) {
  if (target == nullptr) return E_POINTER;
  const HRESULT cleared = VariantClear(target);
  if (FAILED(cleared)) return cleared;
  *target = *static_cast<VARIANT*>(this);
  vt = VT_EMPTY;
  return S_OK;
}

}  // namespace ATL
