#include "addin/MakeExportFileName.h"

#include <cstring>

#include "win32/crt.h"

namespace {

constexpr const char* kForbidden = "\t\r\n\\/:*?\"<>|";
constexpr const char* kWhiteSpace = " \t\r\n\v\f";

// Length of the device name the text begins with, or 0.
size_t DeviceNameLength(const std::string& text) {
  static const char* const kThreeLetter[] = {"con", "nul", "prn", "aux"};
  for (const char* name : kThreeLetter)
    if (_strnicmp(text.c_str(), name, 3) == 0) return 3;
  bool numbered = _strnicmp(text.c_str(), "com", 3) == 0 || _strnicmp(text.c_str(), "lpt", 3) == 0;
  if (numbered && text.size() > 3 && text[3] >= '1' && text[3] <= '9') return 4;
  return 0;
}

}  // namespace

std::string MakeExportFileName(const char* text) {
  std::string name = text ? text : "";
  for (char& c : name)
    if (c != '\0' && std::strchr(kForbidden, c)) c = '_';
  size_t end = name.find_last_not_of(kWhiteSpace);
  name.erase(end == std::string::npos ? 0 : end + 1);
  size_t device = DeviceNameLength(name);
  if (device && (name.size() == device || name[device] == '.')) name[device - 1] = '_';
  return name;
}
