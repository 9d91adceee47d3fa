#include "AddInLogFiles.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "HostOutput.h"
#include "testkit/Files.h"
#include "win32/shell.h"

namespace host {
namespace {

std::uintmax_t SizeOf(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  return error ? 0 : size;
}

}  // namespace

std::string AddInLogFiles::LogPath() { return _PathOf("KelvraAddin.log"); }

std::string AddInLogFiles::ErrorPath() { return _PathOf("KelvraAddin.err"); }

std::string AddInLogFiles::_PathOf(const char* fileName) {
  char appData[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, appData)))
    return "(no application-data folder)";
  return testkit::ToLinuxPath(std::string(appData) + "\\Ostrane\\Kelvra\\" + fileName);
}

AddInLogFiles::AddInLogFiles() : printed_(SizeOf(ErrorPath())) {}

void AddInLogFiles::PrintNewWarnings() {
  const std::string path = ErrorPath();
  // The add-in trims its files when it starts: a shorter file is read from its start.
  if (SizeOf(path) < printed_) printed_ = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in || !in.seekg(static_cast<std::streamoff>(printed_))) return;
  std::string line;
  while (std::getline(in, line)) {
    if (in.eof()) break;  // a line still being written is printed next time
    printed_ += line.size() + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    PrintOut("log: " + line);
  }
}

}  // namespace host
