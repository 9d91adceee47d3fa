// CComVariant: a VARIANT that owns its value and clears it when it goes. Text from
// char* goes through the ANSI code page (CP_ACP).
#pragma once

#include "com/dispatch.h"
#include "com/variant.h"

namespace ATL {

class CComVariant : public VARIANT {
 public:
  CComVariant() noexcept;
  CComVariant(const VARIANT& source);
  CComVariant(const CComVariant& source);
  CComVariant(LPCOLESTR text);
  CComVariant(LPCSTR text);
  // VT_BOOL.
  CComVariant(bool value) noexcept;
  // VT_I4 (or the integer type named: VT_I2, VT_UI1, VT_UI4, VT_ERROR).
  CComVariant(LONG value, VARTYPE type = VT_I4) noexcept;
  CComVariant(double value) noexcept;
  // A new reference on the object (VT_DISPATCH, VT_UNKNOWN); NULL is allowed.
  CComVariant(IDispatch* object) noexcept;
  CComVariant(IUnknown* object) noexcept;
  ~CComVariant();

  CComVariant& operator=(const CComVariant& source);
  CComVariant& operator=(const VARIANT& source);
  CComVariant& operator=(LPCOLESTR text);
  CComVariant& operator=(bool value);
  CComVariant& operator=(LONG value);

  // Same type and value (texts by characters, objects by pointer).
  bool operator==(const VARIANT& other) const noexcept;

  HRESULT Clear();
  // A copy of source (new BSTR, new reference).
  HRESULT Copy(const VARIANT* source);
  // Takes over source's value; source is left VT_EMPTY.
  HRESULT Attach(VARIANT* source);
  // Hands the value over to target (cleared first); this is left VT_EMPTY.
  HRESULT Detach(VARIANT* target);
};

}  // namespace ATL
