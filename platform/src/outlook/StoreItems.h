// The items of a folder, read from the folder at every call; or, for the result of
// Restrict, the items (and occurrences) that matched at that moment. A collection
// sorted by [Start] shows its entries in that order.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "outlook/Items.h"
#include "outlook/ItemsEntry.h"
#include "outlook/OccurrenceMerge.h"
#include "outlook/StandInObject.h"
#include "store/ItemFilter.h"
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
  STDMETHODIMP raw_Sort(BSTR property, VARIANT descending) override;
  STDMETHODIMP get_IncludeRecurrences(VARIANT_BOOL* value) override;
  STDMETHODIMP put_IncludeRecurrences(VARIANT_BOOL value) override;
  STDMETHODIMP raw_GetFirst(IDispatch** item) override;
  STDMETHODIMP raw_GetNext(IDispatch** item) override;

 private:
  // How a collection orders its items and whether it lists occurrences.
  struct View {
    bool sortedByStart = false;
    bool descending = false;
    bool includeRecurrences = false;
  };

  using Entries = std::vector<ItemsEntry>;

  StoreItems(store::FolderPtr folder, std::optional<Entries> snapshot, View view,
             std::unique_ptr<OccurrenceMerge> pending = nullptr)
      : folder_(std::move(folder)),
        snapshot_(std::move(snapshot)),
        view_(view),
        pending_(std::move(pending)) {}

  // The entries in the collection's order.
  Entries CurrentEntries() const;
  void Order(Entries& entries) const;
  // Outlook heeds IncludeRecurrences only in a collection sorted by [Start].
  bool ListsOccurrences() const { return view_.includeRecurrences && view_.sortedByStart; }
  // What Restrict looks at, in the collection's order: when the filter has a text
  // "=" condition, the folder's items with that text (a series also when one of
  // its occurrences has it), unless occurrences are listed without an upper bound
  // on [Start]; else every entry.
  Entries Candidates(const store::ItemFilter& filter) const;
  // Hands out the walk's next item, or NULL past its end.
  HRESULT Step(IDispatch** item);
  // A restricted collection's entry at that place, made from the pending
  // occurrences when the walk first reaches it; null past the end.
  const ItemsEntry* SnapshotAt(std::size_t position);
  // Makes every pending entry, for what needs them all (Count, Item, a descending
  // order, a further Restrict).
  void Drain();

  store::FolderPtr folder_;
  // Set for a restricted collection: what matched when it was made, in order; in
  // one that lists occurrences, the part made so far.
  std::optional<Entries> snapshot_;
  View view_;
  // The rest of a restricted collection that lists occurrences.
  std::unique_ptr<OccurrenceMerge> pending_;
  // The walk of GetFirst/GetNext over a folder's items: the entries when it started.
  // A restricted collection walks its snapshot. next_ is the walk's next place.
  std::optional<Entries> walk_;
  std::size_t next_ = 0;
};

}  // namespace kelvra::outlook
