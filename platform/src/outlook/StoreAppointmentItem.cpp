#include "outlook/StoreAppointmentItem.h"

#include "outlook/AppointmentTimes.h"
#include "outlook/CallGate.h"
#include "outlook/ObjectCache.h"
#include "outlook/OutParam.h"
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

}  // namespace

Outlook::_AppointmentItem* StoreAppointmentItem::Acquire(store::ItemPtr item) {
  const void* key = item.get();
  return Cache().Acquire(key, [&] { return new StoreAppointmentItem(std::move(item)); });
}

StoreAppointmentItem::~StoreAppointmentItem() { Cache().Forget(item_.get(), this); }

STDMETHODIMP StoreAppointmentItem::get_Start(DATE* value) {
  return Guarded("AppointmentItem.Start",
                 [&] { return HandOutValue(value, AppointmentTimes(item_).Start()); });
}

STDMETHODIMP StoreAppointmentItem::put_Start(DATE value) {
  return Guarded("AppointmentItem.Start", [&] {
    AppointmentTimes(item_).SetStart(value);
    return S_OK;
  });
}

STDMETHODIMP StoreAppointmentItem::get_End(DATE* value) {
  return Guarded("AppointmentItem.End",
                 [&] { return HandOutValue(value, AppointmentTimes(item_).End()); });
}

STDMETHODIMP StoreAppointmentItem::put_End(DATE value) {
  return Guarded("AppointmentItem.End",
                 [&] { return AppointmentTimes(item_).SetEnd(value) ? S_OK : E_INVALIDARG; });
}

STDMETHODIMP StoreAppointmentItem::get_Duration(long* value) {
  return Guarded("AppointmentItem.Duration",
                 [&] { return HandOutValue(value, AppointmentTimes(item_).Duration()); });
}

STDMETHODIMP StoreAppointmentItem::put_Duration(long value) {
  return Guarded("AppointmentItem.Duration",
                 [&] { return AppointmentTimes(item_).SetDuration(value) ? S_OK : E_INVALIDARG; });
}

HRESULT StoreAppointmentItem::GetText(const char* member, std::string_view name, BSTR* value) {
  return Guarded(member, [&] { return HandOutText(value, item_->GetText(name)); });
}

HRESULT StoreAppointmentItem::PutText(const char* member, std::string_view name, BSTR value) {
  return Guarded(member, [&] {
    item_->Set(name, store::Value::Text(TextOf(value)));
    return S_OK;
  });
}

STDMETHODIMP StoreAppointmentItem::get_Subject(BSTR* value) {
  return GetText("AppointmentItem.Subject", "Subject", value);
}

STDMETHODIMP StoreAppointmentItem::put_Subject(BSTR value) {
  return PutText("AppointmentItem.Subject", "Subject", value);
}

STDMETHODIMP StoreAppointmentItem::get_Location(BSTR* value) {
  return GetText("AppointmentItem.Location", "Location", value);
}

STDMETHODIMP StoreAppointmentItem::put_Location(BSTR value) {
  return PutText("AppointmentItem.Location", "Location", value);
}

STDMETHODIMP StoreAppointmentItem::get_Body(BSTR* value) {
  return GetText("AppointmentItem.Body", "Body", value);
}

STDMETHODIMP StoreAppointmentItem::put_Body(BSTR value) {
  return PutText("AppointmentItem.Body", "Body", value);
}

STDMETHODIMP StoreAppointmentItem::get_AllDayEvent(VARIANT_BOOL* value) {
  return Guarded("AppointmentItem.AllDayEvent", [&] {
    return HandOutValue(value, item_->GetBool("AllDayEvent") ? VARIANT_TRUE : VARIANT_FALSE);
  });
}

STDMETHODIMP StoreAppointmentItem::put_AllDayEvent(VARIANT_BOOL value) {
  return Guarded("AppointmentItem.AllDayEvent", [&] {
    item_->Set("AllDayEvent", store::Value::Bool(value != VARIANT_FALSE));
    return S_OK;
  });
}

STDMETHODIMP StoreAppointmentItem::get_EntryID(BSTR* value) {
  return Guarded("AppointmentItem.EntryID",
                 [&] { return HandOutText(value, store::HexText::WideOf(item_->EntryId())); });
}

STDMETHODIMP StoreAppointmentItem::get_Saved(VARIANT_BOOL* value) {
  return Guarded("AppointmentItem.Saved", [&] {
    return HandOutValue(value, item_->Saved() ? VARIANT_TRUE : VARIANT_FALSE);
  });
}

STDMETHODIMP StoreAppointmentItem::raw_Save() {
  return Guarded("AppointmentItem.Save", [&] { return item_->Save() ? S_OK : E_FAIL; });
}

STDMETHODIMP StoreAppointmentItem::get_Class(Outlook::OlObjectClass* value) {
  return Guarded("AppointmentItem.Class",
                 [&] { return HandOutValue(value, Outlook::olAppointment); });
}

}  // namespace kelvra::outlook
