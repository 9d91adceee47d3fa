// Fills a language text's numbered placeholders "%1" to "%9" with the arguments, in
// one pass: a "%2" that comes in with an argument (a file name) stays as it is.
// "%%" gives "%"; a placeholder without an argument is copied as it stands.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

std::string FormatNumbered(std::string_view text, std::initializer_list<std::string_view> args);
