#include "calendar/AppointmentTimezone.h"

#include <string>

#include "addin/CLib.h"
#include "calendar/SystemTimezone.h"
#include "calendar/TimezoneRules.h"
#include "calendar/ZoneBlob.h"

namespace {

constexpr const char* kAppointmentSet = "{00062002-0000-0000-C000-000000000046}";
constexpr const char* kCommonSet = "{00062008-0000-0000-C000-000000000046}";
constexpr long kZoneId = 0x8233;
constexpr long kZoneNameId = 0x8234;
constexpr long kPtBinary = 0x0102;
constexpr long kPtString8 = 0x001E;
constexpr long kPtSystime = 0x0040;

struct ShiftedTime {
  const char* name;
  const char* propertySet;
  long id;
};

// In the order of the writes: pattern dates, the appointment's span, then the task
// and reminder times.
constexpr ShiftedTime kShiftedTimes[] = {
    {"PatternEndDate", kAppointmentSet, 0x8236},
    {"PatternStartDate", kAppointmentSet, 0x8235},
    {"End", kAppointmentSet, 0x820E},
    {"Start", kAppointmentSet, 0x820D},
    {"CdoTask_CommonEnd", kCommonSet, 0x8517},
    {"CdoTask_CommonStart", kCommonSet, 0x8516},
    {"ReminderNextTime", kCommonSet, 0x8560},
    {"CdoTask_ReminderTime", kCommonSet, 0x8502},
};

// The tag of a named property the item's store knows, with its type bits cleared so
// that a type can be added; 0 when unknown.
long LookUpTag(IUnknown* item, Redemption::IMAPIUtils* utils, const char* propertySet, long id) {
  const _bstr_t guid(propertySet);
  VARIANT idValue;
  VariantInit(&idValue);
  idValue.vt = VT_I4;
  idValue.lVal = id;
  long tag = 0;
  if (FAILED(utils->raw_GetIDsFromNames(item, guid, idValue, VARIANT_FALSE, &tag))) {
    return 0;
  }
  return static_cast<long>(static_cast<unsigned long>(tag) & 0xFFFF0000UL);
}

// The property's value; VT_EMPTY when it cannot be read.
_variant_t ReadProperty(IUnknown* item, Redemption::IMAPIUtils* utils, long tag) {
  _variant_t value;
  if (FAILED(utils->raw_HrGetOneProp(item, tag, &value))) {
    value.Clear();
  }
  return value;
}

bool IsBlank(WCHAR c) { return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f'; }

// The description on one line: CR and LF become blanks, blanks at both ends go.
_bstr_t CleanZoneName(const WCHAR* text, unsigned int length) {
  std::basic_string<WCHAR> name =
      text != nullptr ? std::basic_string<WCHAR>(text, length) : std::basic_string<WCHAR>();
  for (WCHAR& c : name) {
    if (c == u'\r' || c == u'\n') c = u' ';
  }
  std::size_t begin = 0;
  while (begin < name.size() && IsBlank(name[begin])) ++begin;
  std::size_t end = name.size();
  while (end > begin && IsBlank(name[end - 1])) --end;
  return _bstr_t(name.substr(begin, end - begin).c_str());
}

bool HasValidRules(const TimezoneStruct& zone) {
  return IsValidTransitionRule(zone.StandardDate) && IsValidTransitionRule(zone.DaylightDate);
}

}  // namespace

bool GetAppointmentTimezone(IUnknown* item, Redemption::IMAPIUtils* utils, TimezoneStruct* zone,
                            _bstr_t* name) {
  if (item == nullptr || utils == nullptr) {
    return false;
  }
  const long zoneTag = LookUpTag(item, utils, kAppointmentSet, kZoneId);
  if (zoneTag == 0) {
    return false;
  }
  TimezoneStruct stored{};
  // A record with rules out of range would give wrong times everywhere: it counts as
  // no stored zone.
  if (!ZoneFromBlob(ReadProperty(item, utils, zoneTag + kPtBinary), &stored) ||
      !HasValidRules(stored)) {
    return false;
  }
  *zone = stored;
  *name = _bstr_t();
  const long nameTag = LookUpTag(item, utils, kAppointmentSet, kZoneNameId);
  if (nameTag != 0) {
    const _variant_t description = ReadProperty(item, utils, nameTag + kPtString8);
    if (description.vt == VT_BSTR) {
      *name = CleanZoneName(description.bstrVal, SysStringLen(description.bstrVal));
    }
  }
  return true;
}

int SetAppointmentTimezone(IUnknown* item, Redemption::IMAPIUtils* utils,
                           const TimezoneStruct& zone, const _bstr_t& name) {
  if (item == nullptr || utils == nullptr) {
    return kSetTimezoneNoItem;
  }
  TimezoneStruct oldZone{};
  _bstr_t oldName;
  if (!GetAppointmentTimezone(item, utils, &oldZone, &oldName) && !GetSystemTimezone(&oldZone)) {
    return kSetTimezoneNoOldZone;
  }
  const long zoneTag = LookUpTag(item, utils, kAppointmentSet, kZoneId);
  if (zoneTag == 0) {
    return kSetTimezoneNoTag;
  }
  const _variant_t blob = ZoneToBlob(zone);
  if (blob.vt == VT_EMPTY ||
      FAILED(utils->raw_HrSetOneProp(item, zoneTag + kPtBinary, blob, VARIANT_FALSE))) {
    return kSetTimezoneWriteFailed;
  }
  const long nameTag = LookUpTag(item, utils, kAppointmentSet, kZoneNameId);
  if (nameTag != 0) {
    utils->raw_HrSetOneProp(item, nameTag + kPtString8, _variant_t(name), VARIANT_FALSE);
  }
  if (!IsSameTimezone(oldZone, zone)) {
    _ShiftAppointmentTimes(item, utils, oldZone, zone);
  }
  return kSetTimezoneDone;
}

void _ShiftAppointmentTimes(IUnknown* item, Redemption::IMAPIUtils* utils,
                            const TimezoneStruct& oldZone, const TimezoneStruct& newZone) {
  for (const ShiftedTime& time : kShiftedTimes) {
    const long tag = LookUpTag(item, utils, time.propertySet, time.id);
    if (tag == 0) continue;
    const _variant_t value = ReadProperty(item, utils, tag | kPtSystime);
    if (value.vt != VT_DATE) continue;
    const COleDateTime moved =
        ZoneTimeToUtc(newZone, UtcToZoneTime(oldZone, COleDateTime(value.date)));
    // A time pushed out of the date range would be stored as garbage: keep the old one.
    const HRESULT result =
        moved.GetStatus() == COleDateTime::valid
            ? utils->raw_HrSetOneProp(item, tag | kPtSystime, _variant_t(moved.m_dt, VT_DATE),
                                      VARIANT_FALSE)
            : E_INVALIDARG;
    if (FAILED(result)) {
      g_Lib.Log(result, "_ShiftAppointmentTimes", LOG_WAR, 1, "HrSetOneProp(%s)", time.name);
    }
  }
}
