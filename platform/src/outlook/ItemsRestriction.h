// What Restrict keeps of a collection's entries: those that match the filter; in a
// collection that lists occurrences (sorted by [Start], IncludeRecurrences set), a
// series stands for its occurrences in the filter's [Start] window, each kept when
// it matches.
#pragma once

#include <memory>
#include <vector>

#include "outlook/ItemsEntry.h"
#include "outlook/OccurrenceMerge.h"
#include "store/ItemFilter.h"

namespace kelvra::outlook {

class ItemsRestriction {
 public:
  explicit ItemsRestriction(const store::ItemFilter& filter) : filter_(filter) {}

  // Appends the matching entries in the candidates' order.
  void Keep(const std::vector<ItemsEntry>& candidates, std::vector<ItemsEntry>& kept) const;
  // For a collection that lists occurrences: the matching entries and occurrences in
  // start order (equal starts in the candidates' order), the occurrences made as the
  // walk reaches them. E_INVALIDARG when a candidate is a series without an end and
  // the filter does not bound [Start] from above.
  HRESULT List(const std::vector<ItemsEntry>& candidates,
               std::unique_ptr<OccurrenceMerge>& listed) const;

 private:
  HRESULT AddOccurrences(const store::ItemPtr& series, OccurrenceMerge& merge) const;

  const store::ItemFilter& filter_;
};

}  // namespace kelvra::outlook
