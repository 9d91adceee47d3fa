// Redemption's MapiUtils over the current mailbox: its address book, and the MAPI
// properties of its items (named ones numbered by store::NamedPropertyIds).
#pragma once

#include "outlook/StandInObject.h"
#include "redemption/MAPIUtils.h"

namespace kelvra::redemption {

class StoreMapiUtils : public outlook::StandInObject<Redemption::IMAPIUtils> {
 public:
  StoreMapiUtils() = default;

  // The id as hex text (VT_BSTR); another type fails with DISP_E_TYPEMISMATCH.
  STDMETHODIMP raw_GetAddressEntryFromID(VARIANT entryId,
                                         Redemption::IAddressEntry** entry) override;
  // The id as an integer VARIANT; a GUID text that does not parse fails with
  // E_INVALIDARG. A name the item carries is known even when not yet numbered.
  STDMETHODIMP raw_GetIDsFromNames(IUnknown* item, BSTR guid, VARIANT id, VARIANT_BOOL create,
                                   long* tag) override;
  // PT_STRING8 and PT_UNICODE read each other's values; another type than the one
  // stored reads as absent.
  STDMETHODIMP raw_HrGetOneProp(IUnknown* item, long tag, VARIANT* value) override;
  STDMETHODIMP raw_HrSetOneProp(IUnknown* item, long tag, VARIANT value,
                                VARIANT_BOOL save) override;
  // Takes what BinaryArrays reads (VARIANT or byte elements).
  STDMETHODIMP raw_HrArrayToString(VARIANT array, BSTR* text) override;
  // Hands the bytes out as HrGetOneProp does.
  STDMETHODIMP raw_HrStringToArray(BSTR text, VARIANT* array) override;
};

}  // namespace kelvra::redemption
