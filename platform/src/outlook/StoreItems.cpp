#include "outlook/StoreItems.h"

#include "com/comutil.h"
#include "outlook/CallGate.h"
#include "outlook/IndexArgument.h"
#include "outlook/ItemObjects.h"
#include "outlook/OutParam.h"
#include "store/Folder.h"
#include "store/ItemType.h"

namespace kelvra::outlook {

namespace {

// The message class of a new item of the type the argument names; empty for the
// folder's own type when it is left out.
HRESULT MessageClassOf(const VARIANT& type, std::u16string* messageClass) {
  messageClass->clear();
  if (type.vt == VT_ERROR || type.vt == VT_EMPTY) return S_OK;
  LONG number = 0;
  try {
    number = _variant_t(type);
  } catch (const _com_error& error) {
    return error.Error();
  }
  *messageClass = store::ItemType::MessageClassOf(number);
  return messageClass->empty() ? E_INVALIDARG : S_OK;
}

}  // namespace

Outlook::_Items* StoreItems::Create(store::FolderPtr folder) {
  auto* items = new StoreItems(std::move(folder));
  items->AddRef();
  return items;
}

STDMETHODIMP StoreItems::get_Count(long* count) {
  const HRESULT entered = CallGate::Enter("Items.Count");
  if (FAILED(entered)) return entered;
  const std::size_t size = folder_ != nullptr ? folder_->ItemCount() : 0;
  return HandOutValue(count, static_cast<long>(size));
}

STDMETHODIMP StoreItems::raw_Item(VARIANT index, IDispatch** item) {
  const HRESULT entered = CallGate::Enter("Items.Item");
  if (FAILED(entered)) return entered;
  if (item == nullptr) return E_POINTER;
  *item = nullptr;
  const std::size_t count = folder_ != nullptr ? folder_->ItemCount() : 0;
  std::size_t position = 0;
  const HRESULT valid = IndexArgument::Position(index, count, &position);
  if (FAILED(valid)) return valid;
  store::ItemPtr found = folder_->ItemAt(position);
  if (found == nullptr) return E_INVALIDARG;  // removed since it was counted
  return ItemObjects::HandOut(found, item);
}

STDMETHODIMP StoreItems::raw_Add(VARIANT type, IDispatch** item) {
  const HRESULT entered = CallGate::Enter("Items.Add");
  if (FAILED(entered)) return entered;
  if (item == nullptr) return E_POINTER;
  *item = nullptr;
  if (folder_ == nullptr) return E_FAIL;
  std::u16string messageClass;
  const HRESULT valid = MessageClassOf(type, &messageClass);
  if (FAILED(valid)) return valid;
  return ItemObjects::HandOut(folder_->NewItem(messageClass), item);
}

}  // namespace kelvra::outlook
