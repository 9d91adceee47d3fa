// Redemption's MapiUtils over the current mailbox's address book.
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
};

}  // namespace kelvra::redemption
