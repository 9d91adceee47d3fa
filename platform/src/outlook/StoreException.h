// One exception of a series, as it stood when the collection handed it out.
#pragma once

#include "outlook/Exceptions.h"
#include "outlook/StandInObject.h"
#include "store/Nodes.h"
#include "store/Recurrence.h"

namespace kelvra::outlook {

class StoreException : public StandInObject<Outlook::Exception> {
 public:
  // A new object with a reference for the caller.
  static Outlook::Exception* Create(store::ItemPtr series, store::RecurrenceException exception);

  STDMETHODIMP get_OriginalDate(DATE* value) override;
  STDMETHODIMP get_Deleted(VARIANT_BOOL* value) override;
  // A read-only view of the changed occurrence.
  STDMETHODIMP get_AppointmentItem(Outlook::_AppointmentItem** value) override;

 private:
  StoreException(store::ItemPtr series, store::RecurrenceException exception)
      : series_(std::move(series)), exception_(std::move(exception)) {}

  store::ItemPtr series_;
  store::RecurrenceException exception_;
};

}  // namespace kelvra::outlook
