// The recipients of a meeting.
#pragma once

#include "outlook/AppointmentItem.h"

namespace Outlook {

// Each member has a raw accessor returning the HRESULT (implemented by the store and
// by test fakes) and a wrapper that raises _com_error when it fails.
// testkit::FailCall names the members "Recipients.<member>" and "Recipient.<member>".
struct Recipients : IDispatch {
  long GetCount();
  // 1-based, in the order added; out of range fails with E_INVALIDARG.
  RecipientPtr Item(const _variant_t& index);
  // A required recipient whose name and address are the text, after the others. The
  // item becomes unsaved.
  RecipientPtr Add(_bstr_t name);

  virtual HRESULT STDMETHODCALLTYPE get_Count(long* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Item(VARIANT index, Recipient** recipient) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Add(BSTR name, Recipient** recipient) = 0;
};

struct Recipient : IDispatch {
  // An OlMeetingRecipientType.
  long GetType();
  // 0-3 (olOrganizer ... olResource); another value fails with E_INVALIDARG.
  void PutType(long value);
  _bstr_t GetAddress();
  _bstr_t GetName();

  virtual HRESULT STDMETHODCALLTYPE get_Type(long* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Type(long value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Address(BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* value) = 0;
};

}  // namespace Outlook
