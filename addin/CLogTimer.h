// printf-style fronts of the log, called on the one global instance g_LogTimer. They
// keep no state of their own and write through g_Lib; each message is cut to 511
// characters, and nothing is formatted while logging is off.
#pragma once

#include "addin/CLib.h"

class CLogTimer {
 public:
  // Kind Err, level 1.
  void Err(const char* function, int code, const char* format, ...) KELVRA_PRINTF_FORMAT(4, 5);
  // Kind War, level 1.
  void War(const char* function, int code, const char* format, ...) KELVRA_PRINTF_FORMAT(4, 5);
  // Kind Inf, code 0.
  void Inf(int level, const char* function, const char* format, ...) KELVRA_PRINTF_FORMAT(4, 5);
  // Logs "ASSERT failed in line <line>" as an error when the condition is false; the
  // caller goes on either way.
  void Assert(bool condition, const char* function, int line);
};

extern CLogTimer g_LogTimer;
