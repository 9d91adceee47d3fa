// SAFEARRAY, the self-describing array of OLE automation: one-dimensional vectors
// of VARIANT, VT_UI1, VT_I2, VT_I4, VT_R8, VT_DATE or VT_BSTR elements.
#pragma once

#include "com/variant.h"

#define DISP_E_BADINDEX static_cast<HRESULT>(0x8002000Bu)
#define DISP_E_ARRAYISLOCKED static_cast<HRESULT>(0x8002000Du)
#ifndef E_UNEXPECTED
#define E_UNEXPECTED static_cast<HRESULT>(0x8000FFFFu)
#endif

#define FADF_HAVEVARTYPE 0x0080
#define FADF_BSTR 0x0100
#define FADF_VARIANT 0x0800

struct SAFEARRAYBOUND {
  ULONG cElements;
  LONG lLbound;
};
using LPSAFEARRAYBOUND = SAFEARRAYBOUND*;

struct SAFEARRAY {
  USHORT cDims;
  USHORT fFeatures;
  ULONG cbElements;
  ULONG cLocks;
  PVOID pvData;
  SAFEARRAYBOUND rgsabound[1];
};
using LPSAFEARRAY = SAFEARRAY*;

// A vector of elements elements of type type (zeroed: VT_EMPTY variants, NULL
// strings) indexed from lowerBound; NULL for an element type it does not hold.
SAFEARRAY* WINAPI SafeArrayCreateVector(VARTYPE type, LONG lowerBound, ULONG elements);
// Frees the elements (clearing variants, freeing strings) and the array; NULL is
// S_OK. DISP_E_ARRAYISLOCKED while its data is accessed.
HRESULT WINAPI SafeArrayDestroy(SAFEARRAY* array);
// A deep copy (new strings, variants copied with VariantCopy).
HRESULT WINAPI SafeArrayCopy(SAFEARRAY* array, SAFEARRAY** copy);

// Copy an element in or out: a VARIANT or BSTR element is copied (the caller keeps
// what it passed and owns what it receives). DISP_E_BADINDEX outside the bounds.
HRESULT WINAPI SafeArrayPutElement(SAFEARRAY* array, LONG* indices, void* element);
HRESULT WINAPI SafeArrayGetElement(SAFEARRAY* array, LONG* indices, void* element);

// The elements in place; each AccessData needs its UnaccessData (E_UNEXPECTED when
// none is pending).
HRESULT WINAPI SafeArrayAccessData(SAFEARRAY* array, void** data);
HRESULT WINAPI SafeArrayUnaccessData(SAFEARRAY* array);

// Dimensions count from 1; DISP_E_BADINDEX for another dimension.
UINT WINAPI SafeArrayGetDim(SAFEARRAY* array);
HRESULT WINAPI SafeArrayGetLBound(SAFEARRAY* array, UINT dimension, LONG* bound);
HRESULT WINAPI SafeArrayGetUBound(SAFEARRAY* array, UINT dimension, LONG* bound);
UINT WINAPI SafeArrayGetElemsize(SAFEARRAY* array);
HRESULT WINAPI SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* type);
