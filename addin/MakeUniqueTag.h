// A text that differs from every other one made in this session: the local time to the
// millisecond (17 digits) followed by six random capital letters. Command-bar tags of
// each explorer window are built from it.
#pragma once

#include <string>

// Sleeps 1 ms after reading the time, so that two tags made in a row differ in their
// time part; the letters come from rand(), which the connection object seeds.
std::string MakeUniqueTag();
