#include "outlook/ItemsEntry.h"

#include <limits>
#include <string>
#include <string_view>

#include "atl/OleSeconds.h"
#include "outlook/ItemAppointment.h"
#include "outlook/ItemObjects.h"
#include "outlook/OccurrenceAppointment.h"
#include "outlook/StoreAppointmentItem.h"
#include "store/Item.h"
#include "store/ItemType.h"

namespace kelvra::outlook {

namespace {

class EntryFields : public store::ItemFilter::Fields {
 public:
  explicit EntryFields(const AppointmentData& data) : data_(data) {}

  std::u16string Text(std::string_view property) const override {
    return data_.Get(property).AsText();
  }
  double Date(std::string_view property) const override {
    return property == "End" ? data_.End() : data_.Start();
  }

 private:
  const AppointmentData& data_;
};

}  // namespace

bool ItemsEntry::IsSeries() const {
  return !originalDate_ && item_->ItemType() == store::itemtype::kAppointment &&
         item_->Recurrence().has_value();
}

DATE ItemsEntry::Start() const { return View()->Start(); }

std::int64_t ItemsEntry::SortKey() const {
  return atl::OleSeconds::FromDate(Start()).value_or(std::numeric_limits<std::int64_t>::min());
}

bool ItemsEntry::Matches(const store::ItemFilter& filter) const {
  const std::unique_ptr<AppointmentData> view = View();
  return filter.Matches(EntryFields(*view));
}

HRESULT ItemsEntry::HandOut(IDispatch** object) const {
  if (!originalDate_) return ItemObjects::HandOut(item_, object);
  *object = StoreAppointmentItem::CreateOccurrence(item_, *originalDate_, true);
  return S_OK;
}

std::unique_ptr<AppointmentData> ItemsEntry::View() const {
  if (originalDate_) return std::make_unique<OccurrenceAppointment>(item_, *originalDate_, false);
  return std::make_unique<ItemAppointment>(item_);
}

}  // namespace kelvra::outlook
