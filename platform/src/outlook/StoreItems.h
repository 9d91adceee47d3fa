// The items of a folder, read from the folder at every call.
#pragma once

#include "outlook/Items.h"
#include "outlook/StandInObject.h"
#include "store/Nodes.h"

namespace kelvra::outlook {

class StoreItems : public StandInObject<Outlook::_Items> {
 public:
  // A new collection with a reference for the caller. A null folder (a store's root
  // folder) has no items and takes none.
  static Outlook::_Items* Create(store::FolderPtr folder);

  STDMETHODIMP get_Count(long* count) override;
  STDMETHODIMP raw_Item(VARIANT index, IDispatch** item) override;
  STDMETHODIMP raw_Add(VARIANT type, IDispatch** item) override;

 private:
  explicit StoreItems(store::FolderPtr folder) : folder_(std::move(folder)) {}

  store::FolderPtr folder_;
};

}  // namespace kelvra::outlook
