#include "outlook/OccurrenceMerge.h"

#include <utility>

namespace kelvra::outlook {

void OccurrenceMerge::Add(ItemsEntry entry) {
  const std::int64_t key = entry.SortKey();
  heads_.push({key, ranks_++, std::move(entry), std::nullopt});
}

void OccurrenceMerge::Add(store::ItemPtr series, SeriesOccurrences occurrences) {
  streams_.push_back({std::move(series), std::move(occurrences), ranks_++});
  Advance(streams_.size() - 1);
}

std::optional<ItemsEntry> OccurrenceMerge::Next() {
  if (heads_.empty()) return std::nullopt;
  Head head = heads_.top();
  heads_.pop();
  if (head.stream) Advance(*head.stream);
  return std::move(head.entry);
}

void OccurrenceMerge::Advance(std::size_t index) {
  Stream& stream = streams_[index];
  while (const std::optional<double> original = stream.occurrences.NextPlaced()) {
    ItemsEntry occurrence(stream.series, *original);
    if (!occurrence.Matches(filter_)) continue;
    const std::int64_t key = occurrence.SortKey();
    heads_.push({key, stream.rank, std::move(occurrence), index});
    return;
  }
}

}  // namespace kelvra::outlook
