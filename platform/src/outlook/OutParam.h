// Filling the out parameters of raw COM members, and reading BSTR arguments.
#pragma once

#include <string>
#include <string_view>

#include "com/bstr.h"
#include "com/hresult.h"

namespace kelvra::outlook {

// A new BSTR for the caller; E_POINTER for a NULL out parameter.
inline HRESULT HandOutText(BSTR* out, std::u16string_view text) {
  if (out == nullptr) return E_POINTER;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// A value for the caller; E_POINTER for a NULL out parameter.
template <class Value>
HRESULT HandOutValue(Value* out, Value value) {
  if (out == nullptr) return E_POINTER;
  *out = value;
  return S_OK;
}

// A new reference for the caller, made only when there is somewhere to put it;
// E_POINTER for a NULL out parameter.
template <class Itf, class Make>
HRESULT HandOutObject(Itf** out, Make make) {
  if (out == nullptr) return E_POINTER;
  *out = make();
  return S_OK;
}

// The BSTR argument's characters (a NULL BSTR is empty).
inline std::u16string TextOf(BSTR text) {
  return text != nullptr ? std::u16string(text, SysStringLen(text)) : std::u16string();
}

}  // namespace kelvra::outlook
