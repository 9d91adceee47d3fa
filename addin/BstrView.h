// The characters of a _bstr_t as a view, empty for a null string. The view lasts as long
// as the _bstr_t it was taken from, unchanged.
#pragma once

#include <string_view>

#include "com/comdef.h"

std::basic_string_view<WCHAR> BstrView(const _bstr_t& text);
