#include "calendar/IanaZoneNames.h"

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
  const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::vector<unsigned char> bytes;
  if (!file || !ReadWholeFile(file.Get(), kMaxFileSize, bytes)) return std::string();
  std::istringstream in(std::string(bytes.begin(), bytes.end()));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string id = _IdOfLine(line, iana);
    if (!id.empty()) return id;
  }
  return std::string();
}

std::string IanaZoneNames::_IdOfLine(const std::string& line, const std::string& iana) {
  // "zone|<id>|<index>|<iana>|..." and "alias|<iana>|<id>".
  const std::vector<std::string> fields = Fields(line);
  if (fields.size() > 3 && fields[0] == "zone" && fields[3] == iana) return fields[1];
  if (fields.size() > 2 && fields[0] == "alias" && fields[1] == iana) return fields[2];
  return std::string();
}
