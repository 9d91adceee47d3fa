#include "ContactsTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "addin/CLang.h"
#include "addin/CLib.h"
#include "contacts/SupportedEncodingsList.h"
#include "testkit/Files.h"
#include "testkit/Modules.h"
#include "testkit/Operator.h"
#include "win32/module.h"

namespace kelvra::test {

namespace {

constexpr const char* kModuleName = "Kelvra.dll";

}  // namespace

std::string ReadFileBytes(const std::string& linuxPath) {
  std::ifstream in(linuxPath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ReadFixtureFile(const std::string& linuxPath) {
  std::string bytes = ReadFileBytes(linuxPath);
  EXPECT_FALSE(bytes.empty()) << "missing or empty fixture " << linuxPath;
  return bytes;
}

std::string ToWindowsPath(const std::string& linuxPath) {
  std::string path = "Z:" + linuxPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

AddinFolder::AddinFolder() {
  testkit::SetModuleFolder(kModuleName, m_dir.windows());
  testkit::ClearMessageBoxes();
}

AddinFolder::~AddinFolder() { testkit::SetModuleFolder(kModuleName, ""); }

void AddinFolder::WriteEncodings(const std::string& bytes) const {
  m_dir.write(SupportedEncodingsList::kFileName, bytes);
}

EnglishTexts::EnglishTexts() {
  const std::string path = ToWindowsPath(KELVRA_SOURCE_DIR "/resources/EN.ini");
  EXPECT_TRUE(g_Lang.LoadFile(path.c_str(), kModuleName)) << path;
}

EnglishTexts::~EnglishTexts() { g_Lang.Clear(); }

ErrorLogWatch::ErrorLogWatch() : m_start(ReadFileBytes(ErrFilePath()).size()) {}

std::string ErrorLogWatch::Lines() const {
  std::string all = ReadFileBytes(ErrFilePath());
  return all.size() > m_start ? all.substr(m_start) : std::string();
}

const std::string& ErrorLogWatch::ErrFilePath() {
  static const std::string path = [] {
    static const TempDir appData;
    testkit::SetAppDataFolder(appData.windows());
    g_Lib.Init(GetModuleHandleA(kModuleName));
    return appData.linuxPath("Ostrane/Kelvra/") + CLib::kErrFileName;
  }();
  return path;
}

}  // namespace kelvra::test
