#include "calendar/TimezoneList.h"

#include <algorithm>
#include <utility>

#include "addin/CLib.h"
#include "addin/RegKey.h"
#include "calendar/IanaZoneNames.h"
#include "calendar/TimezoneRules.h"

namespace {

constexpr const char* kZonesPath = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";
constexpr const char* kLogFunction = "GetAllTimezones";
constexpr DWORD kNameBufferSize = 260;
constexpr DWORD kTextValueSize = 1024;

void LogLine(int kind, LONG code, const char* message) {
  g_Lib.WriteLog(message, code, kLogFunction, kind, 1);
}

// Reads a text value of at most kTextValueSize bytes. The copy is always terminated,
// whatever the stored value holds.
LONG ReadText(HKEY key, const char* name, std::string* text) {
  char buffer[kTextValueSize + 1] = {};
  DWORD size = kTextValueSize;
  const LONG result =
      RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
  if (result == ERROR_SUCCESS && text != nullptr) {
    *text = buffer;
  }
  return result;
}

// The zone's Index, or -1 when it has none or one of another size than 4 bytes.
LONG ReadIndex(HKEY key) {
  DWORD index = 0;
  DWORD size = sizeof index;
  const LONG result =
      RegQueryValueExA(key, "Index", nullptr, nullptr, reinterpret_cast<BYTE*>(&index), &size);
  if (result != ERROR_SUCCESS) {
    if (result != ERROR_FILE_NOT_FOUND) {
      LogLine(LOG_WAR, result, "RegQueryValueEx(Index)");
    }
    return -1;
  }
  return size == sizeof index ? static_cast<LONG>(index) : -1;
}

// A "TZI" of any other size than 44 bytes counts as missing.
LONG ReadTzi(HKEY key, TimezoneStruct* zone) {
  BYTE tzi[kTziSize] = {};
  DWORD size = kTziSize;
  const LONG result = RegQueryValueExA(key, "TZI", nullptr, nullptr, tzi, &size);
  if (result != ERROR_SUCCESS) {
    return result;
  }
  if (size != kTziSize) {
    return ERROR_FILE_NOT_FOUND;
  }
  *zone = TimezoneFromTzi(tzi);
  return ERROR_SUCCESS;
}

// Reads one zone's values in the order Display, Dlt, Index, Std, TZI; false (with a
// warning) when a required one cannot be read.
bool ReadZone(const char* subkeyName, TimezoneEntry* entry) {
  RegKey key;
  const std::string path = std::string(kZonesPath) + "\\" + subkeyName;
  LONG result = key.Open(HKEY_LOCAL_MACHINE, path.c_str(), KEY_QUERY_VALUE);
  if (result != ERROR_SUCCESS) {
    LogLine(LOG_WAR, result, "RegOpenKeyEx(subkey)");
    return false;
  }
  if ((result = ReadText(key.Get(), "Display", &entry->displayName)) != ERROR_SUCCESS) {
    LogLine(LOG_WAR, result, "RegQueryValueEx(Display)");
    return false;
  }
  if ((result = ReadText(key.Get(), "Dlt", nullptr)) != ERROR_SUCCESS) {
    LogLine(LOG_WAR, result, "RegQueryValueEx(Dlt)");
    return false;
  }
  entry->index = ReadIndex(key.Get());
  if ((result = ReadText(key.Get(), "Std", nullptr)) != ERROR_SUCCESS) {
    LogLine(LOG_WAR, result, "RegQueryValueEx(Std)");
    return false;
  }
  if ((result = ReadTzi(key.Get(), &entry->zone)) != ERROR_SUCCESS) {
    LogLine(LOG_WAR, result, "RegQueryValueEx(TZI)");
    return false;
  }
  return true;
}

}  // namespace

LONG GetAllTimezones(std::vector<TimezoneEntry>* list, int* count) {
  if (list == nullptr || count == nullptr) {
    return -1;
  }
  RegKey zones;
  LONG result = zones.Open(HKEY_LOCAL_MACHINE, kZonesPath, KEY_ENUMERATE_SUB_KEYS);
  if (result != ERROR_SUCCESS) {
    LogLine(LOG_ERR, result, "RegOpenKeyEx");
    return result;
  }
  std::vector<TimezoneEntry> entries;
  for (DWORD index = 0;; ++index) {
    char name[kNameBufferSize] = {};
    DWORD nameLength = kNameBufferSize;
    result =
        RegEnumKeyExA(zones.Get(), index, name, &nameLength, nullptr, nullptr, nullptr, nullptr);
    if (result != ERROR_SUCCESS) {
      break;
    }
    TimezoneEntry entry;
    if (ReadZone(name, &entry)) {
      entries.push_back(std::move(entry));
    }
  }
  if (result != ERROR_NO_MORE_ITEMS) {
    LogLine(LOG_ERR, result, "RegEnumKeyEx");
    return result;
  }
  // Stable, so that zones that compare equal keep the registry's order.
  std::stable_sort(
      entries.begin(), entries.end(),
      [](const TimezoneEntry& a, const TimezoneEntry& b) { return _CompareTimezones(a, b) < 0; });
  *count = static_cast<int>(entries.size());
  *list = std::move(entries);
  return ERROR_SUCCESS;
}

LONG FindTimezoneName(const TimezoneStruct& zone, std::string* name) {
  name->clear();
  std::vector<TimezoneEntry> list;
  int count = 0;
  const LONG result = GetAllTimezones(&list, &count);
  if (result != ERROR_SUCCESS) {
    return result;
  }
  const auto match = std::find_if(list.begin(), list.end(), [&zone](const TimezoneEntry& entry) {
    return IsSameTimezone(entry.zone, zone);
  });
  if (match == list.end()) {
    return 1;
  }
  *name = match->displayName;
  return 0;
}

LONG FindTimezoneById(const std::string& id, TimezoneStruct* zone) {
  std::string windowsId = IanaZoneNames::WindowsZoneFor(id);
  if (windowsId.empty()) windowsId = id;
  // A backslash would reach below the zone's key; a name the list lacks is no zone,
  // found out before ReadZone, which warns of a key it cannot open.
  if (windowsId.empty() || windowsId.find('\\') != std::string::npos) return 1;
  RegKey key;
  const std::string path = std::string(kZonesPath) + "\\" + windowsId;
  if (key.Open(HKEY_LOCAL_MACHINE, path.c_str(), KEY_QUERY_VALUE) != ERROR_SUCCESS) return 1;
  TimezoneEntry entry;
  if (!ReadZone(windowsId.c_str(), &entry)) return 1;
  *zone = entry.zone;
  return 0;
}

int _CompareTimezones(const TimezoneEntry& a, const TimezoneEntry& b) {
  if (a.index != -1 || b.index != -1) {
    const DWORD indexA = static_cast<DWORD>(a.index);
    const DWORD indexB = static_cast<DWORD>(b.index);
    return indexA < indexB ? -1 : (indexA > indexB ? 1 : 0);
  }
  const LONGLONG offsetA = static_cast<LONGLONG>(a.zone.Bias) + a.zone.StandardBias;
  const LONGLONG offsetB = static_cast<LONGLONG>(b.zone.Bias) + b.zone.StandardBias;
  if (offsetA != offsetB) {
    return offsetA > offsetB ? -1 : 1;
  }
  return a.displayName.compare(b.displayName);
}
