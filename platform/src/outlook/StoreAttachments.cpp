#include "outlook/StoreAttachments.h"

#include "outlook/CallGate.h"
#include "outlook/IndexArgument.h"
#include "outlook/OutParam.h"
#include "outlook/StoreAttachment.h"
#include "store/Item.h"

namespace kelvra::outlook {

StoreAttachments* StoreAttachments::Create(store::ItemPtr item) {
  auto* attachments = new StoreAttachments(std::move(item));
  attachments->AddRef();
  return attachments;
}

Outlook::Attachments* StoreAttachments::CreateOutlook(store::ItemPtr item) {
  return Create(std::move(item));
}

Redemption::IAttachments* StoreAttachments::CreateSafe(store::ItemPtr item) {
  return Create(std::move(item));
}

STDMETHODIMP StoreAttachments::get_Count(long* count) {
  const HRESULT entered = CallGate::Enter("Attachments.Count");
  if (FAILED(entered)) return entered;
  return HandOutValue(count, static_cast<long>(item_->Attachments().size()));
}

template <class Itf>
HRESULT StoreAttachments::ItemAs(const VARIANT& index, Itf** attachment) {
  const HRESULT entered = CallGate::Enter("Attachments.Item");
  if (FAILED(entered)) return entered;
  if (attachment == nullptr) return E_POINTER;
  *attachment = nullptr;
  const std::vector<store::AttachmentPtr> attachments = item_->Attachments();
  std::size_t position = 0;
  const HRESULT valid = IndexArgument::Position(index, attachments.size(), &position);
  if (FAILED(valid)) return valid;
  *attachment = StoreAttachment::Create(attachments[position]);
  return S_OK;
}

STDMETHODIMP StoreAttachments::raw_Item(VARIANT index, Outlook::Attachment** attachment) {
  return ItemAs(index, attachment);
}

STDMETHODIMP StoreAttachments::raw_Item(VARIANT index, Redemption::IAttachment** attachment) {
  return ItemAs(index, attachment);
}

}  // namespace kelvra::outlook
