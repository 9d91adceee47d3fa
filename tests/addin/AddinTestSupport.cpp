#include "AddinTestSupport.h"

#include <fstream>
#include <iterator>
#include <mutex>

#include "addin/Application.h"
#include "addin/CLib.h"
#include "support/TempDir.h"
#include "testkit/Files.h"
#include "testkit/Registry.h"
#include "win32/module.h"

namespace kelvra::test {

std::string WindowsPath(const std::string& linuxPath) {
  std::string path = "Z:" + linuxPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

HINSTANCE AddinModule() { return GetModuleHandleA("Kelvra.dll"); }

namespace {

constexpr const char* kOptionsKey = "Software\\Ostrane\\Kelvra";

}  // namespace

void SetOptionBytes(HKEY root, const char* name, const std::string& bytes, DWORD type) {
  testkit::WriteValue(root, kOptionsKey, name, type, bytes);
}

void SetOptionDword(HKEY root, const char* name, DWORD value) {
  testkit::WriteDword(root, kOptionsKey, name, value);
}

std::string AddinFolder() {
  char name[1024] = "";
  GetModuleFileNameA(AddinModule(), name, sizeof name);
  std::string path = name;
  return path.substr(0, path.find_last_of('\\'));
}

std::string ReadWholeFile(const std::string& linuxPath) {
  std::ifstream in(linuxPath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

LogWatch::LogWatch() {
  static std::once_flag opened;
  std::call_once(opened, [] {
    static TempDir appData;
    g_hInstance = AddinModule();
    testkit::SetAppDataFolder(appData.windows());
    g_Lib.Init(g_hInstance);
  });
  m_logStart = ReadWholeFile(LogPath()).size();
  m_errStart = ReadWholeFile(ErrPath()).size();
}

std::string LogWatch::Log() const { return ReadWholeFile(LogPath()).substr(m_logStart); }

std::string LogWatch::Err() const { return ReadWholeFile(ErrPath()).substr(m_errStart); }

std::string LogWatch::LogPath() {
  return testkit::ToLinuxPath(g_Lib.GetLogFolder() + "\\" + CLib::kLogFileName);
}

std::string LogWatch::ErrPath() {
  return testkit::ToLinuxPath(g_Lib.GetLogFolder() + "\\" + CLib::kErrFileName);
}

}  // namespace kelvra::test
