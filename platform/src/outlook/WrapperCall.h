// The bodies of the Outlook interfaces' wrapper methods: call the raw method, own what
// it returned (also when it failed after returning something), raise its failure as
// _com_error.
#pragma once

#include "com/comdef.h"

namespace kelvra::outlook {

template <class Itf>
void RaiseIfFailed(Itf* self, HRESULT result) {
  if (FAILED(result)) _com_issue_errorex(result, self, __uuidof(Itf));
}

template <class Itf>
_bstr_t GetText(Itf* self, HRESULT (STDMETHODCALLTYPE Itf::*get)(BSTR*)) {
  BSTR value = nullptr;
  const HRESULT result = (self->*get)(&value);
  _bstr_t owned(value, false);
  RaiseIfFailed(self, result);
  return owned;
}

template <class Ptr, class Itf, class Object>
Ptr GetObject(Itf* self, HRESULT (STDMETHODCALLTYPE Itf::*get)(Object**)) {
  Object* value = nullptr;
  const HRESULT result = (self->*get)(&value);
  Ptr owned(value, false);
  RaiseIfFailed(self, result);
  return owned;
}

template <class Itf, class Value>
Value GetValue(Itf* self, HRESULT (STDMETHODCALLTYPE Itf::*get)(Value*)) {
  Value value{};
  RaiseIfFailed(self, (self->*get)(&value));
  return value;
}

}  // namespace kelvra::outlook
