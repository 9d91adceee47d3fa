// One member of an item collection: a store item, or one occurrence of a series
// known by its original start (in the series' wall clock).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "com/dispatch.h"
#include "com/variant.h"
#include "store/ItemFilter.h"
#include "store/Nodes.h"

namespace kelvra::outlook {

class AppointmentData;

class ItemsEntry {
 public:
  explicit ItemsEntry(store::ItemPtr item, std::optional<double> originalDate = std::nullopt)
      : item_(std::move(item)), originalDate_(originalDate) {}

  const store::ItemPtr& Item() const { return item_; }
  // A recurring appointment standing for itself, not for one of its occurrences.
  bool IsSeries() const;
  // The start as the object model shows it.
  DATE Start() const;
  // The start in whole seconds, for ordering by start; entries without one first.
  std::int64_t SortKey() const;
  bool Matches(const store::ItemFilter& filter) const;
  // The item's live object, or a new object of the occurrence; with a reference for
  // the caller.
  HRESULT HandOut(IDispatch** object) const;

 private:
  // What the object model reads: any item's properties, an appointment's times.
  std::unique_ptr<AppointmentData> View() const;

  store::ItemPtr item_;
  std::optional<double> originalDate_;
};

}  // namespace kelvra::outlook
