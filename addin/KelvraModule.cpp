// The add-in module as a COM in-process server: its ATL module object, the DLL entry
// and the four exports that Outlook (and regsvr32) call.
#include "addin/Application.h"
#include "addin/CConnect.h"
#include "addin/ComBoundary.h"
#include "addin/ThreadLocaleScope.h"
#include "atl/atlbase.h"
#include "win32/export.h"
#include "win32/module.h"

namespace {

class CKelvraModule : public ATL::CAtlDllModuleT<CKelvraModule> {
 public:
  DECLARE_LIBID(LIBID_KelvraLib)
};

CKelvraModule _AtlModule;

}  // namespace

OBJECT_ENTRY_AUTO(CLSID_Connect, CConnect)

// The four server entry points and DllMain are the module's exports.

// Keeps the instance for every resource load; "%MODULE%" in the registry script is the
// file name of this instance.
extern "C" KELVRA_DLL_EXPORT BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason,
                                                 LPVOID reserved) {
  g_hInstance = instance;
  ATL::_AtlBaseModule.SetResourceInstance(instance);
  BOOL result = FALSE;
  EventBoundary("DllMain", [&] { result = _AtlModule.DllMain(reason, reserved); });
  return result;
}

extern "C" KELVRA_DLL_EXPORT HRESULT STDMETHODCALLTYPE DllCanUnloadNow() {
  return ComBoundary("DllCanUnloadNow", [] { return _AtlModule.DllCanUnloadNow(); });
}

extern "C" KELVRA_DLL_EXPORT HRESULT STDMETHODCALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid,
                                                                         LPVOID* object) {
  return ComBoundary("DllGetClassObject",
                     [&] { return _AtlModule.DllGetClassObject(clsid, iid, object); });
}

// Registration texts must not depend on the user's locale.
extern "C" KELVRA_DLL_EXPORT HRESULT STDMETHODCALLTYPE DllRegisterServer() {
  return ComBoundary("DllRegisterServer", [] {
    ThreadLocaleScope locale(LOCALE_SYSTEM_DEFAULT);
    return _AtlModule.DllRegisterServer();
  });
}

extern "C" KELVRA_DLL_EXPORT HRESULT STDMETHODCALLTYPE DllUnregisterServer() {
  return ComBoundary("DllUnregisterServer", [] {
    ThreadLocaleScope locale(LOCALE_SYSTEM_DEFAULT);
    return _AtlModule.DllUnregisterServer();
  });
}
