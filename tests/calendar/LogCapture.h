// What the add-in's process-wide log writes while a test runs. The log is opened once
// per process, in a folder that lives as long as the process.
#pragma once

#include <fstream>
#include <iterator>
#include <mutex>
#include <string>

#include "addin/Application.h"
#include "addin/CLib.h"
#include "support/TempDir.h"
#include "testkit/Files.h"
#include "win32/module.h"

namespace zonetest {

class LogCapture {
 public:
  LogCapture() {
    static std::once_flag opened;
    std::call_once(opened, [] {
      static kelvra::test::TempDir appData;
      g_hInstance = GetModuleHandleA("Kelvra.dll");
      testkit::SetAppDataFolder(appData.windows());
      g_Lib.Init(g_hInstance);
    });
    start_ = Whole().size();
  }

  std::string Text() const { return Whole().substr(start_); }

 private:
  static std::string Whole() {
    std::ifstream in(testkit::ToLinuxPath(g_Lib.GetLogFolder() + "\\" + CLib::kLogFileName),
                     std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::size_t start_ = 0;
};

}  // namespace zonetest
