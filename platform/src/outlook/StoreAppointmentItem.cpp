#include "outlook/StoreAppointmentItem.h"

#include <cstdint>

#include "outlook/AppointmentZone.h"
#include "outlook/CallGate.h"
#include "outlook/FolderRef.h"
#include "outlook/ItemAppointment.h"
#include "outlook/ObjectCache.h"
#include "outlook/OccurrenceAppointment.h"
#include "outlook/OutParam.h"
#include "outlook/RecurrenceRules.h"
#include "outlook/StoreFolder.h"
#include "outlook/StoreRecipients.h"
#include "outlook/StoreRecurrencePattern.h"
#include "store/Folder.h"
#include "store/HexText.h"
#include "store/Item.h"

namespace kelvra::outlook {

namespace {

ObjectCache<StoreAppointmentItem>& Cache() {
  static auto* cache = new ObjectCache<StoreAppointmentItem>;
  return *cache;
}

// Enters the member's gate, then runs body.
template <class Body>
HRESULT Guarded(const char* member, Body body) {
  const HRESULT entered = CallGate::Enter(member);
  if (FAILED(entered)) return entered;
  return body();
}

VARIANT_BOOL AsVariantBool(bool flag) { return flag ? VARIANT_TRUE : VARIANT_FALSE; }

bool InRange(long value, long low, long high) { return value >= low && value <= high; }

bool IsMeetingStatus(long value) {
  switch (value) {
    case Outlook::olNonMeeting:
    case Outlook::olMeeting:
    case Outlook::olMeetingReceived:
    case Outlook::olMeetingCanceled:
    case Outlook::olMeetingReceivedAndCanceled:
      return true;
    default:
      return false;
  }
}

// The pattern a single appointment becomes, from its start in its own wall clock.
void MakeRecurring(const store::ItemPtr& item, const AppointmentData& data) {
  const double start = AppointmentZone(*item).ToZone(data.Start());
  item->SetRecurrence(
      RecurrenceRules::NewPattern(start, static_cast<std::int32_t>(data.Duration())));
}

}  // namespace

Outlook::_AppointmentItem* StoreAppointmentItem::Acquire(store::ItemPtr item) {
  const void* key = item.get();
  return Cache().Acquire(key, [&] {
    return new StoreAppointmentItem(std::make_unique<ItemAppointment>(std::move(item)), true);
  });
}

Outlook::_AppointmentItem* StoreAppointmentItem::CreateOccurrence(store::ItemPtr series,
                                                                  double originalDate,
                                                                  bool writable) {
  auto* occurrence = new StoreAppointmentItem(
      std::make_unique<OccurrenceAppointment>(std::move(series), originalDate, writable), false);
  occurrence->AddRef();
  return occurrence;
}

StoreAppointmentItem::~StoreAppointmentItem() {
  if (cached_) Cache().Forget(data_->Series().get(), this);
}

STDMETHODIMP StoreAppointmentItem::get_Start(DATE* value) {
  return Guarded("AppointmentItem.Start", [&] { return HandOutValue(value, data_->Start()); });
}

STDMETHODIMP StoreAppointmentItem::put_Start(DATE value) {
  return Guarded("AppointmentItem.Start", [&] { return data_->SetStart(value); });
}

STDMETHODIMP StoreAppointmentItem::get_End(DATE* value) {
  return Guarded("AppointmentItem.End", [&] { return HandOutValue(value, data_->End()); });
}

STDMETHODIMP StoreAppointmentItem::put_End(DATE value) {
  return Guarded("AppointmentItem.End", [&] { return data_->SetEnd(value); });
}

STDMETHODIMP StoreAppointmentItem::get_Duration(long* value) {
  return Guarded("AppointmentItem.Duration",
                 [&] { return HandOutValue(value, data_->Duration()); });
}

STDMETHODIMP StoreAppointmentItem::put_Duration(long value) {
  return Guarded("AppointmentItem.Duration", [&] { return data_->SetDuration(value); });
}

HRESULT StoreAppointmentItem::GetText(const char* member, std::string_view name, BSTR* value) {
  return Guarded(member, [&] { return HandOutText(value, data_->Get(name).AsText()); });
}

HRESULT StoreAppointmentItem::PutText(const char* member, std::string_view name, BSTR value) {
  return Guarded(member, [&] { return data_->Set(name, store::Value::Text(TextOf(value))); });
}

template <class Value>
HRESULT StoreAppointmentItem::GetLong(const char* member, std::string_view name, Value* value) {
  return Guarded(
      member, [&] { return HandOutValue(value, static_cast<Value>(data_->Get(name).AsLong())); });
}

HRESULT StoreAppointmentItem::PutLong(const char* member, std::string_view name, long value,
                                      bool valid) {
  return Guarded(member, [&] {
    if (!valid) return E_INVALIDARG;
    return data_->Set(name, store::Value::Long(static_cast<std::int32_t>(value)));
  });
}

HRESULT StoreAppointmentItem::GetBool(const char* member, std::string_view name,
                                      VARIANT_BOOL* value) {
  return Guarded(member,
                 [&] { return HandOutValue(value, AsVariantBool(data_->Get(name).AsBool())); });
}

HRESULT StoreAppointmentItem::PutBool(const char* member, std::string_view name,
                                      VARIANT_BOOL value) {
  return Guarded(member,
                 [&] { return data_->Set(name, store::Value::Bool(value != VARIANT_FALSE)); });
}

#define KELVRA_DEFINE_TEXT(Name)                               \
  STDMETHODIMP StoreAppointmentItem::get_##Name(BSTR* value) { \
    return GetText("AppointmentItem." #Name, #Name, value);    \
  }                                                            \
  STDMETHODIMP StoreAppointmentItem::put_##Name(BSTR value) {  \
    return PutText("AppointmentItem." #Name, #Name, value);    \
  }
#define KELVRA_DEFINE_LONG(Type, Name, validity)                      \
  STDMETHODIMP StoreAppointmentItem::get_##Name(Type* value) {        \
    return GetLong("AppointmentItem." #Name, #Name, value);           \
  }                                                                   \
  STDMETHODIMP StoreAppointmentItem::put_##Name(Type value) {         \
    return PutLong("AppointmentItem." #Name, #Name, value, validity); \
  }
#define KELVRA_DEFINE_BOOL(Name)                                       \
  STDMETHODIMP StoreAppointmentItem::get_##Name(VARIANT_BOOL* value) { \
    return GetBool("AppointmentItem." #Name, #Name, value);            \
  }                                                                    \
  STDMETHODIMP StoreAppointmentItem::put_##Name(VARIANT_BOOL value) {  \
    return PutBool("AppointmentItem." #Name, #Name, value);            \
  }

KELVRA_OUTLOOK_APPOINTMENT_TEXT_PROPERTIES(KELVRA_DEFINE_TEXT)
KELVRA_DEFINE_BOOL(AllDayEvent)
KELVRA_DEFINE_BOOL(ReminderSet)
KELVRA_DEFINE_LONG(Outlook::OlBusyStatus, BusyStatus,
                   InRange(value, Outlook::olFree, Outlook::olOutOfOffice))
KELVRA_DEFINE_LONG(Outlook::OlImportance, Importance,
                   InRange(value, Outlook::olImportanceLow, Outlook::olImportanceHigh))
KELVRA_DEFINE_LONG(Outlook::OlSensitivity, Sensitivity,
                   InRange(value, Outlook::olNormal, Outlook::olConfidential))
KELVRA_DEFINE_LONG(long, ReminderMinutesBeforeStart, InRange(value, 0, INT32_MAX))
KELVRA_DEFINE_LONG(Outlook::OlMeetingStatus, MeetingStatus, IsMeetingStatus(value))

#undef KELVRA_DEFINE_TEXT
#undef KELVRA_DEFINE_LONG
#undef KELVRA_DEFINE_BOOL

STDMETHODIMP StoreAppointmentItem::get_IsRecurring(VARIANT_BOOL* value) {
  return Guarded("AppointmentItem.IsRecurring",
                 [&] { return HandOutValue(value, AsVariantBool(data_->IsRecurring())); });
}

STDMETHODIMP StoreAppointmentItem::get_Recipients(Outlook::Recipients** value) {
  return Guarded("AppointmentItem.Recipients", [&] {
    return HandOutObject(value, [&] { return StoreRecipients::CreateOutlook(data_->Series()); });
  });
}

STDMETHODIMP StoreAppointmentItem::raw_GetRecurrencePattern(Outlook::RecurrencePattern** value) {
  return Guarded("AppointmentItem.GetRecurrencePattern", [&] {
    if (value == nullptr) return E_POINTER;
    const store::ItemPtr& series = data_->Series();
    if (!series->Recurrence().has_value()) MakeRecurring(series, *data_);
    *value = StoreRecurrencePattern::Create(series);
    return S_OK;
  });
}

STDMETHODIMP StoreAppointmentItem::get_EntryID(BSTR* value) {
  return Guarded("AppointmentItem.EntryID", [&] {
    return HandOutText(value, store::HexText::WideOf(data_->Series()->EntryId()));
  });
}

STDMETHODIMP StoreAppointmentItem::get_Saved(VARIANT_BOOL* value) {
  return Guarded("AppointmentItem.Saved",
                 [&] { return HandOutValue(value, AsVariantBool(data_->Saved())); });
}

STDMETHODIMP StoreAppointmentItem::raw_Save() {
  return Guarded("AppointmentItem.Save", [&] { return data_->Save(); });
}

STDMETHODIMP StoreAppointmentItem::raw_Delete() {
  return Guarded("AppointmentItem.Delete", [&] { return data_->Delete(); });
}

STDMETHODIMP StoreAppointmentItem::get_Parent(IDispatch** value) {
  return Guarded("AppointmentItem.Parent", [&] {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    const store::FolderPtr folder = data_->Series()->Parent();
    if (folder == nullptr) return E_FAIL;
    *value = StoreFolder::Acquire(FolderRef::Of(folder));
    return S_OK;
  });
}

STDMETHODIMP StoreAppointmentItem::get_Class(Outlook::OlObjectClass* value) {
  return Guarded("AppointmentItem.Class",
                 [&] { return HandOutValue(value, Outlook::olAppointment); });
}

}  // namespace kelvra::outlook
