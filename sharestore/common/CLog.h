// The log of a share-store library: information and error lines to an optional log
// file, errors and warnings also to an optional error file, every line to the debugger
// output when asked. One object per library (g_Log), configured by the caller through
// the library's configuration export; until then it writes nothing.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "win32/base.h"
#include "win32/export.h"

class CLog {
 public:
  CLog();
  virtual ~CLog();
  CLog(const CLog&) = delete;
  CLog& operator=(const CLog&) = delete;

  // Either path may be null (no such file). Replaces the previous configuration.
  int InitLog(const char* errorPath, const char* logPath, bool debugOutput, int level);

  void LogError(const char* tag, int code, const char* format, ...) KELVRA_PRINTF_FORMAT(4, 5);
  // 0 when the line was written (level not above the configured one), else `level`.
  int LogInfo(int level, const char* tag, const char* format, ...) KELVRA_PRINTF_FORMAT(4, 5);
  // Line 0 marks a failed argument check.
  void Assert(bool condition, const char* tag, int line);

 private:
  enum Kind { kInfo = 0, kWarning = 1, kError = 2 };
  using FilePtr = std::unique_ptr<FILE, int (*)(FILE*)>;

  void Write(Kind kind, int code, const char* tag, const char* format, va_list args);
  void ReadVersion();

  std::mutex mutex_;  // lines from several threads never interleave
  char version_[32] = {};
  std::string logPath_;
  std::string errorPath_;
  FilePtr logFile_{nullptr, &std::fclose};
  FilePtr errorFile_{nullptr, &std::fclose};
  bool debugOutput_ = false;
  int level_ = 1;
};

// The library's own log, and the module it was loaded from (for the version text).
extern CLog g_Log;
extern HMODULE g_hModule;
