#include "atl/ClassFactory.h"

namespace kelvra::atl {

STDMETHODIMP ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  return entry_.createInstance(outer, iid, object);
}

STDMETHODIMP ClassFactory::LockServer(BOOL lock) {
  if (ATL::_pAtlModule == nullptr) return E_UNEXPECTED;
  if (lock) {
    ATL::_pAtlModule->Lock();
  } else {
    ATL::_pAtlModule->Unlock();
  }
  return S_OK;
}

}  // namespace kelvra::atl
