#include "store/Store.h"

#include "store/Folder.h"
#include "store/Mailbox.h"
#include "store/NameMatch.h"

namespace kelvra::store {

Store::Store(std::shared_ptr<Mutex> mutex, std::u16string name)
    : mutex_(std::move(mutex)), name_(std::move(name)) {}

std::u16string Store::Name() const {
  std::lock_guard lock(*mutex_);
  return name_;
}

Bytes Store::EntryId() const {
  std::lock_guard lock(*mutex_);
  return entryId_;
}

MailboxPtr Store::OwningMailbox() const {
  std::lock_guard lock(*mutex_);
  return mailbox_.lock();
}

std::vector<FolderPtr> Store::Folders() const {
  std::lock_guard lock(*mutex_);
  return folders_;
}

FolderPtr Store::FindFolder(std::u16string_view name) const {
  std::lock_guard lock(*mutex_);
  return FolderNamed(folders_, name);
}

FolderPtr Store::AddFolder(std::u16string name, std::int32_t defaultItemType, Bytes entryId) {
  std::lock_guard lock(*mutex_);
  auto folder = Folder::Make(mutex_, std::move(name), defaultItemType, shared_from_this(),
                             std::move(entryId));
  folders_.push_back(folder);
  return folder;
}

}  // namespace kelvra::store
