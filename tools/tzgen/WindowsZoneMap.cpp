#include "WindowsZoneMap.h"

#include <unicode/strenum.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <memory>
#include <stdexcept>

namespace tzgen {
namespace {

std::string Utf8(const icu::UnicodeString& text) {
  std::string out;
  text.toUTF8String(out);
  return out;
}

void Check(UErrorCode status, const char* what) {
  if (U_FAILURE(status)) throw std::runtime_error(std::string(what) + ": " + u_errorName(status));
}

}  // namespace

WindowsZoneMap::WindowsZoneMap() {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::StringEnumeration> ids(
      icu::TimeZone::createTimeZoneIDEnumeration(UCAL_ZONE_TYPE_ANY, nullptr, nullptr, status));
  Check(status, "createTimeZoneIDEnumeration");
  std::map<std::string, std::string> windowsOf;
  while (const icu::UnicodeString* id = ids->snext(status)) {
    Check(status, "snext");
    icu::UnicodeString windowsId;
    icu::TimeZone::getWindowsID(*id, windowsId, status);
    Check(status, "getWindowsID");
    if (!windowsId.isEmpty()) windowsOf[Utf8(*id)] = Utf8(windowsId);
  }
  for (const auto& [iana, windowsId] : windowsOf) {
    if (representatives_.count(windowsId)) continue;
    icu::UnicodeString golden;
    icu::TimeZone::getIDForWindowsID(icu::UnicodeString::fromUTF8(windowsId), "001", golden,
                                     status);
    Check(status, "getIDForWindowsID");
    representatives_[windowsId] = Utf8(golden);
  }
  for (const auto& [iana, windowsId] : windowsOf) {
    if (representatives_.at(windowsId) != iana) aliases_[iana] = windowsId;
  }
}

int WindowsZoneMap::RawOffset(const std::string& iana) {
  std::unique_ptr<icu::TimeZone> zone(
      icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(iana)));
  return zone->getRawOffset() / 1000;
}

}  // namespace tzgen
