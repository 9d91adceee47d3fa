// Helpers shared by the add-in tests.
#pragma once

#include <cstddef>
#include <string>

#include "win32/registry.h"

namespace kelvra::test {

// The Windows view ("Z:\...") of a Linux path.
std::string WindowsPath(const std::string& linuxPath);

// The add-in's module, whose resources every test program links.
HINSTANCE AddinModule();

// Values under the add-in's options key "Software\Ostrane\Kelvra" of root; the key is
// created when missing.
void SetOptionDword(HKEY root, const char* name, DWORD value);
void SetOptionBytes(HKEY root, const char* name, const std::string& bytes, DWORD type);

// The folder of the add-in's module file, as a Windows path.
std::string AddinFolder();

// The whole content of a file, or "" when it cannot be read.
std::string ReadWholeFile(const std::string& linuxPath);

// What the process-wide log (g_Lib) writes from construction on. The log is opened
// once per process, in a folder that lives as long as the process, so each test reads
// only its own lines.
class LogWatch {
 public:
  LogWatch();
  std::string Log() const;
  std::string Err() const;

 private:
  static std::string LogPath();
  static std::string ErrPath();

  std::size_t m_logStart;
  std::size_t m_errStart;
};

}  // namespace kelvra::test
