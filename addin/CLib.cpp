#include "addin/CLib.h"

#include <cstdarg>

#include "addin/ModulePath.h"
#include "addin/ModuleVersion.h"
#include "addin/OptionsKeyPath.h"
#include "addin/RegKey.h"
#include "addin/ResourceString.h"
#include "addin/TrimLogFile.h"
#include "resource.h"
#include "win32/crt.h"
#include "win32/files.h"
#include "win32/module.h"
#include "win32/registry.h"
#include "win32/shell.h"
#include "win32/time.h"

CLib g_Lib;

namespace {

constexpr DWORD kModuleNameChars = 1024;

// The "LogLevel" value under root: true when the value is a DWORD, whether or not it
// is in range, so that an out-of-range level does not fall through to the next hive.
bool QueryLogLevel(HKEY root, const std::string& keyPath, int& level) {
  RegKey key;
  if (key.Open(root, keyPath.c_str(), KEY_READ) != ERROR_SUCCESS) return false;
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExA(key.Get(), "LogLevel", nullptr, &type, reinterpret_cast<BYTE*>(&value),
                       &size) != ERROR_SUCCESS ||
      type != REG_DWORD)
    return false;
  if (value <= 3) level = static_cast<int>(value);
  return true;
}

void FormatLocalTime(char (&text)[48]) {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  std::snprintf(text, sizeof text, "%02d/%02d/%02d %02d:%02d:%02d", t.wDay, t.wMonth, t.wYear,
                t.wHour, t.wMinute, t.wSecond);
}

const char* KindWord(int kind) {
  switch (kind) {
    case LOG_WAR:
      return "War";
    case LOG_ERR:
      return "Err";
    default:
      return "Inf";
  }
}

}  // namespace

CLib::CLib() : m_logFile(nullptr, &fclose), m_errFile(nullptr, &fclose) {}

CLib::~CLib() {
  std::lock_guard<std::mutex> lock(m_lock);
  m_errFile.reset();
  if (m_logFile) std::fputs(":End:\n\n", m_logFile.get());
  m_logFile.reset();
}

int CLib::Init(HINSTANCE module) {
  std::lock_guard<std::mutex> lock(m_lock);
  m_hInstance = module;
  ReadVersion();
  m_errFile.reset();
  m_logFile.reset();
  DetermineLogFolder();
  OpenFiles();
  ReadLogLevel();
  return 0;
}

void CLib::ReadVersion() {
  m_version[0] = '\0';
  VS_FIXEDFILEINFO info{};
  if (!ReadModuleVersion(m_hInstance, kModuleNameChars, info)) return;
  std::snprintf(m_version, sizeof m_version, "%d.%d.%d.%d", HIWORD(info.dwFileVersionMS),
                LOWORD(info.dwFileVersionMS), HIWORD(info.dwFileVersionLS),
                LOWORD(info.dwFileVersionLS));
}

void CLib::DetermineLogFolder() {
  if (!m_logFolder.empty()) return;
  char appData[MAX_PATH] = "";
  if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, appData)) && appData[0]) {
    std::string folder = appData;
    CreateDirectoryA(folder.c_str(), nullptr);
    folder += "\\" + LoadResourceString(m_hInstance, IDS_COMPANY);
    CreateDirectoryA(folder.c_str(), nullptr);
    folder += "\\" + LoadResourceString(m_hInstance, IDS_PRODUCT);
    CreateDirectoryA(folder.c_str(), nullptr);
    m_logFolder = folder;
  } else {
    m_logFolder = FolderOf(ModuleFileName(m_hInstance, kModuleNameChars));
  }
}

void CLib::OpenFiles() {
  // Without a folder the names would land wherever a bare "\" leads.
  if (m_logFolder.empty()) return;
  std::string errPath = m_logFolder + "\\" + kErrFileName;
  std::string logPath = m_logFolder + "\\" + kLogFileName;
  TrimLogFile(errPath, kErrFileLimit);
  TrimLogFile(logPath, kLogFileLimit);
  m_errFile = OpenAppend(errPath);
  m_logFile = OpenAppend(logPath);
  if (m_logFile) {
    std::fprintf(m_logFile.get(), ":Start:\nVersion=%s\n", m_version);
    std::fflush(m_logFile.get());
  }
}

CLib::FilePtr CLib::OpenAppend(const std::string& path) {
  FILE* f = nullptr;
  if (fopen_s(&f, path.c_str(), "at") != 0) f = nullptr;
  return FilePtr(f, &fclose);
}

void CLib::ReadLogLevel() {
  m_logLevel = 1;
  // Reading the level needs no write access: a key the user may only read still counts.
  std::string keyPath = OptionsKeyPath(m_hInstance);
  if (!QueryLogLevel(HKEY_CURRENT_USER, keyPath, m_logLevel))
    QueryLogLevel(HKEY_LOCAL_MACHINE, keyPath, m_logLevel);
}

int CLib::WriteLog(const char* message, int code, const char* function, int kind, int level) {
  std::lock_guard<std::mutex> lock(m_lock);
  if (level > m_logLevel || (!m_logFile && !m_errFile)) return 0;
  char time[48];
  FormatLocalTime(time);
  const char* text = message ? message : "";
  const char* tag = function ? function : "";
  if (m_logFile) {
    std::fprintf(m_logFile.get(), "%s %s[%d] in %s: %s\n", time, KindWord(kind), code, tag, text);
    std::fflush(m_logFile.get());
  }
  if (m_errFile && (kind == LOG_WAR || kind == LOG_ERR)) {
    std::fprintf(m_errFile.get(), "%s %s %s[%d] in %s: %s\n", m_version, time, KindWord(kind), code,
                 tag, text);
    std::fflush(m_errFile.get());
  }
  return 0;
}

int CLib::Log(int code, const char* function, int kind, int level, const char* format, ...) {
  if (level > GetLogLevel()) return 0;
  char message[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(message, sizeof message, format, args);
  va_end(args);
  return WriteLog(message, code, function, kind, level);
}

bool CLib::IsLogEnabled() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_hInstance != nullptr;
}

int CLib::GetLogLevel() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_logLevel;
}

std::string CLib::GetLogFolder() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_logFolder;
}

HINSTANCE CLib::GetInstance() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_hInstance;
}
