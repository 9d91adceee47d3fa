#include "atl/ComObjectRoot.h"

namespace ATL {

HRESULT CComObjectRootBase::InternalQueryInterface(void* object, const _ATL_INTMAP_ENTRY* entries,
                                                   REFIID iid, void** result) {
  if (result == nullptr) return E_POINTER;
  *result = nullptr;
  if (entries == nullptr || entries->piid == nullptr) return E_NOINTERFACE;
  IUnknown* found = nullptr;
  if (iid == IID_IUnknown) {
    found = entries->cast(object);
  } else {
    for (const _ATL_INTMAP_ENTRY* entry = entries; entry->piid != nullptr; ++entry) {
      if (*entry->piid == iid) {
        found = entry->cast(object);
        break;
      }
    }
  }
  if (found == nullptr) return E_NOINTERFACE;
  found->AddRef();
  *result = found;
  return S_OK;
}

}  // namespace ATL
