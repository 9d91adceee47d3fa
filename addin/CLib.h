// The add-in's log: a full log and an error file per user, written by the one global
// CLib object. The command link to the Kelvra application lives in this class too and
// follows the log state.
#pragma once

#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "win32/base.h"

#if defined(__GNUC__)
#define KELVRA_PRINTF_FORMAT(formatIndex, firstArg) \
  __attribute__((format(printf, formatIndex, firstArg)))
#else
#define KELVRA_PRINTF_FORMAT(formatIndex, firstArg)
#endif

// Kinds of log line; any other kind is printed as "Inf".
enum LogKind : int {
  LOG_INF = 1,
  LOG_WAR = 2,
  LOG_ERR = 3,
};

class CLib {
 public:
  // Names of the two files inside the log folder.
  static constexpr const char* kLogFileName = "KelvraAddin.log";
  static constexpr const char* kErrFileName = "KelvraAddin.err";
  // Sizes above which a file is cut to its tail when it is opened.
  static constexpr DWORD kLogFileLimit = 0xE0000;
  static constexpr DWORD kErrFileLimit = 0x20000;

  CLib();
  ~CLib();
  CLib(const CLib&) = delete;
  CLib& operator=(const CLib&) = delete;

  // Opens both files (trimming them first), writes the start mark and reads the level.
  // Always 0.
  int Init(HINSTANCE module);

  // Writes one finished line when level is at most the configured level. Always 0.
  int WriteLog(const char* message, int code, const char* function, int kind, int level);

  // printf-style front of WriteLog; the message is cut to 1023 characters.
  int Log(int code, const char* function, int kind, int level, const char* format, ...)
      KELVRA_PRINTF_FORMAT(6, 7);

  // True once Init has stored the module instance.
  bool IsLogEnabled() const;

  int GetLogLevel() const;
  const char* GetVersion() const { return m_version; }
  // Folder of both files; empty until Init has determined it.
  std::string GetLogFolder() const;

 private:
  using FilePtr = std::unique_ptr<FILE, int (*)(FILE*)>;

  void ReadVersion();
  void DetermineLogFolder();
  void OpenFiles();
  void ReadLogLevel();
  static FilePtr OpenAppend(const std::string& path);

  // Log state, guarded by m_lock: the progress dialog's thread logs as well.
  mutable std::mutex m_lock;
  HINSTANCE m_hInstance = nullptr;
  FilePtr m_logFile;
  FilePtr m_errFile;
  int m_logLevel = 1;
  char m_version[32] = "";
  std::string m_logFolder;  // empty until first needed
};

extern CLib g_Lib;
