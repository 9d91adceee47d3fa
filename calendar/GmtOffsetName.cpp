#include "calendar/GmtOffsetName.h"

#include <cstdio>

std::string GmtOffsetName(long long offsetMinutes) {
  const char sign = offsetMinutes > 0 ? '-' : '+';
  const long long magnitude = offsetMinutes > 0 ? offsetMinutes : -offsetMinutes;
  char text[64];
  std::snprintf(text, sizeof text, "(GMT%c%02lld:%02lld)", sign, magnitude / 60, magnitude % 60);
  return text;
}
