#include <cstdio>
#include <utility>

#include "com/com_error.h"

_com_error::_com_error(HRESULT result, _bstr_t description) noexcept
    : result_(result), description_(std::move(description)) {}

const char16_t* _com_error::ErrorMessage() const {
  if (message_.empty()) {
    char text[32];
    std::snprintf(text, sizeof text, "Unknown error 0x%lX",
                  static_cast<unsigned long>(static_cast<DWORD>(result_)));
    message_.assign(text, text + std::char_traits<char>::length(text));
  }
  return message_.c_str();
}

void _com_issue_error(HRESULT result) { throw _com_error(result); }

void _com_issue_errorex(HRESULT result, IUnknown*, REFIID) { throw _com_error(result); }
