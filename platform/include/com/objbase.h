// The COM runtime's object creation: classes found by ProgID and made in process.
#pragma once

#include "com/bstr.h"
#include "com/unknwn.h"

#define CLSCTX_INPROC_SERVER 0x1

// Nothing to set up on this platform; S_OK.
HRESULT WINAPI CoInitialize(LPVOID reserved);
void WINAPI CoUninitialize();

// The class id registered for the ProgID (compared without regard to case);
// CO_E_CLASSSTRING, *clsid zeroed, for an unknown ProgID.
HRESULT WINAPI CLSIDFromProgID(LPCOLESTR progId, CLSID* clsid);

// A new object of the class, asked for iid. Only in-process classes exist: a context
// without CLSCTX_INPROC_SERVER or an unknown class id gives REGDB_E_CLASSNOTREG;
// aggregation (outer not NULL) CLASS_E_NOAGGREGATION; an interface the object lacks
// E_NOINTERFACE. *object is NULL on failure.
HRESULT WINAPI CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid,
                                LPVOID* object);

// A new GUID from the process's random source, which tests can make repeatable
// (testkit/Guid.h); E_POINTER for a NULL guid.
HRESULT WINAPI CoCreateGuid(GUID* guid);
