#include <string_view>

#include "com/ClassRegistry.h"
#include "com/objbase.h"

using kelvra::com::ClassRegistry;

HRESULT WINAPI CoInitialize(LPVOID) { return S_OK; }

void WINAPI CoUninitialize() {}

HRESULT WINAPI CLSIDFromProgID(LPCOLESTR progId, CLSID* clsid) {
  if (clsid == nullptr) return E_INVALIDARG;
  if (progId == nullptr) {
    *clsid = CLSID{};
    return CO_E_CLASSSTRING;
  }
  return ClassRegistry::Instance().ClassOf(std::u16string_view(progId), clsid);
}

HRESULT WINAPI CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid,
                                LPVOID* object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  if ((context & CLSCTX_INPROC_SERVER) == 0) return REGDB_E_CLASSNOTREG;
  return ClassRegistry::Instance().Create(clsid, iid, object);
}
