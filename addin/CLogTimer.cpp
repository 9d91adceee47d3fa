#include "addin/CLogTimer.h"

#include <cstdarg>
#include <cstdio>

CLogTimer g_LogTimer;

namespace {

constexpr size_t kMessageBytes = 512;

void WriteFormatted(int code, const char* function, int kind, int level, const char* format,
                    va_list args) {
  char message[kMessageBytes];
  std::vsnprintf(message, sizeof message, format, args);
  g_Lib.WriteLog(message, code, function, kind, level);
}

}  // namespace

void CLogTimer::Err(const char* function, int code, const char* format, ...) {
  if (!g_Lib.IsLogEnabled()) return;
  va_list args;
  va_start(args, format);
  WriteFormatted(code, function, LOG_ERR, 1, format, args);
  va_end(args);
}

void CLogTimer::War(const char* function, int code, const char* format, ...) {
  if (!g_Lib.IsLogEnabled()) return;
  va_list args;
  va_start(args, format);
  WriteFormatted(code, function, LOG_WAR, 1, format, args);
  va_end(args);
}

void CLogTimer::Inf(int level, const char* function, const char* format, ...) {
  if (!g_Lib.IsLogEnabled()) return;
  va_list args;
  va_start(args, format);
  WriteFormatted(0, function, LOG_INF, level, format, args);
  va_end(args);
}

void CLogTimer::Assert(bool condition, const char* function, int line) {
  if (condition || !g_Lib.IsLogEnabled()) return;
  char message[kMessageBytes];
  std::snprintf(message, sizeof message, "ASSERT failed in line %d", line);
  g_Lib.WriteLog(message, 0, function, LOG_ERR, 1);
}
