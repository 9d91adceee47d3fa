// UTF-16 text in the ANSI code page, for log lines and the filter's category text.
#pragma once

#include <string>
#include <string_view>

#include "win32/base.h"

std::string WideToAnsi(std::basic_string_view<WCHAR> text);
