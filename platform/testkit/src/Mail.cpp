#include "testkit/Mail.h"

#include "outlook/MailItemDesk.h"
#include "store/Utf.h"

namespace testkit {

using kelvra::outlook::MailItemDesk;

std::vector<MailRecord> Mails() {
  std::vector<MailRecord> mails;
  for (const kelvra::outlook::MailRecord& made : MailItemDesk::Instance().Mails()) {
    MailRecord mail;
    mail.displayed = made.displayed;
    mail.modal = made.modal;
    mail.attachmentPaths = made.attachmentPaths;
    for (const kelvra::store::AttachmentPtr& attachment : made.attachments)
      mail.attachmentNames.push_back(kelvra::store::Utf::ToUtf8(attachment->fileName));
    mails.push_back(std::move(mail));
  }
  return mails;
}

void ClearMails() { MailItemDesk::Instance().Reset(); }

}  // namespace testkit
