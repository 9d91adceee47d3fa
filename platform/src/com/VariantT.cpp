#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "com/AnsiText.h"
#include "com/com_error.h"
#include "com/variant_t.h"

namespace {

void Check(HRESULT result) {
  if (FAILED(result)) _com_issue_error(result);
}

LONG ToLong(double value) {
  const double rounded = std::nearbyint(value);
  if (!(rounded >= std::numeric_limits<LONG>::min() &&
        rounded <= std::numeric_limits<LONG>::max())) {
    _com_issue_error(DISP_E_OVERFLOW);
  }
  return static_cast<LONG>(rounded);
}

LONG ToLong(long value) {
  if (value < std::numeric_limits<LONG>::min() || value > std::numeric_limits<LONG>::max()) {
    _com_issue_error(DISP_E_OVERFLOW);
  }
  return static_cast<LONG>(value);
}

// A new BSTR holding text, raising E_OUTOFMEMORY; NULL for NULL.
BSTR NewBstr(const char16_t* text) {
  BSTR result = SysAllocString(text);
  if (result == nullptr && text != nullptr) _com_issue_error(E_OUTOFMEMORY);
  return result;
}

}  // namespace

_variant_t::_variant_t() noexcept { VariantInit(this); }

_variant_t::_variant_t(const VARIANT& source) {
  VariantInit(this);
  Check(VariantCopy(this, &source));
}

_variant_t::_variant_t(const _variant_t& source)
    : _variant_t(static_cast<const VARIANT&>(source)) {}

_variant_t::_variant_t(_variant_t&& source) noexcept : VARIANT(source) { VariantInit(&source); }

_variant_t::_variant_t(VARIANT& source, bool copy) : _variant_t() {
  if (copy) {
    Check(VariantCopy(this, &source));
  } else {
    static_cast<VARIANT&>(*this) = source;
    VariantInit(&source);
  }
}

_variant_t::_variant_t(LONG value, VARTYPE type) : _variant_t() {
  switch (type) {
    case VT_I4:
      lVal = value;
      break;
    case VT_ERROR:
      scode = value;
      break;
    case VT_BOOL:
      boolVal = value != 0 ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    default:
      _com_issue_error(E_INVALIDARG);
  }
  vt = type;
}

_variant_t::_variant_t(long value, VARTYPE type) : _variant_t(ToLong(value), type) {}

_variant_t::_variant_t(double value, VARTYPE type) : _variant_t() {
  if (type == VT_R8) {
    dblVal = value;
  } else if (type == VT_DATE) {
    date = value;
  } else {
    _com_issue_error(E_INVALIDARG);
  }
  vt = type;
}

_variant_t::_variant_t(bool value) noexcept : _variant_t() {
  vt = VT_BOOL;
  boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

_variant_t::_variant_t(const _bstr_t& text) : _variant_t() {
  bstrVal = text.copy();
  vt = VT_BSTR;
}

_variant_t::_variant_t(const char16_t* text) : _variant_t() {
  bstrVal = NewBstr(text);
  vt = VT_BSTR;
}

_variant_t::_variant_t(const char* text) : _variant_t() {
  bstrVal = kelvra::com::AnsiToBstr(text);
  vt = VT_BSTR;
}

_variant_t::_variant_t(IDispatch* object, bool addRef) noexcept : _variant_t() {
  vt = VT_DISPATCH;
  pdispVal = object;
  if (addRef && object != nullptr) object->AddRef();
}

_variant_t::_variant_t(IUnknown* object, bool addRef) noexcept : _variant_t() {
  vt = VT_UNKNOWN;
  punkVal = object;
  if (addRef && object != nullptr) object->AddRef();
}

_variant_t::~_variant_t() { VariantClear(this); }

_variant_t& _variant_t::operator=(const _variant_t& source) {
  _variant_t(source).Swap(*this);
  return *this;
}

_variant_t& _variant_t::operator=(_variant_t&& source) noexcept {
  _variant_t(std::move(source)).Swap(*this);
  return *this;
}

_variant_t::operator LONG() const { return ToLong(AsNumber()); }

_variant_t::operator double() const { return AsNumber(); }

_variant_t::operator bool() const { return vt == VT_BOOL ? boolVal != 0 : AsNumber() != 0; }

_variant_t::operator _bstr_t() const {
  switch (vt) {
    case VT_BSTR:
      return _bstr_t(bstrVal, true);
    case VT_EMPTY:
      return _bstr_t(u"");
    case VT_I2:
    case VT_I4:
    case VT_UI1:
    case VT_UI4:
      return _bstr_t(std::to_string(static_cast<long long>(AsNumber())).c_str());
    default:
      _com_issue_error(DISP_E_TYPEMISMATCH);
  }
}

void _variant_t::Clear() { Check(VariantClear(this)); }

VARIANT _variant_t::Detach() noexcept {
  VARIANT result = *this;
  VariantInit(this);
  return result;
}

void _variant_t::Swap(_variant_t& other) noexcept {
  std::swap(static_cast<VARIANT&>(*this), static_cast<VARIANT&>(other));
}

double _variant_t::AsNumber() const {
  switch (vt) {
    case VT_EMPTY:
      return 0;
    case VT_I2:
      return iVal;
    case VT_I4:
      return lVal;
    case VT_UI1:
      return bVal;
    case VT_UI4:
      return ulVal;
    case VT_BOOL:
      return boolVal;
    case VT_R8:
      return dblVal;
    case VT_DATE:
      return date;
    default:
      _com_issue_error(DISP_E_TYPEMISMATCH);
  }
}
