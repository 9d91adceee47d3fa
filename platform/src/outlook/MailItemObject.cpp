#include "outlook/MailItemObject.h"

#include "outlook/CallGate.h"
#include "outlook/MailItemAttachments.h"
#include "outlook/OutParam.h"

namespace kelvra::outlook {

namespace {

bool IsLeftOut(const VARIANT& argument) {
  return argument.vt == VT_ERROR || argument.vt == VT_EMPTY;
}

}  // namespace

Outlook::_MailItem* MailItemObject::Create() {
  auto* mail = new MailItemObject(MailItemDesk::Instance().Open());
  mail->AddRef();
  return mail;
}

STDMETHODIMP MailItemObject::get_Attachments(Outlook::Attachments** attachments) {
  const HRESULT entered = CallGate::Enter("MailItem.Attachments");
  if (FAILED(entered)) return entered;
  return HandOutObject(attachments, [this] { return MailItemAttachments::Create(record_); });
}

STDMETHODIMP MailItemObject::raw_Display(VARIANT modal) {
  const HRESULT entered = CallGate::Enter("MailItem.Display");
  if (FAILED(entered)) return entered;
  if (!IsLeftOut(modal) && modal.vt != VT_BOOL) return DISP_E_TYPEMISMATCH;
  const bool waits = modal.vt == VT_BOOL && modal.boolVal != VARIANT_FALSE;
  MailItemDesk::Instance().Update(record_, [waits](MailRecord& mail) {
    mail.displayed = true;
    mail.modal = waits;
  });
  return S_OK;
}

}  // namespace kelvra::outlook
