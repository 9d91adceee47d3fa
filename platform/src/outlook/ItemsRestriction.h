// What Restrict keeps of a collection's entries: those that match the filter; in a
// collection that lists occurrences (sorted by [Start], IncludeRecurrences set), a
// series stands for its occurrences in the filter's [Start] window, each kept when
// it matches.
#pragma once

#include <vector>

#include "outlook/ItemsEntry.h"
#include "store/ItemFilter.h"

namespace kelvra::outlook {

class ItemsRestriction {
 public:
  ItemsRestriction(const store::ItemFilter& filter, bool listOccurrences)
      : filter_(filter), listOccurrences_(listOccurrences) {}

  // Appends the kept entries in the candidates' order (a series' occurrences in no
  // particular order). E_INVALIDARG when a candidate is a series without an end
  // and the filter does not bound [Start] from above.
  HRESULT Keep(const std::vector<ItemsEntry>& candidates, std::vector<ItemsEntry>& kept) const;

 private:
  HRESULT KeepOccurrences(const store::ItemPtr& series, std::vector<ItemsEntry>& kept) const;

  const store::ItemFilter& filter_;
  bool listOccurrences_;
};

}  // namespace kelvra::outlook
