// Redemption's SafeAppointmentItem over a store item: it views the item behind the
// Outlook appointment it is given, so it reads the same properties.
#pragma once

#include "outlook/StandInObject.h"
#include "redemption/SafeAppointmentItem.h"
#include "store/Nodes.h"

namespace kelvra::redemption {

class StoreSafeAppointmentItem : public outlook::StandInObject<Redemption::ISafeAppointmentItem> {
 public:
  StoreSafeAppointmentItem() = default;

  // An item that is not one of the stand-in's Outlook items fails with E_INVALIDARG.
  STDMETHODIMP put_Item(IDispatch* item) override;
  STDMETHODIMP get_Body(BSTR* body) override;
  STDMETHODIMP get_Fields(long tag, VARIANT* value) override;
  STDMETHODIMP get_Recipients(Redemption::ISafeRecipients** recipients) override;
  // Known names only: the lookup never numbers a new one.
  STDMETHODIMP raw_GetIDsFromNames(BSTR guid, VARIANT id, long* tag) override;

 private:
  store::ItemPtr item_;
};

}  // namespace kelvra::redemption
