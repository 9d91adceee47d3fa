#include "mapi/MapiFolder.h"

#include "mapi/MapiTable.h"
#include "store/FaultPlan.h"
#include "store/Folder.h"

namespace kelvra::mapi {

STDMETHODIMP MapiFolder::GetContentsTable(ULONG, LPMAPITABLE* table) {
  HRESULT hr = S_OK;
  if (store::FaultPlan::Hit("IMAPIFolder.GetContentsTable", &hr)) return hr;
  if (table == nullptr) return MAPI_E_INVALID_PARAMETER;
  *table = new MapiTable(folder_->Items());
  (*table)->AddRef();
  return S_OK;
}

}  // namespace kelvra::mapi
