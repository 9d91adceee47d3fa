// An appointment's own zone: the zone record and the zone's description that Outlook
// keeps as named properties of the item, read and written through Redemption's MAPI
// helpers. Nothing here saves the item: the caller does.
#pragma once

#include "calendar/TimezoneStruct.h"
#include "com/bstr_t.h"
#include "redemption/MAPIUtils.h"

// Results of SetAppointmentTimezone.
enum SetAppointmentTimezoneResult : int {
  kSetTimezoneDone = 0,
  kSetTimezoneNoItem = -1,       // item or helper missing
  kSetTimezoneNoOldZone = -2,    // neither a stored nor the system zone
  kSetTimezoneNoTag = -3,        // the zone property cannot be looked up
  kSetTimezoneWriteFailed = -4,  // the zone property could not be written
};

// True and the stored zone record when the item has one that is at least 48 bytes long
// and whose rules are valid. The name (required) is emptied, then set to the stored
// description with line breaks turned into blanks and trimmed.
bool GetAppointmentTimezone(IUnknown* item, Redemption::IMAPIUtils* utils, TimezoneStruct* zone,
                            _bstr_t* name);

// Writes the zone record and its name and, when the rules differ from the zone the item
// had (its stored zone, else the system zone), moves the item's stored times so that
// each keeps its wall-clock reading in the new zone. When the record cannot be written,
// neither the name nor any time is touched.
int SetAppointmentTimezone(IUnknown* item, Redemption::IMAPIUtils* utils,
                           const TimezoneStruct& zone, const _bstr_t& name);

// Moves each of the item's eight appointment times from oldZone's wall clock to the
// same wall-clock reading in newZone. Times the item does not have are skipped; a
// failed write is logged and the others still happen.
void _ShiftAppointmentTimes(IUnknown* item, Redemption::IMAPIUtils* utils,
                            const TimezoneStruct& oldZone, const TimezoneStruct& newZone);
