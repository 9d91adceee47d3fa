// The per-thread locale of GetThreadLocale and SetThreadLocale.
#include "win32/nls.h"

namespace {

constexpr LCID kEnglishUnitedStates = 0x0409;

thread_local LCID threadLocale = kEnglishUnitedStates;

}  // namespace

LCID WINAPI GetThreadLocale() { return threadLocale; }

BOOL WINAPI SetThreadLocale(LCID locale) {
  threadLocale = locale;
  return TRUE;
}
