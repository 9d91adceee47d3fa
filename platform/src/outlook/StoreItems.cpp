#include "outlook/StoreItems.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "com/comutil.h"
#include "outlook/CallGate.h"
#include "outlook/IndexArgument.h"
#include "outlook/ItemObjects.h"
#include "outlook/ItemsRestriction.h"
#include "outlook/OutParam.h"
#include "store/Folder.h"
#include "store/Item.h"
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

HRESULT HandOutAt(const std::vector<ItemsEntry>& entries, const VARIANT& index, IDispatch** item) {
  std::size_t position = 0;
  const HRESULT valid = IndexArgument::Position(index, entries.size(), &position);
  if (FAILED(valid)) return valid;
  return entries[position].HandOut(item);
}

std::vector<ItemsEntry> EntriesOf(const std::vector<store::ItemPtr>& items) {
  return std::vector<ItemsEntry>(items.begin(), items.end());
}

}  // namespace

Outlook::_Items* StoreItems::Create(store::FolderPtr folder) {
  auto* items = new StoreItems(std::move(folder), std::nullopt, View());
  items->AddRef();
  return items;
}

StoreItems::Entries StoreItems::CurrentEntries() const {
  if (snapshot_) return *snapshot_;
  Entries entries = folder_ != nullptr ? EntriesOf(folder_->Items()) : Entries();
  Order(entries);
  return entries;
}

void StoreItems::Order(Entries& entries) const {
  if (!view_.sortedByStart) return;
  std::vector<std::pair<std::int64_t, ItemsEntry>> keyed;
  keyed.reserve(entries.size());
  for (ItemsEntry& entry : entries) keyed.emplace_back(entry.SortKey(), std::move(entry));
  std::stable_sort(keyed.begin(), keyed.end(), [this](const auto& a, const auto& b) {
    return view_.descending ? a.first > b.first : a.first < b.first;
  });
  entries.clear();
  for (auto& [key, entry] : keyed) entries.push_back(std::move(entry));
}

StoreItems::Entries StoreItems::Candidates(const store::ItemFilter& filter) const {
  std::string property;
  std::u16string folded;
  // Occurrences without an upper bound: every series is looked at, as an endless
  // one refuses such a filter.
  const bool unbounded = ListsOccurrences() && !filter.StartWindow().last;
  if (snapshot_ || folder_ == nullptr || unbounded || !filter.FirstEquality(property, folded)) {
    return CurrentEntries();
  }
  Entries candidates = EntriesOf(folder_->ItemsWithText(property, folded));
  Order(candidates);
  return candidates;
}

STDMETHODIMP StoreItems::get_Count(long* count) {
  const HRESULT entered = CallGate::Enter("Items.Count");
  if (FAILED(entered)) return entered;
  std::size_t size = 0;
  if (snapshot_) {
    Drain();
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
  if (snapshot_) {
    Drain();
    return HandOutAt(*snapshot_, index, item);
  }
  if (view_.sortedByStart) return HandOutAt(CurrentEntries(), index, item);
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
  Drain();
  // A folder looks its items up by a text "=" condition instead of reading them all.
  const Entries candidates = Candidates(*parsed);
  const ItemsRestriction restriction(*parsed);
  StoreItems* restricted = nullptr;
  if (ListsOccurrences()) {
    // Occurrences are made as the walk reaches them, as Outlook makes them.
    std::unique_ptr<OccurrenceMerge> listed;
    const HRESULT valid = restriction.List(candidates, listed);
    if (FAILED(valid)) return valid;
    restricted = new StoreItems(folder_, Entries(), view_, std::move(listed));
    if (view_.descending) restricted->Drain();
  } else {
    Entries matching;
    restriction.Keep(candidates, matching);
    restricted = new StoreItems(folder_, std::move(matching), view_);
  }
  if (restricted->snapshot_) restricted->Order(*restricted->snapshot_);
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
  if (downward) Drain();
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
  if (!snapshot_) walk_ = CurrentEntries();
  next_ = 0;
  return Step(item);
}

STDMETHODIMP StoreItems::raw_GetNext(IDispatch** item) {
  const HRESULT entered = CallGate::Enter("Items.GetNext");
  if (FAILED(entered)) return entered;
  if (!snapshot_ && !walk_) walk_ = CurrentEntries();
  return Step(item);
}

HRESULT StoreItems::Step(IDispatch** item) {
  if (item == nullptr) return E_POINTER;
  *item = nullptr;
  const ItemsEntry* entry = nullptr;
  if (snapshot_) {
    entry = SnapshotAt(next_);
  } else if (next_ < walk_->size()) {
    entry = &(*walk_)[next_];
  }
  if (entry == nullptr) return S_OK;
  ++next_;
  return entry->HandOut(item);
}

const ItemsEntry* StoreItems::SnapshotAt(std::size_t position) {
  while (position >= snapshot_->size() && pending_) {
    std::optional<ItemsEntry> made = pending_->Next();
    if (!made) {
      pending_.reset();
      break;
    }
    snapshot_->push_back(std::move(*made));
  }
  return position < snapshot_->size() ? &(*snapshot_)[position] : nullptr;
}

void StoreItems::Drain() {
  if (!pending_) return;
  SnapshotAt(std::numeric_limits<std::size_t>::max());
}

}  // namespace kelvra::outlook
