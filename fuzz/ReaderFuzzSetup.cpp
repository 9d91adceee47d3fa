#include "ReaderFuzzSetup.h"

#include <stdlib.h>

#include <filesystem>
#include <memory>

#include "addin/CLib.h"
#include "contacts/DovantCharConverter.h"
#include "testkit/Files.h"
#include "testkit/Modules.h"
#include "win32/module.h"

namespace fuzzsetup {
namespace {

std::string WindowsPath(const std::string& linuxPath) {
  std::string path = "Z:" + linuxPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// The log's folder lives as long as the process; every fork of the fuzzer has its own.
char g_logFolder[] = "/tmp/kelvra-fuzz-XXXXXX";

void RemoveLogFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(g_logFolder, ignored);
}

}  // namespace

void SetUpAddin() {
  testkit::SetModuleFolder("Kelvra.dll", WindowsPath(KELVRA_SOURCE_DIR "/resources"));
  static std::unique_ptr<DovantCharConverter> converter = std::make_unique<DovantCharConverter>();
  g_CharConverter = converter.get();
  if (mkdtemp(g_logFolder)) {
    atexit(RemoveLogFolder);
    testkit::SetAppDataFolder(WindowsPath(g_logFolder));
    g_Lib.Init(GetModuleHandleA("Kelvra.dll"));
  }
}

std::size_t Checksum(const std::u16string& text) {
  std::size_t sum = text.size();
  for (char16_t c : text) sum = sum * 31 + c;
  return sum;
}

std::size_t Checksum(const std::string& text) {
  std::size_t sum = text.size();
  for (char c : text) sum = sum * 31 + static_cast<unsigned char>(c);
  return sum;
}

}  // namespace fuzzsetup
