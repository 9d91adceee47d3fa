// The attachments of a store item, read from the item at every call. One object
// serves both the object model's view (Item.Attachments) and Redemption's
// (SafeContactItem.Attachments), whose members have the same meaning; the fault plan
// names them "Attachments.Count" and "Attachments.Item" in both views.
#pragma once

#include "outlook/Attachments.h"
#include "outlook/StandInObject.h"
#include "redemption/Attachments.h"
#include "store/Nodes.h"

namespace kelvra::outlook {

class StoreAttachment;

class StoreAttachments : public StandInObject<Outlook::Attachments, Redemption::IAttachments> {
 public:
  // A new collection with a reference for the caller.
  static Outlook::Attachments* CreateOutlook(store::ItemPtr item);
  static Redemption::IAttachments* CreateSafe(store::ItemPtr item);

  STDMETHODIMP get_Count(long* count) override;
  STDMETHODIMP raw_Item(VARIANT index, Outlook::Attachment** attachment) override;
  STDMETHODIMP raw_Item(VARIANT index, Redemption::IAttachment** attachment) override;

 private:
  explicit StoreAttachments(store::ItemPtr item) : item_(std::move(item)) {}
  static StoreAttachments* Create(store::ItemPtr item);

  // The attachment at the index, as Itf, with a reference for the caller.
  template <class Itf>
  HRESULT ItemAs(const VARIANT& index, Itf** attachment);

  store::ItemPtr item_;
};

}  // namespace kelvra::outlook
