#include "outlook/ItemsRestriction.h"

#include <cstdint>
#include <optional>

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

HRESULT ItemsRestriction::Keep(const std::vector<ItemsEntry>& candidates,
                               std::vector<ItemsEntry>& kept) const {
  for (const ItemsEntry& entry : candidates) {
    if (listOccurrences_ && entry.IsSeries()) {
      const HRESULT listed = KeepOccurrences(entry.Item(), kept);
      if (FAILED(listed)) return listed;
    } else if (entry.Matches(filter_)) {
      kept.push_back(entry);
    }
  }
  return S_OK;
}

HRESULT ItemsRestriction::KeepOccurrences(const store::ItemPtr& series,
                                          std::vector<ItemsEntry>& kept) const {
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
  for (const double original : SeriesOccurrences::Between(*series, firstDay, lastDay)) {
    ItemsEntry occurrence(series, original);
    if (occurrence.Matches(filter_)) kept.push_back(std::move(occurrence));
  }
  return S_OK;
}

}  // namespace kelvra::outlook
