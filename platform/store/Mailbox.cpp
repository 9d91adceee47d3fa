#include "store/Mailbox.h"

#include <functional>

#include "store/Folder.h"
#include "store/Item.h"
#include "store/ItemType.h"
#include "store/Store.h"

namespace kelvra::store {

namespace {

// Entry ids look like a MAPI store provider's: four flag bytes, the provider's
// 16-byte id, then the node's number.
constexpr std::uint8_t kProviderId[16] = {0x4B, 0x45, 0x4C, 0x56, 0x52, 0x41, 0x2E, 0x53,
                                          0x54, 0x4F, 0x52, 0x45, 0x00, 0x00, 0x00, 0x01};

Bytes EntryIdOf(std::uint32_t number) {
  Bytes id(4, 0);
  id.insert(id.end(), std::begin(kProviderId), std::end(kProviderId));
  for (int shift = 24; shift >= 0; shift -= 8)
    id.push_back(static_cast<std::uint8_t>(number >> shift));
  return id;
}

// Calls visit for each folder below `folders` in tree order until it returns
// true.
FolderPtr FindInTree(const std::vector<FolderPtr>& folders,
                     const std::function<bool(const FolderPtr&)>& visit) {
  for (const FolderPtr& folder : folders) {
    if (visit(folder)) return folder;
    if (FolderPtr found = FindInTree(folder->Folders(), visit)) return found;
  }
  return nullptr;
}

}  // namespace

Mailbox::Mailbox() : mutex_(std::make_shared<Mutex>()) {}

MailboxPtr Mailbox::Create() { return MailboxPtr(new Mailbox()); }

MailboxPtr Mailbox::CreateStandard() {
  MailboxPtr mailbox = Create();
  const StorePtr store = mailbox->AddStore(u"Personal Folders");
  store->AddFolder(u"Deleted Items", itemtype::kMail);
  store->AddFolder(u"Inbox", itemtype::kMail);
  store->AddFolder(u"Calendar", itemtype::kAppointment);
  store->AddFolder(u"Contacts", itemtype::kContact);
  return mailbox;
}

std::vector<StorePtr> Mailbox::Stores() const {
  std::lock_guard lock(*mutex_);
  return stores_;
}

StorePtr Mailbox::AddStore(std::u16string name, Bytes entryId) {
  std::lock_guard lock(*mutex_);
  auto store = std::make_shared<Store>(mutex_, std::move(name));
  store->mailbox_ = weak_from_this();
  store->entryId_ = entryId.empty() ? NewEntryId() : std::move(entryId);
  stores_.push_back(store);
  return store;
}

FolderPtr Mailbox::DefaultFolder(std::int32_t defaultFolder) const {
  std::lock_guard lock(*mutex_);
  if (stores_.empty()) return nullptr;
  const StorePtr& first = stores_.front();
  const FolderPtr bin = first->FindFolder(u"Deleted Items");
  if (defaultFolder == defaultfolder::kDeletedItems) return bin;
  const std::int32_t type = ItemType::OfDefaultFolder(defaultFolder);
  if (type < 0) return nullptr;
  // Deleted Items holds mail too, but is never the Inbox.
  return FindInTree(first->Folders(), [&](const FolderPtr& folder) {
    return folder != bin && folder->DefaultItemType() == type;
  });
}

StorePtr Mailbox::FindStore(const Bytes& entryId) const {
  std::lock_guard lock(*mutex_);
  for (const StorePtr& store : stores_) {
    if (store->EntryId() == entryId) return store;
  }
  return nullptr;
}

FolderPtr Mailbox::FindFolder(const Bytes& entryId) const {
  std::lock_guard lock(*mutex_);
  for (const StorePtr& store : stores_) {
    const FolderPtr found = FindInTree(
        store->Folders(), [&](const FolderPtr& folder) { return folder->EntryId() == entryId; });
    if (found) return found;
  }
  return nullptr;
}

ItemPtr Mailbox::FindItem(const Bytes& entryId) const {
  std::lock_guard lock(*mutex_);
  ItemPtr item;
  for (const StorePtr& store : stores_) {
    FindInTree(store->Folders(), [&](const FolderPtr& folder) {
      for (const ItemPtr& candidate : folder->Items()) {
        if (candidate->EntryId() == entryId) item = candidate;
      }
      return item != nullptr;
    });
    if (item) return item;
  }
  return nullptr;
}

bool Mailbox::Reserve(const Bytes& entryId) {
  std::lock_guard lock(*mutex_);
  return !entryId.empty() && usedIds_.insert(entryId).second;
}

Bytes Mailbox::NewEntryId() {
  std::lock_guard lock(*mutex_);
  for (;;) {
    Bytes id = EntryIdOf(nextId_++);
    if (usedIds_.insert(id).second) return id;
  }
}

}  // namespace kelvra::store
