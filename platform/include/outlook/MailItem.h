// A mail message ("IPM.Note", Class olMail), as Application.CreateItem(olMailItem)
// makes it: a new, unsaved mail that the user sends from its own window.
#pragma once

#include "outlook/Attachments.h"
#include "outlook/Declarations.h"

namespace Outlook {

KELVRA_INTERFACE_IID(_MailItem, 0x00063034, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(_MailItem, __uuidof(_MailItem));

// Each member has a raw accessor returning the HRESULT and a wrapper that raises
// _com_error when it fails. testkit::FailCall names them "MailItem.Attachments",
// "MailItem.Display" and "Attachments.Add"; testkit/Mail.h shows what was done.
struct _MailItem : IDispatch {
  AttachmentsPtr GetAttachments();
  // Opens the mail's window; modal TRUE would wait until it closes. Attachments added
  // afterwards show in the open window.
  void Display(const _variant_t& modal);

  virtual HRESULT STDMETHODCALLTYPE get_Attachments(Attachments** attachments) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Display(VARIANT modal) = 0;
};

}  // namespace Outlook
