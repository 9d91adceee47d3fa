#include "outlook/StoreItems.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "atl/OleSeconds.h"
#include "com/comutil.h"
#include "outlook/AppointmentTimes.h"
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

// Sort's second argument: missing means ascending.
HRESULT DescendingOf(const VARIANT& argument, bool* descending) {
  *descending = false;
  if (argument.vt == VT_ERROR || argument.vt == VT_EMPTY) return S_OK;
  try {
    *descending = static_cast<bool>(_variant_t(argument));
  } catch (const _com_error& error) {
    return error.Error();
  }
  return S_OK;
}

// The start as the object model shows it, in whole seconds; items without one first.
std::int64_t StartKey(const store::ItemPtr& item) {
  return atl::OleSeconds::FromDate(AppointmentTimes(item).Start())
      .value_or(std::numeric_limits<std::int64_t>::min());
}

HRESULT HandOutAt(const std::vector<store::ItemPtr>& items, const VARIANT& index, IDispatch** item) {
  std::size_t position = 0;
  const HRESULT valid = IndexArgument::Position(index, items.size(), &position);
  if (FAILED(valid)) return valid;
  return ItemObjects::HandOut(items[position], item);
}

}  // namespace

Outlook::_Items* StoreItems::Create(store::FolderPtr folder) {
  auto* items = new StoreItems(std::move(folder), std::nullopt, View());
  items->AddRef();
  return items;
}

std::vector<store::ItemPtr> StoreItems::CurrentItems() const {
  if (snapshot_) return *snapshot_;
  std::vector<store::ItemPtr> items = folder_ != nullptr ? folder_->Items() : std::vector<store::ItemPtr>();
  Order(items);
  return items;
}

void StoreItems::Order(std::vector<store::ItemPtr>& items) const {
  if (!view_.sortedByStart) return;
  std::vector<std::pair<std::int64_t, store::ItemPtr>> keyed;
  keyed.reserve(items.size());
  for (store::ItemPtr& item : items) keyed.emplace_back(StartKey(item), std::move(item));
  std::stable_sort(keyed.begin(), keyed.end(), [this](const auto& a, const auto& b) {
    return view_.descending ? a.first > b.first : a.first < b.first;
  });
  items.clear();
  for (auto& [key, item] : keyed) items.push_back(std::move(item));
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
  if (snapshot_) return HandOutAt(*snapshot_, index, item);
  if (view_.sortedByStart) return HandOutAt(CurrentItems(), index, item);
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
  Order(matching);
  auto* restricted = new StoreItems(folder_, std::move(matching), view_);
  restricted->AddRef();
  *items = restricted;
  return S_OK;
}

STDMETHODIMP StoreItems::raw_Sort(BSTR property, VARIANT descending) {
  const HRESULT entered = CallGate::Enter("Items.Sort");
  if (FAILED(entered)) return entered;
  if (store::ItemFilter::Folded(TextOf(property)) != u"[start]") return E_INVALIDARG;
  bool downward = false;
  const HRESULT valid = DescendingOf(descending, &downward);
  if (FAILED(valid)) return valid;
  view_.sortedByStart = true;
  view_.descending = downward;
  if (snapshot_) Order(*snapshot_);
  walk_.reset();
  next_ = 0;
  return S_OK;
}

STDMETHODIMP StoreItems::get_IncludeRecurrences(VARIANT_BOOL* value) {
  const HRESULT entered = CallGate::Enter("Items.IncludeRecurrences");
  if (FAILED(entered)) return entered;
  return HandOutValue(value, view_.includeRecurrences ? VARIANT_TRUE : VARIANT_FALSE);
}

STDMETHODIMP StoreItems::put_IncludeRecurrences(VARIANT_BOOL value) {
  const HRESULT entered = CallGate::Enter("Items.IncludeRecurrences");
  if (FAILED(entered)) return entered;
  view_.includeRecurrences = value != VARIANT_FALSE;
  return S_OK;
}

STDMETHODIMP StoreItems::raw_GetFirst(IDispatch** item) {
  const HRESULT entered = CallGate::Enter("Items.GetFirst");
  if (FAILED(entered)) return entered;
  walk_ = CurrentItems();
  next_ = 0;
  return Step(item);
}

STDMETHODIMP StoreItems::raw_GetNext(IDispatch** item) {
  const HRESULT entered = CallGate::Enter("Items.GetNext");
  if (FAILED(entered)) return entered;
  if (!walk_) walk_ = CurrentItems();
  return Step(item);
}

HRESULT StoreItems::Step(IDispatch** item) {
  if (item == nullptr) return E_POINTER;
  *item = nullptr;
  if (next_ >= walk_->size()) return S_OK;
  return ItemObjects::HandOut((*walk_)[next_++], item);
}

}  // namespace kelvra::outlook
