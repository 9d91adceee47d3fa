// A message store of the mailbox (a .pst or an Exchange mailbox): its top
// folders.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "store/Nodes.h"
#include "store/Value.h"

namespace kelvra::store {

class Store : public std::enable_shared_from_this<Store> {
 public:
  using Mutex = std::recursive_mutex;

  Store(std::shared_ptr<Mutex> mutex, std::u16string name);

  std::u16string Name() const;
  Bytes EntryId() const;
  MailboxPtr OwningMailbox() const;

  std::vector<FolderPtr> Folders() const;
  // By name without ASCII case; null when absent.
  FolderPtr FindFolder(std::u16string_view name) const;
  // An entry id given must have been reserved (Mailbox::Reserve); without one
  // the folder gets a new one.
  FolderPtr AddFolder(std::u16string name, std::int32_t defaultItemType, Bytes entryId = {});

 private:
  friend class Mailbox;

  std::shared_ptr<Mutex> mutex_;
  std::weak_ptr<Mailbox> mailbox_;
  Bytes entryId_;
  std::u16string name_;
  std::vector<FolderPtr> folders_;
};

}  // namespace kelvra::store
