// Redemption's view of an Outlook contact ("Redemption.SafeContactItem"): the
// properties that Outlook guards, read without a security prompt.
#pragma once

#include "redemption/Declarations.h"

// The guarded text properties, read from the viewed contact.
#define KELVRA_REDEMPTION_SAFE_CONTACT_TEXT_PROPERTIES(X) \
  X(Body)                                                 \
  X(Email1Address)                                        \
  X(Email2Address)                                        \
  X(Email3Address)                                        \
  X(Email1AddressType)                                    \
  X(Email2AddressType)                                    \
  X(Email3AddressType)                                    \
  X(Email1EntryID)                                        \
  X(Email2EntryID)                                        \
  X(Email3EntryID)                                        \
  X(IMAddress)                                            \
  X(NetMeetingAlias)

#define KELVRA_REDEMPTION_DECLARE_TEXT_PROPERTY(Name) \
  _bstr_t Get##Name();                                \
  virtual HRESULT STDMETHODCALLTYPE get_##Name(BSTR* value) = 0;

namespace Redemption {

// Each property has a raw accessor returning the HRESULT (implemented by the store
// and by test fakes) and a wrapper that raises _com_error when it fails. Reads before
// an item is set, or after it was set to NULL, fail with E_FAIL.
struct ISafeContactItem : IDispatch {
  // The Outlook contact to view (any dispatch pointer of it); NULL empties the view.
  void PutItem(IDispatch* item);
  KELVRA_REDEMPTION_SAFE_CONTACT_TEXT_PROPERTIES(KELVRA_REDEMPTION_DECLARE_TEXT_PROPERTY)
  IAttachmentsPtr GetAttachments();

  virtual HRESULT STDMETHODCALLTYPE put_Item(IDispatch* item) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Attachments(IAttachments** attachments) = 0;
};

}  // namespace Redemption

#undef KELVRA_REDEMPTION_DECLARE_TEXT_PROPERTY
