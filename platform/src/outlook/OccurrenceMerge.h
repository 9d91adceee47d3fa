// What a collection that lists occurrences holds after Restrict: entries in start
// order, merged from single entries known to match and from series whose
// occurrences are made and matched only as the walk reaches them. Between equal
// starts the order in which they were added decides.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <queue>
#include <vector>

#include "outlook/ItemsEntry.h"
#include "outlook/SeriesOccurrences.h"
#include "store/ItemFilter.h"
#include "store/Nodes.h"

namespace kelvra::outlook {

class OccurrenceMerge {
 public:
  explicit OccurrenceMerge(store::ItemFilter filter) : filter_(std::move(filter)) {}

  void Add(ItemsEntry entry);
  // The occurrences the pattern places; the changed ones are added as entries.
  void Add(store::ItemPtr series, SeriesOccurrences occurrences);
  // The entry of the earliest start not handed out yet; nullopt past the last.
  std::optional<ItemsEntry> Next();

 private:
  struct Stream {
    store::ItemPtr series;
    SeriesOccurrences occurrences;
    std::size_t rank;
  };
  struct Head {
    std::int64_t key;
    std::size_t rank;
    ItemsEntry entry;
    std::optional<std::size_t> stream;
  };
  struct Later {
    bool operator()(const Head& a, const Head& b) const {
      return a.key != b.key ? a.key > b.key : a.rank > b.rank;
    }
  };

  // Puts the stream's next matching occurrence among the heads.
  void Advance(std::size_t stream);

  store::ItemFilter filter_;
  std::vector<Stream> streams_;
  std::priority_queue<Head, std::vector<Head>, Later> heads_;
  std::size_t ranks_ = 0;
};

}  // namespace kelvra::outlook
