#include "outlook/StoreAttachment.h"

#include "outlook/CallGate.h"
#include "outlook/OutParam.h"
#include "outlook/WindowsFile.h"
#include "redemption/MapiVariant.h"

namespace kelvra::outlook {

StoreAttachment* StoreAttachment::Create(store::AttachmentPtr attachment) {
  auto* created = new StoreAttachment(std::move(attachment));
  created->AddRef();
  return created;
}

STDMETHODIMP StoreAttachment::get_Type(Outlook::OlAttachmentType* type) {
  const HRESULT entered = CallGate::Enter("Attachment.Type");
  if (FAILED(entered)) return entered;
  return HandOutValue(type, static_cast<Outlook::OlAttachmentType>(attachment_->type));
}

STDMETHODIMP StoreAttachment::get_Type(long* type) {
  const HRESULT entered = CallGate::Enter("Attachment.Type");
  if (FAILED(entered)) return entered;
  return HandOutValue(type, static_cast<long>(attachment_->type));
}

STDMETHODIMP StoreAttachment::get_FileName(BSTR* name) {
  const HRESULT entered = CallGate::Enter("Attachment.FileName");
  if (FAILED(entered)) return entered;
  return HandOutText(name, attachment_->fileName);
}

STDMETHODIMP StoreAttachment::raw_SaveAsFile(BSTR path) {
  const HRESULT entered = CallGate::Enter("Attachment.SaveAsFile");
  if (FAILED(entered)) return entered;
  return WindowsFile::WriteAll(path, attachment_->bytes);
}

STDMETHODIMP StoreAttachment::get_Fields(long tag, VARIANT* value) {
  const HRESULT entered = CallGate::Enter("Attachment.Fields");
  if (FAILED(entered)) return entered;
  if (value == nullptr) return E_POINTER;
  VariantInit(value);
  const auto found = attachment_->mapiProperties.find(static_cast<std::uint32_t>(tag));
  if (found == attachment_->mapiProperties.end()) return S_OK;
  return redemption::MapiVariant::From(found->second, value);
}

}  // namespace kelvra::outlook
