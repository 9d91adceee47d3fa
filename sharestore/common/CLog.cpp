#include "sharestore/common/CLog.h"

#include <cstdarg>
#include <vector>

#include "sharestore/common/LogFileTrimmer.h"
#include "win32/crt.h"
#include "win32/module.h"
#include "win32/time.h"

namespace {

constexpr DWORD kErrorFileLimit = 0x20000;
constexpr DWORD kLogFileLimit = 0xE0000;
constexpr const char* kKindText[] = {"Inf", "War", "Err"};

std::unique_ptr<FILE, int (*)(FILE*)> OpenForAppending(const std::string& path) {
  FILE* file = nullptr;
  if (fopen_s(&file, path.c_str(), "at") != 0) file = nullptr;
  return {file, &std::fclose};
}

}  // namespace

CLog::CLog() = default;

CLog::~CLog() {
  if (logFile_) LogInfo(2, "DoneLog", "\n\n");
}

int CLog::InitLog(const char* errorPath, const char* logPath, bool debugOutput, int level) {
  {
    std::lock_guard lock(mutex_);
    errorFile_.reset();
    logFile_.reset();
    errorPath_ = errorPath != nullptr ? errorPath : "";
    logPath_ = logPath != nullptr ? logPath : "";
    debugOutput_ = debugOutput;
    level_ = level;
    if (!errorPath_.empty()) {
      LogFileTrimmer::Trim(errorPath_.c_str(), kErrorFileLimit);
      errorFile_ = OpenForAppending(errorPath_);
    }
    if (!logPath_.empty()) {
      LogFileTrimmer::Trim(logPath_.c_str(), kLogFileLimit);
      logFile_ = OpenForAppending(logPath_);
    }
    ReadVersion();
  }
  return version_[0] != '\0' ? LogInfo(2, "InitLog", "Version = %s", version_) : 0;
}

void CLog::ReadVersion() {
  version_[0] = '\0';
  char name[MAX_PATH] = {};
  if (g_hModule == nullptr || GetModuleFileNameA(g_hModule, name, MAX_PATH) == 0) return;
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(name, &handle);
  if (size == 0) return;
  std::vector<char> block(size);
  void* value = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoA(name, 0, size, block.data()) ||
      !VerQueryValueA(block.data(), "\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO))
    return;
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(value);
  std::snprintf(version_, sizeof version_, "%d.%d.%d.%d",
                static_cast<int>(info->dwFileVersionMS >> 16),
                static_cast<int>(info->dwFileVersionMS & 0xFFFF),
                static_cast<int>(info->dwFileVersionLS >> 16),
                static_cast<int>(info->dwFileVersionLS & 0xFFFF));
}

void CLog::LogError(const char* tag, int code, const char* format, ...) {
  va_list args;
  va_start(args, format);
  Write(kError, code, tag, format, args);
  va_end(args);
}

int CLog::LogInfo(int level, const char* tag, const char* format, ...) {
  {
    std::lock_guard lock(mutex_);
    if (level > level_) return level;
  }
  va_list args;
  va_start(args, format);
  Write(kInfo, 0, tag, format, args);
  va_end(args);
  return 0;
}

void CLog::Assert(bool condition, const char* tag, int line) {
  if (!condition) LogError(tag, 0, "ASSERT failed in line %d", line);
}

void CLog::Write(Kind kind, int code, const char* tag, const char* format, va_list args) {
  std::lock_guard lock(mutex_);
  if (!debugOutput_ && logPath_.empty() && errorPath_.empty()) return;
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char codeText[16] = "";
  if (code != 0) std::snprintf(codeText, sizeof codeText, "[0x%x]", static_cast<unsigned>(code));
  char header[512];
  std::snprintf(header, sizeof header, "%02d/%02d/%02d %02d:%02d:%02d %s%s in %s: ", now.wDay,
                now.wMonth, now.wYear, now.wHour, now.wMinute, now.wSecond, kKindText[kind],
                codeText, tag);
  char message[512];
  std::vsnprintf(message, sizeof message, format, args);
  if (debugOutput_) {
    OutputDebugStringA(header);
    OutputDebugStringA(message);
    OutputDebugStringA("\n");
  }
  if (logFile_) {
    std::fprintf(logFile_.get(), "%s%s\n", header, message);
    std::fflush(logFile_.get());
  }
  if (kind != kInfo && errorFile_) {
    std::fprintf(errorFile_.get(), "%s %s%s\n", version_, header, message);
    std::fflush(errorFile_.get());
  }
}
