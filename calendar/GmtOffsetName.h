// The name shown for a zone that has no name of its own.
#pragma once

#include <string>

// "(GMT+hh:mm)" for an offset (UTC = local time + offset, in minutes) at or east of
// UTC, "(GMT-hh:mm)" west of it: an offset of -60 reads "(GMT+01:00)".
std::string GmtOffsetName(long long offsetMinutes);
