// VARIANT, the tagged value of OLE automation.
#pragma once

#include "com/bstr.h"
#include "com/hresult.h"
#include "com/unknwn.h"

struct IDispatch;
struct SAFEARRAY;

using VARTYPE = USHORT;
using VARIANT_BOOL = SHORT;
using SCODE = LONG;
// Days since 1899-12-30 00:00; the fraction is the time of day.
using DATE = double;

#define VARIANT_TRUE static_cast<VARIANT_BOOL>(-1)
#define VARIANT_FALSE static_cast<VARIANT_BOOL>(0)

enum VARENUM : VARTYPE {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I2 = 2,
  VT_I4 = 3,
  VT_R8 = 5,
  VT_DATE = 7,
  VT_BSTR = 8,
  VT_DISPATCH = 9,
  VT_ERROR = 10,  // with DISP_E_PARAMNOTFOUND: an optional argument left out
  VT_BOOL = 11,
  VT_VARIANT = 12,
  VT_UNKNOWN = 13,
  VT_UI1 = 17,
  VT_UI4 = 19,
  VT_ARRAY = 0x2000,
  VT_BYREF = 0x4000,
};

struct VARIANT {
  VARTYPE vt;
  WORD wReserved1;
  WORD wReserved2;
  WORD wReserved3;
  union {
    LONG lVal;
    BYTE bVal;
    SHORT iVal;
    ULONG ulVal;
    double dblVal;
    VARIANT_BOOL boolVal;
    SCODE scode;
    DATE date;
    BSTR bstrVal;
    IUnknown* punkVal;
    IDispatch* pdispVal;
    SAFEARRAY* parray;
    BYTE* pbVal;
    SHORT* piVal;
    LONG* plVal;
    ULONG* pulVal;
    double* pdblVal;
    VARIANT_BOOL* pboolVal;
    SCODE* pscode;
    DATE* pdate;
    BSTR* pbstrVal;
    IUnknown** ppunkVal;
    IDispatch** ppdispVal;
    SAFEARRAY** pparray;
    VARIANT* pvarVal;
    void* byref;
  };
};
using VARIANTARG = VARIANT;
using LPVARIANT = VARIANT*;
using LPVARIANTARG = VARIANT*;

// VT_EMPTY, the value zeroed.
void WINAPI VariantInit(VARIANTARG* value);
// Frees what the value owns (a BSTR, a reference on an interface; nothing for VT_BYREF)
// and leaves VT_EMPTY. DISP_E_BADVARTYPE, value unchanged, for a type it does not know.
HRESULT WINAPI VariantClear(VARIANTARG* value);
// Clears target, then copies source into it: a new BSTR, a new reference on an
// interface, the same pointer for VT_BYREF.
HRESULT WINAPI VariantCopy(VARIANTARG* target, const VARIANTARG* source);
