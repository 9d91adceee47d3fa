// MAPI data: property tags and values, rows and row sets, restrictions, and the
// HRESULTs and flags of the calls the item-share library makes.
#pragma once

#include <cstddef>

#include "com/guid.h"
#include "com/hresult.h"
#include "win32/base.h"

using SCODE = LONG;

// A property tag: the property id in the high word, its type in the low word.
#define PROP_TYPE(tag) (static_cast<ULONG>(tag) & 0xFFFFu)
#define PROP_ID(tag) (static_cast<ULONG>(tag) >> 16)
#define PROP_TAG(type, id) ((static_cast<ULONG>(id) << 16) | static_cast<ULONG>(type))
#define CHANGE_PROP_TYPE(tag, type) \
  ((static_cast<ULONG>(tag) & 0xFFFF0000u) | static_cast<ULONG>(type))

#define PT_ERROR 0x000Au
#define PT_STRING8 0x001Eu
#define PT_SYSTIME 0x0040u
#define PT_BINARY 0x0102u

#define PR_MESSAGE_CLASS PROP_TAG(PT_STRING8, 0x001A)
#define PR_ENTRYID PROP_TAG(PT_BINARY, 0x0FFF)
#define PR_LAST_MODIFICATION_TIME PROP_TAG(PT_SYSTIME, 0x3008)

#define MAPI_BEST_ACCESS 0x00000010u

// Object types OpenEntry reports.
#define MAPI_FOLDER 0x00000003u
#define MAPI_MESSAGE 0x00000005u

// Restriction kinds and the fuzzy levels of a content restriction.
#define RES_OR 0x00000001u
#define RES_CONTENT 0x00000003u
#define FL_FULLSTRING 0x00000000u
#define FL_PREFIX 0x00000002u
#define FL_IGNORECASE 0x00010000u

#define MAPI_E_NOT_ENOUGH_MEMORY E_OUTOFMEMORY
#define MAPI_E_INVALID_PARAMETER E_INVALIDARG
#define MAPI_E_NO_SUPPORT static_cast<HRESULT>(0x80040102u)
#define MAPI_E_INVALID_ENTRYID static_cast<HRESULT>(0x80040107u)
#define MAPI_E_TOO_COMPLEX static_cast<HRESULT>(0x80040117u)
#define MAPI_W_ERRORS_RETURNED static_cast<HRESULT>(0x00040380u)

struct SBinary {
  ULONG cb;
  LPBYTE lpb;
};
using LPSBinary = SBinary*;

struct ENTRYID {
  BYTE abFlags[4];
  BYTE ab[1];
};
using LPENTRYID = ENTRYID*;

union PV {
  FILETIME ft;
  LPSTR lpszA;
  SBinary bin;
  SCODE err;
};

struct SPropValue {
  ULONG ulPropTag;
  ULONG dwAlignPad;
  PV Value;
};
using LPSPropValue = SPropValue*;

struct SPropTagArray {
  ULONG cValues;
  ULONG aulPropTag[1];
};
using LPSPropTagArray = SPropTagArray*;

// A tag array of a fixed size, laid out as SPropTagArray.
#define SizedSPropTagArray(count, name) \
  struct _SPropTagArray_##name {        \
    ULONG cValues;                      \
    ULONG aulPropTag[count];            \
  } name

struct SRow {
  ULONG ulAdrEntryPad;
  ULONG cValues;
  LPSPropValue lpProps;
};
using LPSRow = SRow*;

struct SRowSet {
  ULONG cRows;
  SRow aRow[1];
};
using LPSRowSet = SRowSet*;

// The bytes of a row set of n rows.
#define CbNewSRowSet(n) (offsetof(SRowSet, aRow) + (n) * sizeof(SRow))

struct SRestriction;
using LPSRestriction = SRestriction*;

struct SContentRestriction {
  ULONG ulFuzzyLevel;
  ULONG ulPropTag;
  LPSPropValue lpProp;
};

struct SOrRestriction {
  ULONG cRes;
  LPSRestriction lpRes;
};

struct SRestriction {
  ULONG rt;
  union {
    SOrRestriction resOr;
    SContentRestriction resContent;
  } res;
};

using LPCIID = const IID*;
