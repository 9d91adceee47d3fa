// A folder of a store, opened by its entry id: its contents table.
#pragma once

#include "com/ComObject.h"
#include "mapi/MapiObjectCount.h"
#include "mapi/mapix.h"
#include "store/Nodes.h"

namespace kelvra::mapi {

class MapiFolder : public ComObject<IMAPIFolder>, private MapiObjectCount {
 public:
  explicit MapiFolder(store::FolderPtr folder) : folder_(std::move(folder)) {}

  // The folder's own properties are not served.
  STDMETHODIMP GetProps(LPSPropTagArray, ULONG, ULONG*, LPSPropValue*) override {
    return MAPI_E_NO_SUPPORT;
  }
  STDMETHODIMP GetContentsTable(ULONG flags, LPMAPITABLE* table) override;

 private:
  store::FolderPtr folder_;
};

}  // namespace kelvra::mapi
