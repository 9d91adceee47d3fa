// _variant_t: a VARIANT that owns its value (a BSTR, a reference on an interface) and
// raises _com_error when a value cannot be made or converted.
#pragma once

#include "com/bstr_t.h"
#include "com/dispatch.h"
#include "com/variant.h"

class _variant_t : public VARIANT {
 public:
  _variant_t() noexcept;
  _variant_t(const VARIANT& source);
  _variant_t(const _variant_t& source);
  _variant_t(_variant_t&& source) noexcept;
  // Copies the value, or (copy false) takes it over, leaving source VT_EMPTY.
  _variant_t(VARIANT& source, bool copy);
  // type VT_I4, VT_ERROR or VT_BOOL; E_INVALIDARG for another.
  _variant_t(LONG value, VARTYPE type = VT_I4);
  // Held as LONG; DISP_E_OVERFLOW when it does not fit.
  _variant_t(long value, VARTYPE type = VT_I4);
  // type VT_R8 or VT_DATE; E_INVALIDARG for another.
  _variant_t(double value, VARTYPE type = VT_R8);
  _variant_t(bool value) noexcept;
  _variant_t(const _bstr_t& text);
  _variant_t(const char16_t* text);
  _variant_t(const char* text);
  // Takes a new reference, or (addRef false) the caller's.
  _variant_t(IDispatch* object, bool addRef = true) noexcept;
  _variant_t(IUnknown* object, bool addRef = true) noexcept;
  ~_variant_t();

  _variant_t& operator=(const _variant_t& source);
  _variant_t& operator=(_variant_t&& source) noexcept;

  // Conversions of the numeric types (VT_I2, VT_I4, VT_UI1, VT_UI4, VT_R8, VT_DATE,
  // VT_BOOL, VT_EMPTY as 0; a fraction rounds half to even) and, for text, of VT_BSTR,
  // VT_EMPTY ("") and the integer types (decimal); DISP_E_TYPEMISMATCH for anything
  // else (VT_BYREF values included), DISP_E_OVERFLOW when out of range.
  operator LONG() const;
  operator double() const;
  operator bool() const;
  operator _bstr_t() const;

  // Frees the value; VT_EMPTY afterwards.
  void Clear();
  // Hands the value to the caller, who clears it; VT_EMPTY afterwards.
  VARIANT Detach() noexcept;

 private:
  void Swap(_variant_t& other) noexcept;
  double AsNumber() const;
};
