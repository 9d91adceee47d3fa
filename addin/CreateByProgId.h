// Creating a COM object by its ProgID.
#pragma once

#include "com/com.h"
#include "com/objbase.h"

// The object of that ProgID through the smart pointer's interface, or a null pointer
// when the class is not registered or cannot be created (the caller decides whether
// that matters).
template <class Ptr>
Ptr CreateByProgId(const OLECHAR* progId) {
  Ptr object;
  CLSID clsid;
  if (SUCCEEDED(CLSIDFromProgID(progId, &clsid))) {
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, Ptr::GetIID(),
                     reinterpret_cast<void**>(&object));
  }
  return object;
}
