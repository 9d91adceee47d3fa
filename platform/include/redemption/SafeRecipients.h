// The recipients of an item seen through Redemption.
#pragma once

#include "redemption/Declarations.h"

namespace Redemption {

// Each member has a raw accessor returning the HRESULT (implemented by the store and
// by test fakes) and a wrapper that raises _com_error when it fails.
// testkit::FailCall names the members as the object model's recipients do:
// "Recipients.<member>" and "Recipient.<member>".
struct ISafeRecipients : IDispatch {
  long GetCount();
  // 1-based, in the order the recipients were added; out of range fails with
  // E_INVALIDARG.
  ISafeRecipientPtr Item(const _variant_t& index);

  virtual HRESULT STDMETHODCALLTYPE get_Count(long* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Item(VARIANT index, ISafeRecipient** recipient) = 0;
};

struct ISafeRecipient : IDispatch {
  // olOrganizer 0, olRequired 1, olOptional 2, olResource 3.
  long GetType();
  _bstr_t GetAddress();
  _bstr_t GetName();

  virtual HRESULT STDMETHODCALLTYPE get_Type(long* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Address(BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* value) = 0;
};

}  // namespace Redemption
