#include "store/Folder.h"

#include <algorithm>

#include "store/Item.h"
#include "store/ItemFilter.h"
#include "store/ItemType.h"
#include "store/Mailbox.h"
#include "store/NameMatch.h"
#include "store/Store.h"

namespace kelvra::store {

namespace {

// The texts a filter can find an item by, folded: its own, and those its
// changed occurrences show instead; without repeats.
std::vector<std::u16string> FoldedTexts(const Item& item, std::string_view property) {
  std::vector<std::u16string> texts{ItemFilter::Folded(item.GetText(property))};
  for (const RecurrenceException& exception : item.Exceptions()) {
    const Value* changed = exception.changes.Find(property);
    if (!exception.deleted && changed != nullptr)
      texts.push_back(ItemFilter::Folded(changed->AsText()));
  }
  std::sort(texts.begin(), texts.end());
  texts.erase(std::unique(texts.begin(), texts.end()), texts.end());
  return texts;
}

}  // namespace

Folder::Folder(std::shared_ptr<Mutex> mutex, std::u16string name, std::int32_t defaultItemType)
    : mutex_(std::move(mutex)), name_(std::move(name)), defaultItemType_(defaultItemType) {}

std::u16string Folder::Name() const {
  std::lock_guard lock(*mutex_);
  return name_;
}

Bytes Folder::EntryId() const {
  std::lock_guard lock(*mutex_);
  return entryId_;
}

std::int32_t Folder::DefaultItemType() const {
  std::lock_guard lock(*mutex_);
  return defaultItemType_;
}

StorePtr Folder::OwningStore() const {
  std::lock_guard lock(*mutex_);
  return store_.lock();
}

FolderPtr Folder::Parent() const {
  std::lock_guard lock(*mutex_);
  return parent_.lock();
}

std::vector<FolderPtr> Folder::Folders() const {
  std::lock_guard lock(*mutex_);
  return folders_;
}

FolderPtr Folder::FindFolder(std::u16string_view name) const {
  std::lock_guard lock(*mutex_);
  return FolderNamed(folders_, name);
}

FolderPtr Folder::AddFolder(std::u16string name, std::int32_t defaultItemType, Bytes entryId) {
  std::lock_guard lock(*mutex_);
  auto folder = Make(mutex_, std::move(name), defaultItemType, store_.lock(), std::move(entryId));
  folder->parent_ = weak_from_this();
  folders_.push_back(folder);
  return folder;
}

std::vector<ItemPtr> Folder::Items() const {
  std::lock_guard lock(*mutex_);
  return items_;
}

std::size_t Folder::ItemCount() const {
  std::lock_guard lock(*mutex_);
  return items_.size();
}

ItemPtr Folder::ItemAt(std::size_t index) const {
  std::lock_guard lock(*mutex_);
  return index < items_.size() ? items_[index] : nullptr;
}

ItemPtr Folder::NewItem(std::u16string messageClass) {
  std::lock_guard lock(*mutex_);
  if (messageClass.empty()) messageClass = ItemType::MessageClassOf(defaultItemType_);
  auto item = std::make_shared<Item>(mutex_, std::move(messageClass));
  item->parent_ = weak_from_this();
  return item;
}

FolderPtr Folder::Make(std::shared_ptr<Mutex> mutex, std::u16string name,
                       std::int32_t defaultItemType, const StorePtr& store, Bytes entryId) {
  auto folder = std::make_shared<Folder>(std::move(mutex), std::move(name), defaultItemType);
  folder->store_ = store;
  const MailboxPtr mailbox = store ? store->OwningMailbox() : nullptr;
  folder->entryId_ = entryId.empty() && mailbox ? mailbox->NewEntryId() : std::move(entryId);
  return folder;
}

std::vector<ItemPtr> Folder::ItemsWithText(std::string_view property,
                                           const std::u16string& folded) const {
  std::lock_guard lock(*mutex_);
  auto index = textIndexes_.find(property);
  if (index == textIndexes_.end()) {
    index = textIndexes_.emplace(std::string(property), TextIndex()).first;
    for (const ItemPtr& item : items_) File(index->second, property, item);
  }
  std::vector<ItemPtr> found;
  const auto bucket = index->second.buckets.find(folded);
  if (bucket == index->second.buckets.end()) return found;
  found.reserve(bucket->second.size());
  for (const auto& [order, item] : bucket->second) found.push_back(item);
  return found;
}

void Folder::Append(const ItemPtr& item) {
  if (item->folderOrder_) {  // saved again
    Refile(item);
    return;
  }
  item->folderOrder_ = nextOrder_++;
  items_.push_back(item);
  for (auto& [property, index] : textIndexes_) File(index, property, item);
}

bool Folder::Remove(const Item* item) {
  const auto found = std::find_if(items_.begin(), items_.end(),
                                  [&](const ItemPtr& held) { return held.get() == item; });
  if (found == items_.end()) return false;
  for (auto& [property, index] : textIndexes_) Unfile(index, item);
  (*found)->folderOrder_.reset();
  items_.erase(found);
  return true;
}

void Folder::Refile(const ItemPtr& item) {
  for (auto& [property, index] : textIndexes_) {
    const auto filed = index.filed.find(item.get());
    if (filed == index.filed.end() || filed->second == FoldedTexts(*item, property)) continue;
    Unfile(index, item.get());
    File(index, property, item);
  }
}

void Folder::File(TextIndex& index, std::string_view property, const ItemPtr& item) {
  std::vector<std::u16string> texts = FoldedTexts(*item, property);
  for (const std::u16string& text : texts) index.buckets[text].emplace(*item->folderOrder_, item);
  index.filed[item.get()] = std::move(texts);
}

void Folder::Unfile(TextIndex& index, const Item* item) {
  const auto filed = index.filed.find(item);
  if (filed == index.filed.end()) return;
  for (const std::u16string& text : filed->second) {
    const auto bucket = index.buckets.find(text);
    bucket->second.erase(*item->folderOrder_);
    if (bucket->second.empty()) index.buckets.erase(bucket);
  }
  index.filed.erase(filed);
}

}  // namespace kelvra::store
