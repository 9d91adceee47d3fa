// The recipients of a store item, read from the item at every call. One object
// serves both the object model's view (AppointmentItem.Recipients) and
// Redemption's (SafeAppointmentItem.Recipients), whose members have the same
// meaning; the fault plan names them "Recipients.<member>" in both views.
#pragma once

#include "outlook/Recipients.h"
#include "outlook/StandInObject.h"
#include "redemption/SafeRecipients.h"
#include "store/Nodes.h"

namespace kelvra::outlook {

class StoreRecipients : public StandInObject<Outlook::Recipients, Redemption::ISafeRecipients> {
 public:
  // A new collection with a reference for the caller.
  static Outlook::Recipients* CreateOutlook(store::ItemPtr item);
  static Redemption::ISafeRecipients* CreateSafe(store::ItemPtr item);

  STDMETHODIMP get_Count(long* count) override;
  STDMETHODIMP raw_Item(VARIANT index, Outlook::Recipient** recipient) override;
  STDMETHODIMP raw_Item(VARIANT index, Redemption::ISafeRecipient** recipient) override;
  STDMETHODIMP raw_Add(BSTR name, Outlook::Recipient** recipient) override;

 private:
  explicit StoreRecipients(store::ItemPtr item) : item_(std::move(item)) {}
  static StoreRecipients* Create(store::ItemPtr item);

  // The recipient at the index, as Itf, with a reference for the caller.
  template <class Itf>
  HRESULT ItemAs(const VARIANT& index, Itf** recipient);

  store::ItemPtr item_;
};

}  // namespace kelvra::outlook
