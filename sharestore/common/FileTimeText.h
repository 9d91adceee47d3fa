// A FILETIME in the base file: "%08x-%08x", the low part, "-", the high part.
#pragma once

#include <string>
#include <string_view>

#include "win32/base.h"

void AppendFileTime(std::string& out, const FILETIME& time);
// Hexadecimal digits of either case with at most one "-" between the parts; without a
// "-" the whole value is the low part. Each part fits 32 bits; false otherwise.
bool ParseFileTime(std::string_view text, FILETIME& time);
