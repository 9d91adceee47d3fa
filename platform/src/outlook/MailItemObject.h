// The stand-in's new mail: never saved, its window only recorded (MailItemDesk).
#pragma once

#include "outlook/MailItem.h"
#include "outlook/MailItemDesk.h"
#include "outlook/StandInObject.h"

namespace kelvra::outlook {

class MailItemObject : public StandInObject<Outlook::_MailItem> {
 public:
  // A new mail with a reference for the caller.
  static Outlook::_MailItem* Create();

  STDMETHODIMP get_Attachments(Outlook::Attachments** attachments) override;
  // modal: VT_BOOL, or left out for FALSE.
  STDMETHODIMP raw_Display(VARIANT modal) override;

 private:
  explicit MailItemObject(MailRecordPtr record) : record_(std::move(record)) {}

  MailRecordPtr record_;
};

}  // namespace kelvra::outlook
