// The exceptions of an appointment series: its changed and deleted occurrences.
#pragma once

#include "outlook/AppointmentItem.h"

namespace Outlook {

// Each member has a raw accessor returning the HRESULT (implemented by the store and
// by test fakes) and a wrapper that raises _com_error when it fails.
// testkit::FailCall names the members "Exceptions.<member>" and "Exception.<member>".
struct Exceptions : IDispatch {
  long GetCount();
  // 1-based, in the order of the occurrences' original dates; out of range fails with
  // E_INVALIDARG.
  ExceptionPtr Item(const _variant_t& index);

  virtual HRESULT STDMETHODCALLTYPE get_Count(long* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Item(VARIANT index, Exception** exception) = 0;
};

struct Exception : IDispatch {
  // The local start the occurrence had before it was changed or deleted.
  DATE GetOriginalDate();
  VARIANT_BOOL GetDeleted();
  // The changed occurrence (read only); a deleted one fails with E_FAIL.
  _AppointmentItemPtr GetAppointmentItem();

  virtual HRESULT STDMETHODCALLTYPE get_OriginalDate(DATE* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Deleted(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_AppointmentItem(_AppointmentItem** value) = 0;
};

}  // namespace Outlook
