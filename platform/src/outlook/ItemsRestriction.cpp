#include "outlook/ItemsRestriction.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "atl/OleSeconds.h"
#include "outlook/SeriesOccurrences.h"
#include "store/Item.h"

namespace kelvra::outlook {

namespace {

constexpr std::int64_t kMinutesPerDay = 1440;
// Local days and the series' own days differ by less than this.
constexpr std::int64_t kZoneMarginDays = 2;
constexpr std::int64_t kFirstOleDay = atl::OleSeconds::kMin / 86400;
constexpr std::int64_t kLastOleDay = atl::OleSeconds::kMax / 86400;

std::int64_t DayOfMinute(std::int64_t minute) {
  return minute / kMinutesPerDay - (minute % kMinutesPerDay < 0 ? 1 : 0);
}

}  // namespace

void ItemsRestriction::Keep(const std::vector<ItemsEntry>& candidates,
                            std::vector<ItemsEntry>& kept) const {
  for (const ItemsEntry& entry : candidates) {
    if (entry.Matches(filter_)) kept.push_back(entry);
  }
}

HRESULT ItemsRestriction::List(const std::vector<ItemsEntry>& candidates,
                               std::unique_ptr<OccurrenceMerge>& listed) const {
  auto merge = std::make_unique<OccurrenceMerge>(filter_);
  for (const ItemsEntry& entry : candidates) {
    if (entry.IsSeries()) {
      const HRESULT added = AddOccurrences(entry.Item(), *merge);
      if (FAILED(added)) return added;
    } else if (entry.Matches(filter_)) {
      merge->Add(entry);
    }
  }
  listed = std::move(merge);
  return S_OK;
}

HRESULT ItemsRestriction::AddOccurrences(const store::ItemPtr& series,
                                         OccurrenceMerge& merge) const {
  const std::optional<store::RecurrencePattern> pattern = series->Recurrence();
  if (!pattern.has_value()) return S_OK;
  const store::ItemFilter::Window window = filter_.StartWindow();
  std::int64_t lastDay = kLastOleDay;
  if (window.last) {
    lastDay = DayOfMinute(*window.last) + kZoneMarginDays;
  } else if (pattern->noEndDate) {
    return E_INVALIDARG;
  }
  const std::int64_t firstDay =
      window.first ? DayOfMinute(*window.first) - kZoneMarginDays : kFirstOleDay;
  SeriesOccurrences occurrences(*series, firstDay, lastDay);
  const std::vector<double> moved = occurrences.Moved();
  merge.Add(series, std::move(occurrences));
  for (const double original : moved) {
    ItemsEntry occurrence(series, original);
    if (occurrence.Matches(filter_)) merge.Add(std::move(occurrence));
  }
  return S_OK;
}

}  // namespace kelvra::outlook
