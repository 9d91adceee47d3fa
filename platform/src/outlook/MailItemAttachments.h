// The attachments of a new mail: the files added to it, in order.
#pragma once

#include "outlook/Attachments.h"
#include "outlook/MailItemDesk.h"
#include "outlook/StandInObject.h"

namespace kelvra::outlook {

class MailItemAttachments : public StandInObject<Outlook::Attachments> {
 public:
  // A new collection over the mail's record, with a reference for the caller.
  static Outlook::Attachments* Create(MailRecordPtr mail);

  STDMETHODIMP get_Count(long* count) override;
  STDMETHODIMP raw_Item(VARIANT index, Outlook::Attachment** attachment) override;
  // source: the file's Windows path (VT_BSTR); a display name (VT_BSTR) replaces the
  // file's own name; type and position are taken as given and not looked at.
  STDMETHODIMP raw_Add(VARIANT source, VARIANT type, VARIANT position, VARIANT displayName,
                       Outlook::Attachment** attachment) override;

 private:
  explicit MailItemAttachments(MailRecordPtr mail) : mail_(std::move(mail)) {}

  MailRecordPtr mail_;
};

}  // namespace kelvra::outlook
