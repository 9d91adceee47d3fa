// Control of the stand-in's code page and locale settings.
#pragma once

#include <string>

#include "win32/base.h"

namespace testkit {

// Overrides the ANSI code page (and the environment variable KELVRA_ACP); 0 goes back
// to KELVRA_ACP or the default 65001.
void SetAcp(UINT codePage);

// The user's list separator as UTF-8 text; "," by default.
void SetListSeparator(std::string separator);

// The user's default pictures behind GetDateFormatA and GetTimeFormatA (and the dates
// Items.Restrict reads), as UTF-8 Windows picture strings: "M/d/yyyy" and
// "h:mm:ss tt" until set; ResetRegistry and ResetSystemTimeZone bring those back.
void SetDateTimeFormats(const std::string& shortDate, const std::string& time);

// While set, GetLocaleInfoA/W fail (0, ERROR_INVALID_PARAMETER).
void FailLocaleInfo(bool fail);

}  // namespace testkit
