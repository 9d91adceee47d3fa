#include "outlook/Exceptions.h"
#include "outlook/WrapperCall.h"

namespace Outlook {

using namespace kelvra::outlook;

DATE Exception::GetOriginalDate() { return GetValue(this, &Exception::get_OriginalDate); }

VARIANT_BOOL Exception::GetDeleted() { return GetValue(this, &Exception::get_Deleted); }

_AppointmentItemPtr Exception::GetAppointmentItem() {
  return GetObject<_AppointmentItemPtr>(this, &Exception::get_AppointmentItem);
}

}  // namespace Outlook
