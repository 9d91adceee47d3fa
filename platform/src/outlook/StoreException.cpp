#include "outlook/StoreException.h"

#include "outlook/AppointmentZone.h"
#include "outlook/CallGate.h"
#include "outlook/OutParam.h"
#include "outlook/StoreAppointmentItem.h"

namespace kelvra::outlook {

Outlook::Exception* StoreException::Create(store::ItemPtr series,
                                           store::RecurrenceException exception) {
  auto* object = new StoreException(std::move(series), std::move(exception));
  object->AddRef();
  return object;
}

STDMETHODIMP StoreException::get_OriginalDate(DATE* value) {
  const HRESULT entered = CallGate::Enter("Exception.OriginalDate");
  if (FAILED(entered)) return entered;
  return HandOutValue(value, AppointmentZone(*series_).ToLocal(exception_.originalDate));
}

STDMETHODIMP StoreException::get_Deleted(VARIANT_BOOL* value) {
  const HRESULT entered = CallGate::Enter("Exception.Deleted");
  if (FAILED(entered)) return entered;
  return HandOutValue(value, exception_.deleted ? VARIANT_TRUE : VARIANT_FALSE);
}

STDMETHODIMP StoreException::get_AppointmentItem(Outlook::_AppointmentItem** value) {
  const HRESULT entered = CallGate::Enter("Exception.AppointmentItem");
  if (FAILED(entered)) return entered;
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  if (exception_.deleted) return E_FAIL;
  *value = StoreAppointmentItem::CreateOccurrence(series_, exception_.originalDate, false);
  return S_OK;
}

}  // namespace kelvra::outlook
