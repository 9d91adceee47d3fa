#include "contacts/WideToAnsi.h"

#include "com/comdef.h"

std::string WideToAnsi(std::basic_string_view<WCHAR> text) {
  const _bstr_t wide(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())), false);
  const char* ansi = wide;
  return ansi ? ansi : "";
}
