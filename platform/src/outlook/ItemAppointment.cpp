#include "outlook/ItemAppointment.h"

#include "outlook/AppointmentTimes.h"
#include "store/Item.h"

namespace kelvra::outlook {

store::Value ItemAppointment::Get(std::string_view name) const { return item_->Get(name); }

HRESULT ItemAppointment::Set(std::string_view name, store::Value value) {
  item_->Set(name, std::move(value));
  return S_OK;
}

DATE ItemAppointment::Start() const { return AppointmentTimes(item_).Start(); }

DATE ItemAppointment::End() const { return AppointmentTimes(item_).End(); }

long ItemAppointment::Duration() const { return AppointmentTimes(item_).Duration(); }

HRESULT ItemAppointment::SetStart(DATE local) {
  AppointmentTimes(item_).SetStart(local);
  return S_OK;
}

HRESULT ItemAppointment::SetEnd(DATE local) {
  return AppointmentTimes(item_).SetEnd(local) ? S_OK : E_INVALIDARG;
}

HRESULT ItemAppointment::SetDuration(long minutes) {
  return AppointmentTimes(item_).SetDuration(minutes) ? S_OK : E_INVALIDARG;
}

bool ItemAppointment::IsRecurring() const { return item_->Recurrence().has_value(); }

bool ItemAppointment::Saved() const { return item_->Saved(); }

HRESULT ItemAppointment::Save() { return item_->Save() ? S_OK : E_FAIL; }

HRESULT ItemAppointment::Delete() { return item_->Delete() ? S_OK : E_FAIL; }

}  // namespace kelvra::outlook
