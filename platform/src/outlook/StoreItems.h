// The items of a folder, read from the folder at every call; or, for the result of
// Restrict, the items that matched at that moment.
#pragma once

#include <optional>
#include <vector>

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
  STDMETHODIMP raw_Restrict(BSTR filter, Outlook::_Items** items) override;

 private:
  StoreItems(store::FolderPtr folder, std::optional<std::vector<store::ItemPtr>> snapshot)
      : folder_(std::move(folder)), snapshot_(std::move(snapshot)) {}

  std::vector<store::ItemPtr> CurrentItems() const;

  store::FolderPtr folder_;
  // Set for a restricted collection: what matched when it was made.
  std::optional<std::vector<store::ItemPtr>> snapshot_;
};

}  // namespace kelvra::outlook
