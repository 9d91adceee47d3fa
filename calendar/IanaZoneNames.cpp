#include "calendar/IanaZoneNames.h"

#include <mutex>
#include <sstream>
#include <vector>

#include "addin/ModulePath.h"
#include "addin/ReadWholeFile.h"
#include "win32/owners.h"
#include "win32/windows.h"

namespace {

constexpr const char* kModuleName = "Kelvra.dll";
constexpr DWORD kModulePathSize = 2048;
constexpr const char* kFileName = "timezones.txt";
constexpr unsigned long long kMaxFileSize = 4 * 1024 * 1024;

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, '|');) fields.push_back(field);
  return fields;
}

}  // namespace

std::string IanaZoneNames::WindowsZoneFor(const std::string& iana) {
  if (iana.empty()) return std::string();
  const std::string path =
      FolderOf(ModuleFileName(GetModuleHandleA(kModuleName), kModulePathSize)) + "\\" + kFileName;
  // One table a path: the add-in's folder does not change while it runs, a test's may.
  static std::mutex lock;
  static std::unordered_map<std::string, Table> tables;
  const std::lock_guard<std::mutex> hold(lock);
  auto found = tables.find(path);
  if (found == tables.end()) found = tables.emplace(path, _ReadTable(path)).first;
  const auto id = found->second.find(iana);
  return id == found->second.end() ? std::string() : id->second;
}

IanaZoneNames::Table IanaZoneNames::_ReadTable(const std::string& path) {
  Table table;
  const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::vector<unsigned char> bytes;
  if (!file || !ReadWholeFile(file.Get(), kMaxFileSize, bytes)) return table;
  std::istringstream in(std::string(bytes.begin(), bytes.end()));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    _AddLine(line, table);
  }
  return table;
}

void IanaZoneNames::_AddLine(const std::string& line, Table& table) {
  // The first line that names an IANA name holds.
  const std::vector<std::string> fields = Fields(line);
  if (fields.size() > 3 && fields[0] == "zone" && !fields[3].empty())
    table.emplace(fields[3], fields[1]);
  else if (fields.size() > 2 && fields[0] == "alias" && !fields[1].empty())
    table.emplace(fields[1], fields[2]);
}
