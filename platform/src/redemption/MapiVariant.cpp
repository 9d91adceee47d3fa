#include "redemption/MapiVariant.h"

namespace kelvra::redemption {

HRESULT MapiVariant::From(const store::Value& value, VARIANT* variant) {
  switch (value.Type()) {
    case store::ValueType::Text: {
      const std::u16string& text = value.AsText();
      variant->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
      if (variant->bstrVal == nullptr) return E_OUTOFMEMORY;
      variant->vt = VT_BSTR;
      return S_OK;
    }
    case store::ValueType::Long:
      variant->vt = VT_I4;
      variant->lVal = value.AsLong();
      return S_OK;
    case store::ValueType::Bool:
      variant->vt = VT_BOOL;
      variant->boolVal = value.AsBool() ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    case store::ValueType::Date:
      variant->vt = VT_DATE;
      variant->date = value.AsDate();
      return S_OK;
    default:
      return DISP_E_TYPEMISMATCH;
  }
}

}  // namespace kelvra::redemption
