// Redemption's view of an Outlook appointment ("Redemption.SafeAppointmentItem"):
// the properties that Outlook guards, read without a security prompt.
#pragma once

#include "redemption/Declarations.h"
#include "redemption/SafeRecipients.h"

namespace Redemption {

KELVRA_INTERFACE_IID(ISafeAppointmentItem, 0x4B3E7A06, 0x5C21, 0x4D8B, 0x9E, 0x6F, 0x3A, 0x1B, 0x2C,
                     0x4D, 0x5E, 0x6F)
_COM_SMARTPTR_TYPEDEF(ISafeAppointmentItem, __uuidof(ISafeAppointmentItem));

// Each member has a raw form returning the HRESULT (implemented by the store and by
// test fakes) and a wrapper that raises _com_error when it fails. Reads before an
// item is set, or after it was set to NULL, fail with E_FAIL. testkit::FailCall
// names the members "SafeAppointmentItem.<member>".
struct ISafeAppointmentItem : IDispatch {
  // The Outlook appointment to view (any dispatch pointer of it); NULL empties it.
  void PutItem(IDispatch* item);
  _bstr_t GetBody();
  // The MAPI property with that tag (type in the low word): PT_STRING8 and
  // PT_UNICODE as VT_BSTR, PT_LONG as VT_I4, PT_BOOLEAN as VT_BOOL, PT_SYSTIME as
  // VT_DATE (UTC), PT_BINARY as a byte array; VT_EMPTY when the item lacks it.
  // Named properties are reached by the tags of GetIDsFromNames plus their type.
  // The sender of a meeting is PR_SENDER_EMAIL_ADDRESS (0x0C1F001E) and
  // PR_SENDER_NAME (0x0C1A001E).
  _variant_t GetFields(long tag);
  // The meeting's recipients, in the order they were added.
  ISafeRecipientsPtr GetRecipients();
  // The tag of the named property (property-set GUID as "{...}" text, numeric id):
  // its number in the high word and type bits 0; 0 (with S_OK) when the mailbox
  // does not know the name.
  long GetIDsFromNames(const _bstr_t& guid, const _variant_t& id);

  virtual HRESULT STDMETHODCALLTYPE put_Item(IDispatch* item) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Body(BSTR* body) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Fields(long tag, VARIANT* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Recipients(ISafeRecipients** recipients) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_GetIDsFromNames(BSTR guid, VARIANT id, long* tag) = 0;
};

}  // namespace Redemption
