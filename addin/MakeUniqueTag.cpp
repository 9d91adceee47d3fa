#include "addin/MakeUniqueTag.h"

#include <cstdio>
#include <cstdlib>

#include "win32/windows.h"

std::string MakeUniqueTag() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  Sleep(1);
  char text[64];
  std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d%03d", now.wYear, now.wMonth, now.wDay,
                now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
  std::string tag(text);
  static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (int i = 0; i < 6; ++i) tag += kLetters[std::rand() % 26];
  return tag;
}
