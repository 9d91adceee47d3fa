#include "outlook/MailItemAttachments.h"

#include <string>
#include <vector>

#include "outlook/CallGate.h"
#include "outlook/IndexArgument.h"
#include "outlook/OutParam.h"
#include "outlook/StoreAttachment.h"
#include "outlook/WindowsFile.h"
#include "store/Utf.h"

namespace kelvra::outlook {

namespace {

// The last component of a Windows path.
std::u16string FileNameOf(const std::u16string& path) {
  const std::size_t cut = path.find_last_of(u"\\/");
  return cut == std::u16string::npos ? path : path.substr(cut + 1);
}

}  // namespace

Outlook::Attachments* MailItemAttachments::Create(MailRecordPtr mail) {
  auto* attachments = new MailItemAttachments(std::move(mail));
  attachments->AddRef();
  return attachments;
}

STDMETHODIMP MailItemAttachments::get_Count(long* count) {
  const HRESULT entered = CallGate::Enter("Attachments.Count");
  if (FAILED(entered)) return entered;
  const auto n = static_cast<long>(MailItemDesk::Instance().Copy(mail_).attachments.size());
  return HandOutValue(count, n);
}

STDMETHODIMP MailItemAttachments::raw_Item(VARIANT index, Outlook::Attachment** attachment) {
  const HRESULT entered = CallGate::Enter("Attachments.Item");
  if (FAILED(entered)) return entered;
  if (attachment == nullptr) return E_POINTER;
  *attachment = nullptr;
  const std::vector<store::AttachmentPtr> attachments =
      MailItemDesk::Instance().Copy(mail_).attachments;
  std::size_t position = 0;
  const HRESULT valid = IndexArgument::Position(index, attachments.size(), &position);
  if (FAILED(valid)) return valid;
  *attachment = StoreAttachment::Create(attachments[position]);
  return S_OK;
}

STDMETHODIMP MailItemAttachments::raw_Add(VARIANT source, VARIANT, VARIANT, VARIANT displayName,
                                          Outlook::Attachment** attachment) {
  const HRESULT entered = CallGate::Enter("Attachments.Add");
  if (FAILED(entered)) return entered;
  if (attachment == nullptr) return E_POINTER;
  *attachment = nullptr;
  if (source.vt != VT_BSTR) return DISP_E_TYPEMISMATCH;
  auto added = std::make_shared<store::Attachment>();
  const HRESULT read = WindowsFile::ReadAll(source.bstrVal, &added->bytes);
  if (FAILED(read)) return read;
  const std::u16string path = TextOf(source.bstrVal);
  added->fileName = displayName.vt == VT_BSTR ? TextOf(displayName.bstrVal) : FileNameOf(path);
  MailItemDesk::Instance().Update(mail_, [&](MailRecord& mail) {
    mail.attachmentPaths.push_back(store::Utf::ToUtf8(path));
    mail.attachments.push_back(added);
  });
  *attachment = StoreAttachment::Create(added);
  return S_OK;
}

}  // namespace kelvra::outlook
