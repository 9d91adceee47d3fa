// The add-in's log: a full log and an error file per user, written by the one global
// CLib object. The command link to the Kelvra application lives in this class too: its
// receiving end (the events window) is here, the sending end is RunExeCmd.
#pragma once

#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "win32/base.h"
#include "win32/export.h"
#include "win32/message.h"

class ILibEvents;

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
  // The module given to Init: its folder holds the Kelvra application's executable.
  HINSTANCE GetInstance() const;

  // --- Command link ---------------------------------------------------------------
  // Creates the hidden window that receives the Kelvra application's commands and
  // passes them to sink. Without a sink nothing is created and the result is null.
  HWND CreateEventsWnd(ILibEvents* sink);
  void DestroyEventsWnd();
  // The events window, sent with every command as its sender; null when none.
  HWND GetEventsWnd() const { return m_hEventsWnd; }

  // Handles one command of the application; FALSE for an empty or invalid block.
  BOOL OnCopyData(HWND sender, const COPYDATASTRUCT* data);

  // Asks the application to show a help topic, or its help without one.
  bool ShowContextHelp(const char* topic);
  bool ShowAbout();

 private:
  using FilePtr = std::unique_ptr<FILE, int (*)(FILE*)>;

  void ReadVersion();
  void DetermineLogFolder();
  void OpenFiles();
  void ReadLogLevel();
  static FilePtr OpenAppend(const std::string& path);

  static LRESULT CALLBACK EventsWndProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
  void OnEventsTimer(HWND wnd, UINT_PTR id);

  // Log state, guarded by m_lock: the progress dialog's thread logs as well.
  mutable std::mutex m_lock;
  HINSTANCE m_hInstance = nullptr;
  FilePtr m_logFile;
  FilePtr m_errFile;
  int m_logLevel = 1;
  char m_version[32] = "";
  std::string m_logFolder;  // empty until first needed

  // Command link state, used on Outlook's thread only.
  HWND m_hEventsWnd = nullptr;
  ILibEvents* m_pEvents = nullptr;  // borrowed
};

extern CLib g_Lib;
