// The user's list separator (categories are joined with it).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "win32/base.h"

// ";" when the locale cannot be read.
std::string GetListSeparator();
std::basic_string<WCHAR> GetListSeparatorW();

// The names of a categories text, the stretches between the separator's occurrences,
// each passed through escape and joined by joiner.
std::basic_string<WCHAR> JoinCategoryNames(
    std::basic_string_view<WCHAR> categories, std::basic_string_view<WCHAR> separator, WCHAR joiner,
    const std::function<std::basic_string<WCHAR>(std::basic_string_view<WCHAR>)>& escape);
