#include "outlook/StoreItems.h"

#include "com/comutil.h"
#include "outlook/CallGate.h"
#include "outlook/IndexArgument.h"
#include "outlook/ItemObjects.h"
#include "outlook/OutParam.h"
#include "store/Folder.h"
#include "store/Item.h"
#include "store/ItemFilter.h"
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
  auto* items = new StoreItems(std::move(folder), std::nullopt);
  items->AddRef();
  return items;
}

std::vector<store::ItemPtr> StoreItems::CurrentItems() const {
  if (snapshot_) return *snapshot_;
  return folder_ != nullptr ? folder_->Items() : std::vector<store::ItemPtr>();
}

STDMETHODIMP StoreItems::get_Count(long* count) {
  const HRESULT entered = CallGate::Enter("Items.Count");
  if (FAILED(entered)) return entered;
  std::size_t size = 0;
  if (snapshot_) {
    size = snapshot_->size();
  } else if (folder_ != nullptr) {
    size = folder_->ItemCount();
  }
  return HandOutValue(count, static_cast<long>(size));
}

STDMETHODIMP StoreItems::raw_Item(VARIANT index, IDispatch** item) {
  const HRESULT entered = CallGate::Enter("Items.Item");
  if (FAILED(entered)) return entered;
  if (item == nullptr) return E_POINTER;
  *item = nullptr;
  std::size_t count = 0;
  if (snapshot_) {
    count = snapshot_->size();
  } else if (folder_ != nullptr) {
    count = folder_->ItemCount();
  }
  std::size_t position = 0;
  const HRESULT valid = IndexArgument::Position(index, count, &position);
  if (FAILED(valid)) return valid;
  store::ItemPtr found = snapshot_ ? (*snapshot_)[position] : folder_->ItemAt(position);
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

STDMETHODIMP StoreItems::raw_Restrict(BSTR filter, Outlook::_Items** items) {
  const HRESULT entered = CallGate::Enter("Items.Restrict");
  if (FAILED(entered)) return entered;
  if (items == nullptr) return E_POINTER;
  *items = nullptr;
  const std::u16string_view text =
      filter != nullptr ? std::u16string_view(filter, SysStringLen(filter)) : std::u16string_view();
  const std::optional<store::ItemFilter> parsed = store::ItemFilter::Parse(text);
  if (!parsed) return E_INVALIDARG;
  // A folder looks its items up by the first "=" condition instead of reading them all.
  std::string property;
  std::u16string folded;
  const std::vector<store::ItemPtr> candidates =
      !snapshot_ && folder_ != nullptr && parsed->FirstEquality(property, folded)
          ? folder_->ItemsWithText(property, folded)
          : CurrentItems();
  std::vector<store::ItemPtr> matching;
  for (const store::ItemPtr& item : candidates) {
    if (parsed->Matches(*item)) matching.push_back(item);
  }
  auto* restricted = new StoreItems(folder_, std::move(matching));
  restricted->AddRef();
  *items = restricted;
  return S_OK;
}

}  // namespace kelvra::outlook
