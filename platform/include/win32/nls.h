// Code pages and locale of the stand-in.
//
// Text conversions follow Windows: a NULL buffer or a size of 0 asks for the length,
// a source length of -1 means NUL-terminated with the NUL counted, a buffer too small
// fails with ERROR_INSUFFICIENT_BUFFER. Invalid UTF-8 becomes U+FFFD, one per bad
// sequence; text that a code page cannot hold becomes its default character ("?");
// a valid code page never fails on non-empty input. There is no best-fit mapping.
#pragma once

#include "win32/base.h"

using LCID = DWORD;
using LCTYPE = DWORD;
using LPBOOL = BOOL*;

#define CP_ACP 0
#define CP_OEMCP 1
#define CP_UTF7 65000
#define CP_UTF8 65001

#define ERROR_INVALID_FLAGS 1004L

// The ANSI code page: 65001 unless the environment variable KELVRA_ACP names
// another supported code page (testkit can override both).
UINT WINAPI GetACP();

// TRUE for every code page the converters below handle; FALSE for CP_ACP, CP_OEMCP,
// the UTF-16 pages 1200/1201 and any page the stand-in cannot convert.
BOOL WINAPI IsValidCodePage(UINT codePage);

// flags must be 0 (ERROR_INVALID_FLAGS otherwise).
int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR source, int sourceBytes,
                               LPWSTR target, int targetChars);

// defaultChar (NULL = "?") replaces what the page cannot hold and sets *usedDefault;
// both must be NULL for CP_UTF7 and CP_UTF8.
int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR source, int sourceChars,
                               LPSTR target, int targetBytes, LPCSTR defaultChar,
                               LPBOOL usedDefault);

#define LOCALE_USER_DEFAULT 0x0400
#define LOCALE_SYSTEM_DEFAULT 0x0800
#define LOCALE_SLIST 0x000C

// Only LOCALE_SLIST is known (ERROR_INVALID_FLAGS for others). The count includes the
// terminating NUL; a size of 0 asks for it.
int WINAPI GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size);
int WINAPI GetLocaleInfoW(LCID locale, LCTYPE type, LPWSTR data, int size);

#define DATE_SHORTDATE 0x00000001

// The date (or time) as the user's locale writes it, in the ANSI code page, with
// Windows' buffer protocol: the count includes the terminating NUL, a size of 0 asks
// for it, a buffer too small fails with ERROR_INSUFFICIENT_BUFFER. A NULL date or
// time is now (GetLocalTime). A NULL format takes the user's default picture (short
// date "M/d/yyyy", time "h:mm:ss tt", both settable through testkit); a format is a
// picture string of d dd M MM yy yyyy, or of h hh H HH m mm s ss t tt, with text in
// apostrophes kept. flags: GetDateFormatA takes 0 or DATE_SHORTDATE, and only 0 with
// a format; GetTimeFormatA takes 0 (ERROR_INVALID_FLAGS otherwise). A date that does
// not exist, a time out of range or a picture the stand-in does not know (ddd, MMM,
// era...) fails with ERROR_INVALID_PARAMETER.
int WINAPI GetDateFormatA(LCID locale, DWORD flags, const SYSTEMTIME* date, LPCSTR format,
                          LPSTR buffer, int size);
int WINAPI GetTimeFormatA(LCID locale, DWORD flags, const SYSTEMTIME* time, LPCSTR format,
                          LPSTR buffer, int size);

// The calling thread's locale: 0x0409 (English, United States) until the thread sets
// another. It changes nothing else on this platform; registration code sets
// LOCALE_SYSTEM_DEFAULT for its duration and restores what it found.
LCID WINAPI GetThreadLocale();
BOOL WINAPI SetThreadLocale(LCID locale);
