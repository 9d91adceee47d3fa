// The ATL module of an in-process server: its lock count, its object map (the classes
// that OBJECT_ENTRY_AUTO lists) and the four server entry points built on them.
//
//   class CShapesModule : public ATL::CAtlDllModuleT<CShapesModule> {
//    public:
//     DECLARE_LIBID(LIBID_Shapes)
//   };
//   CShapesModule _AtlModule;
//   STDAPI DllCanUnloadNow() { return _AtlModule.DllCanUnloadNow(); }
//
// The registry scripts that classes name by resource id (DECLARE_REGISTRY_RESOURCEID)
// are looked up among the scripts registered with RegistryScriptResource; "%MODULE%" in
// them is the file name of the module that _AtlBaseModule names.
#pragma once

#include <atomic>
#include <string_view>

#include "com/unknwn.h"

#define STDAPI extern "C" HRESULT STDMETHODCALLTYPE
#define ATL_NO_VTABLE

namespace ATL {

// The module's instance handle: where its resources and its file name come from. The
// DLL entry sets it (SetResourceInstance) from the handle it is given; NULL, the default,
// stands for the host program.
class CAtlBaseModule {
 public:
  HINSTANCE GetModuleInstance() const noexcept { return m_hInst; }
  HINSTANCE GetResourceInstance() const noexcept { return m_hInst; }
  HINSTANCE SetResourceInstance(HINSTANCE instance) noexcept;

  // Set when the module's own set-up failed; the DLL entry then refuses the load.
  bool m_bInitFailed = false;

 private:
  std::atomic<HINSTANCE> m_hInst{nullptr};
};

extern CAtlBaseModule _AtlBaseModule;

class CAtlModule {
 public:
  CAtlModule() noexcept;
  virtual ~CAtlModule();
  CAtlModule(const CAtlModule&) = delete;
  CAtlModule& operator=(const CAtlModule&) = delete;

  // Each returns the new count.
  LONG Lock() noexcept { return ++m_nLockCnt; }
  LONG Unlock() noexcept { return --m_nLockCnt; }
  LONG GetLockCount() const noexcept { return m_nLockCnt.load(); }

  // Applies (bRegister TRUE) or removes the registry script with that resource id,
  // "%MODULE%" replaced by the module's file name. DISP_E_EXCEPTION for a script that
  // is malformed; HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND) for a missing one.
  HRESULT UpdateRegistryFromResource(UINT id, BOOL bRegister);

  // The class factory of an object-map class; CLASS_E_CLASSNOTAVAILABLE for another.
  HRESULT GetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object);
  // Every object-map class's script, then (when asked) the type library of m_libid.
  // The first failure is returned.
  HRESULT RegisterServer(BOOL bRegTypeLib);
  HRESULT UnregisterServer(BOOL bUnRegTypeLib);

  static GUID m_libid;

 protected:
  std::atomic<LONG> m_nLockCnt{0};
};

// The module object of the process (the last one constructed), or NULL.
extern CAtlModule* _pAtlModule;

template <class T>
class CAtlModuleT : public CAtlModule {
 public:
  CAtlModuleT() noexcept { T::InitLibId(); }
  static void InitLibId() noexcept {}
};

template <class T>
class CAtlDllModuleT : public CAtlModuleT<T> {
 public:
  BOOL WINAPI DllMain(DWORD reason, LPVOID /*reserved*/) noexcept {
    return reason == 1 /*DLL_PROCESS_ATTACH*/ && _AtlBaseModule.m_bInitFailed ? FALSE : TRUE;
  }
  HRESULT DllCanUnloadNow() noexcept { return this->GetLockCount() == 0 ? S_OK : S_FALSE; }
  HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
    return this->GetClassObject(clsid, iid, object);
  }
  HRESULT DllRegisterServer(BOOL bRegTypeLib = TRUE) { return this->RegisterServer(bRegTypeLib); }
  HRESULT DllUnregisterServer(BOOL bUnRegTypeLib = TRUE) {
    return this->UnregisterServer(bUnRegTypeLib);
  }
};

}  // namespace ATL

// The library id of the module's type library.
#define DECLARE_LIBID(libid) \
  static void InitLibId() noexcept { ::ATL::CAtlModule::m_libid = libid; }

namespace kelvra::atl {

// One class of the object map.
struct ObjectEntry {
  const CLSID* clsid;
  HRESULT (*updateRegistry)(BOOL bRegister);
  HRESULT (*createInstance)(IUnknown* outer, REFIID iid, void** object);
};

// Lists the class in the process's object map while it exists (a static object of the
// module, made by OBJECT_ENTRY_AUTO).
class ObjectEntryRegistration {
 public:
  explicit ObjectEntryRegistration(const ObjectEntry& entry);
  ~ObjectEntryRegistration();
  ObjectEntryRegistration(const ObjectEntryRegistration&) = delete;
  ObjectEntryRegistration& operator=(const ObjectEntryRegistration&) = delete;

 private:
  ObjectEntry entry_;
};

// A registry script resource (the text of an .rgs file) of the module, by resource id,
// known while the object exists. The text is not copied.
class RegistryScriptResource {
 public:
  RegistryScriptResource(UINT id, std::string_view script);
  ~RegistryScriptResource();
  RegistryScriptResource(const RegistryScriptResource&) = delete;
  RegistryScriptResource& operator=(const RegistryScriptResource&) = delete;

 private:
  UINT id_;
};

}  // namespace kelvra::atl

#define KELVRA_ATL_CONCAT2(a, b) a##b
#define KELVRA_ATL_CONCAT(a, b) KELVRA_ATL_CONCAT2(a, b)

// Lists class (a CComCoClass) in the module's object map under clsid.
#define OBJECT_ENTRY_AUTO(clsid, class)                            \
  static ::kelvra::atl::ObjectEntryRegistration KELVRA_ATL_CONCAT( \
      kelvraObjectEntry_, __LINE__)(::kelvra::atl::ObjectEntry{    \
      &(clsid), &class ::UpdateRegistry, &class ::_CreatorClass::CreateInstance});
