// Redemption's MAPI helpers ("Redemption.MapiUtils").
#pragma once

#include "redemption/Declarations.h"

namespace Redemption {

// Each method has a raw form returning the HRESULT (implemented by the store and by
// test fakes) and a wrapper that raises _com_error when it fails.
struct IMAPIUtils : IDispatch {
  // The address-book entry with that entry id (hex text, as a contact's EmailNEntryID
  // gives it); an unknown or malformed id fails with MAPI_E_NOT_FOUND (0x8004010F).
  IAddressEntryPtr GetAddressEntryFromID(const _variant_t& entryId);

  virtual HRESULT STDMETHODCALLTYPE raw_GetAddressEntryFromID(VARIANT entryId,
                                                              IAddressEntry** entry) = 0;
};

}  // namespace Redemption
