#include "outlook/StoreContactItem.h"

#include "outlook/CallGate.h"
#include "outlook/ItemText.h"
#include "outlook/ObjectCache.h"
#include "outlook/OutParam.h"
#include "outlook/StoreAttachments.h"
#include "outlook/WindowsFile.h"
#include "store/HexText.h"
#include "store/Item.h"

namespace kelvra::outlook {

namespace {

ObjectCache<StoreContactItem>& Cache() {
  static auto* cache = new ObjectCache<StoreContactItem>;
  return *cache;
}

VARIANT_BOOL AsVariantBool(bool flag) { return flag ? VARIANT_TRUE : VARIANT_FALSE; }

}  // namespace

Outlook::_ContactItem* StoreContactItem::Acquire(store::ItemPtr item) {
  const void* key = item.get();
  return Cache().Acquire(key, [&] { return new StoreContactItem(std::move(item)); });
}

StoreContactItem::~StoreContactItem() { Cache().Forget(item_.get(), this); }

HRESULT StoreContactItem::GetText(const char* member, std::string_view name, BSTR* value) {
  const HRESULT entered = CallGate::Enter(member);
  if (FAILED(entered)) return entered;
  return HandOutText(value, ItemText::Of(*item_, name));
}

HRESULT StoreContactItem::PutText(const char* member, std::string_view name, BSTR value) {
  const HRESULT entered = CallGate::Enter(member);
  if (FAILED(entered)) return entered;
  item_->Set(name, store::Value::Text(TextOf(value)));
  return S_OK;
}

HRESULT StoreContactItem::GetDate(const char* member, std::string_view name, DATE* value) {
  const HRESULT entered = CallGate::Enter(member);
  if (FAILED(entered)) return entered;
  return HandOutValue(value, item_->GetDate(name));
}

HRESULT StoreContactItem::PutDate(const char* member, std::string_view name, DATE value) {
  const HRESULT entered = CallGate::Enter(member);
  if (FAILED(entered)) return entered;
  item_->Set(name, store::Value::Date(value));
  return S_OK;
}

STDMETHODIMP StoreContactItem::get_EntryID(BSTR* value) {
  const HRESULT entered = CallGate::Enter("ContactItem.EntryID");
  if (FAILED(entered)) return entered;
  return HandOutText(value, store::HexText::WideOf(item_->EntryId()));
}

STDMETHODIMP StoreContactItem::get_MessageClass(BSTR* value) {
  const HRESULT entered = CallGate::Enter("ContactItem.MessageClass");
  if (FAILED(entered)) return entered;
  return HandOutText(value, item_->MessageClass());
}

STDMETHODIMP StoreContactItem::get_LastModificationTime(DATE* value) {
  return GetDate("ContactItem.LastModificationTime", "LastModificationTime", value);
}

STDMETHODIMP StoreContactItem::get_Sensitivity(Outlook::OlSensitivity* value) {
  const HRESULT entered = CallGate::Enter("ContactItem.Sensitivity");
  if (FAILED(entered)) return entered;
  return HandOutValue(value, static_cast<Outlook::OlSensitivity>(item_->GetLong("Sensitivity")));
}

STDMETHODIMP StoreContactItem::put_Sensitivity(Outlook::OlSensitivity value) {
  const HRESULT entered = CallGate::Enter("ContactItem.Sensitivity");
  if (FAILED(entered)) return entered;
  if (value < Outlook::olNormal || value > Outlook::olConfidential) return E_INVALIDARG;
  item_->Set("Sensitivity", store::Value::Long(value));
  return S_OK;
}

STDMETHODIMP StoreContactItem::get_HasPicture(VARIANT_BOOL* value) {
  const HRESULT entered = CallGate::Enter("ContactItem.HasPicture");
  if (FAILED(entered)) return entered;
  return HandOutValue(value, AsVariantBool(item_->GetBool("HasPicture")));
}

STDMETHODIMP StoreContactItem::raw_AddPicture(BSTR path) {
  const HRESULT entered = CallGate::Enter("ContactItem.AddPicture");
  if (FAILED(entered)) return entered;
  store::Bytes picture;
  const HRESULT read = WindowsFile::ReadAll(path, &picture);
  if (FAILED(read)) return read;
  item_->AddPicture(std::move(picture));
  return S_OK;
}

STDMETHODIMP StoreContactItem::get_Saved(VARIANT_BOOL* value) {
  const HRESULT entered = CallGate::Enter("ContactItem.Saved");
  if (FAILED(entered)) return entered;
  return HandOutValue(value, AsVariantBool(item_->Saved()));
}

STDMETHODIMP StoreContactItem::raw_Save() {
  const HRESULT entered = CallGate::Enter("ContactItem.Save");
  if (FAILED(entered)) return entered;
  return item_->Save() ? S_OK : E_FAIL;
}

STDMETHODIMP StoreContactItem::raw_Delete() {
  const HRESULT entered = CallGate::Enter("ContactItem.Delete");
  if (FAILED(entered)) return entered;
  return item_->Delete() ? S_OK : E_FAIL;
}

STDMETHODIMP StoreContactItem::get_Class(Outlook::OlObjectClass* value) {
  const HRESULT entered = CallGate::Enter("ContactItem.Class");
  if (FAILED(entered)) return entered;
  return HandOutValue(value, Outlook::olContact);
}

STDMETHODIMP StoreContactItem::get_Attachments(Outlook::Attachments** value) {
  const HRESULT entered = CallGate::Enter("ContactItem.Attachments");
  if (FAILED(entered)) return entered;
  return HandOutObject(value, [&] { return StoreAttachments::CreateOutlook(item_); });
}

}  // namespace kelvra::outlook
