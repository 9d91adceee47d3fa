// The bodies of the Outlook and Redemption interfaces' wrapper methods: call the raw
// method, own what it returned (also when it failed after returning something), raise
// its failure as _com_error.
#pragma once

#include <utility>

#include "com/comdef.h"

namespace kelvra::outlook {

template <class Itf>
void RaiseIfFailed(Itf* self, HRESULT result) {
  if (FAILED(result)) _com_issue_errorex(result, self, __uuidof(Itf));
}

// call(BSTR*) fills a text.
template <class Itf, class Call>
_bstr_t FetchText(Itf* self, Call call) {
  BSTR value = nullptr;
  const HRESULT result = call(&value);
  _bstr_t owned(value, false);
  RaiseIfFailed(self, result);
  return owned;
}

// call(Interface**) hands out one reference.
template <class Ptr, class Itf, class Call>
Ptr FetchObject(Itf* self, Call call) {
  typename Ptr::Interface* value = nullptr;
  const HRESULT result = call(&value);
  Ptr owned(value, false);
  RaiseIfFailed(self, result);
  return owned;
}

// call(VARIANT*) fills a value.
template <class Itf, class Call>
_variant_t FetchVariant(Itf* self, Call call) {
  _variant_t value;
  const HRESULT result = call(&value);
  RaiseIfFailed(self, result);
  return value;
}

template <class Itf>
_bstr_t GetText(Itf* self, HRESULT (STDMETHODCALLTYPE Itf::*get)(BSTR*)) {
  return FetchText(self, [&](BSTR* value) { return (self->*get)(value); });
}

template <class Ptr, class Itf, class Object>
Ptr GetObject(Itf* self, HRESULT (STDMETHODCALLTYPE Itf::*get)(Object**)) {
  return FetchObject<Ptr>(self, [&](Object** value) { return (self->*get)(value); });
}

template <class Itf, class Value>
Value GetValue(Itf* self, HRESULT (STDMETHODCALLTYPE Itf::*get)(Value*)) {
  Value value{};
  RaiseIfFailed(self, (self->*get)(&value));
  return value;
}

template <class Itf, class... Params, class... Args>
void Call(Itf* self, HRESULT (STDMETHODCALLTYPE Itf::*method)(Params...), Args&&... args) {
  RaiseIfFailed(self, (self->*method)(std::forward<Args>(args)...));
}

}  // namespace kelvra::outlook
