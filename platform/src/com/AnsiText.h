// Conversions between BSTR and text in the ANSI code page (CP_ACP), for the string
// classes of the compiler COM support and ATL.
#pragma once

#include <memory>

#include "com/bstr.h"

namespace kelvra::com {

// NULL for NULL text. Raises _com_error when the conversion or the allocation fails.
BSTR AnsiToBstr(const char* text);
// The whole BSTR (embedded NULs included) and a terminating NUL; NULL for NULL.
// Raises _com_error when the conversion fails.
std::unique_ptr<char[]> BstrToAnsi(BSTR text);

}  // namespace kelvra::com
