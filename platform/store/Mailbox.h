// The mailbox Outlook shows: its stores, the address book, the default folders
// and the entry ids of every node. Entry ids are binary, unique within the
// mailbox and stable: a node keeps the id it was given (or loaded with) for its
// lifetime, and ids are made from a counter the mailbox starts at 1, so the
// same mailbox file always gives the same ids.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "store/AddressBook.h"
#include "store/Nodes.h"
#include "store/Value.h"

namespace kelvra::store {

class Mailbox : public std::enable_shared_from_this<Mailbox> {
 public:
  using Mutex = std::recursive_mutex;

  static MailboxPtr Create();
  // "Personal Folders" with empty Deleted Items, Inbox, Calendar and Contacts.
  static MailboxPtr CreateStandard();

  std::vector<StorePtr> Stores() const;
  // A new store; without an entry id it gets a new one (see Reserve).
  StorePtr AddStore(std::u16string name, Bytes entryId = {});

  // Of the first store: the first folder (in tree order) of the item type that
  // goes with the default folder; Deleted Items is the top folder named
  // "Deleted Items". Null when there is none.
  FolderPtr DefaultFolder(std::int32_t defaultFolder) const;

  StorePtr FindStore(const Bytes& entryId) const;
  FolderPtr FindFolder(const Bytes& entryId) const;
  // Any item with that entry id, Deleted Items included.
  ItemPtr FindItem(const Bytes& entryId) const;

  AddressBook& Addresses() { return addresses_; }
  const AddressBook& Addresses() const { return addresses_; }

  // Marks an entry id as taken, before the node that carries it is made (a
  // loader reserves every id of a file first, so new ids never collide with
  // later ones). False when the id is empty or already taken.
  bool Reserve(const Bytes& entryId);
  // The next id of the counter that is not taken, now taken.
  Bytes NewEntryId();

  Mutex& Lock() const { return *mutex_; }

 private:
  Mailbox();

  std::shared_ptr<Mutex> mutex_;
  std::vector<StorePtr> stores_;
  AddressBook addresses_;
  std::set<Bytes> usedIds_;
  std::uint32_t nextId_ = 1;
};

}  // namespace kelvra::store
