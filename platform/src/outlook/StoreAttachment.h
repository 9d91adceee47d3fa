// One attachment of a store item. One object serves both the object model's view and
// Redemption's, which adds the attachment's MAPI properties (Fields); the fault plan
// names the members "Attachment.Type", "Attachment.FileName", "Attachment.SaveAsFile"
// and "Attachment.Fields" in both views.
#pragma once

#include "outlook/Attachment.h"
#include "outlook/StandInObject.h"
#include "redemption/Attachment.h"
#include "store/Attachment.h"

namespace kelvra::outlook {

class StoreAttachment : public StandInObject<Outlook::Attachment, Redemption::IAttachment> {
 public:
  // A new object with a reference for the caller.
  static StoreAttachment* Create(store::AttachmentPtr attachment);

  STDMETHODIMP get_Type(Outlook::OlAttachmentType* type) override;
  STDMETHODIMP get_Type(long* type) override;
  STDMETHODIMP get_FileName(BSTR* name) override;
  STDMETHODIMP raw_SaveAsFile(BSTR path) override;
  STDMETHODIMP get_Fields(long tag, VARIANT* value) override;

 private:
  explicit StoreAttachment(store::AttachmentPtr attachment) : attachment_(std::move(attachment)) {}

  store::AttachmentPtr attachment_;
};

}  // namespace kelvra::outlook
