#include "atl/AtlModule.h"

#include <string>

#include "atl/ClassFactory.h"
#include "atl/ObjectMap.h"
#include "atl/statreg.h"
#include "com/TypeLibrary.h"
#include "win32/module.h"
#include "win32/nls.h"

namespace ATL {

CAtlBaseModule _AtlBaseModule;
CAtlModule* _pAtlModule = nullptr;
GUID CAtlModule::m_libid{};

namespace {

std::string ModuleFileName() {
  char path[2048];
  const DWORD length = GetModuleFileNameA(_AtlBaseModule.GetModuleInstance(), path, sizeof path);
  return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

std::u16string Wide(std::string_view text) {
  if (text.empty()) return std::u16string();
  const int length =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::u16string result(static_cast<std::size_t>(length > 0 ? length : 0), u'\0');
  if (length > 0) {
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(),
                        length);
  }
  return result;
}

}  // namespace

HINSTANCE CAtlBaseModule::SetResourceInstance(HINSTANCE instance) noexcept {
  return m_hInst.exchange(instance);
}

CAtlModule::CAtlModule() noexcept { _pAtlModule = this; }

CAtlModule::~CAtlModule() {
  if (_pAtlModule == this) _pAtlModule = nullptr;
}

HRESULT CAtlModule::UpdateRegistryFromResource(UINT id, BOOL bRegister) {
  const auto script = kelvra::atl::ObjectMap::Instance().Script(id);
  if (!script) return HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND);
  const std::u16string module = Wide(ModuleFileName());
  CRegObject registrar;
  registrar.AddReplacement(u"Module", module.c_str());
  registrar.AddReplacement(u"Module_Raw", module.c_str());
  const std::u16string text = Wide(*script);
  return bRegister ? registrar.StringRegister(text.c_str())
                   : registrar.StringUnregister(text.c_str());
}

HRESULT CAtlModule::GetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  const auto entry = kelvra::atl::ObjectMap::Instance().Find(clsid);
  if (!entry) return CLASS_E_CLASSNOTAVAILABLE;
  auto* factory = new kelvra::atl::ClassFactory(*entry);
  factory->AddRef();
  const HRESULT answered = factory->QueryInterface(iid, object);
  factory->Release();
  return answered;
}

HRESULT CAtlModule::RegisterServer(BOOL bRegTypeLib) {
  for (const kelvra::atl::ObjectEntry& entry : kelvra::atl::ObjectMap::Instance().Entries()) {
    const HRESULT registered = entry.updateRegistry(TRUE);
    if (FAILED(registered)) return registered;
  }
  if (!bRegTypeLib || m_libid == GUID_NULL) return S_OK;
  return kelvra::typelib::Register(m_libid, ModuleFileName().c_str());
}

HRESULT CAtlModule::UnregisterServer(BOOL bUnRegTypeLib) {
  for (const kelvra::atl::ObjectEntry& entry : kelvra::atl::ObjectMap::Instance().Entries()) {
    const HRESULT removed = entry.updateRegistry(FALSE);
    if (FAILED(removed)) return removed;
  }
  if (!bUnRegTypeLib || m_libid == GUID_NULL) return S_OK;
  return kelvra::typelib::Unregister(m_libid);
}

}  // namespace ATL
