// _com_error: the exception that wrappers of COM calls raise on a failed HRESULT.
#pragma once

#include <string>

#include "com/bstr_t.h"
#include "com/unknwn.h"

class _com_error {
 public:
  explicit _com_error(HRESULT result, _bstr_t description = _bstr_t()) noexcept;

  HRESULT Error() const noexcept { return result_; }
  // The system's text for the HRESULT ("Unknown error 0x80004005": this platform has
  // no message table), owned by the error.
  const char16_t* ErrorMessage() const;
  // What the failing object said about the failure; often empty.
  _bstr_t Description() const { return description_; }

 private:
  HRESULT result_;
  _bstr_t description_;
  mutable std::u16string message_;
};

[[noreturn]] void _com_issue_error(HRESULT result);
// Raised by interface wrappers: the failing object and the interface it was called on.
[[noreturn]] void _com_issue_errorex(HRESULT result, IUnknown* source, REFIID iid);
