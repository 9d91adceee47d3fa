// Forward declarations and owning pointers of the store's nodes.
#pragma once

#include <memory>

namespace kelvra::store {

class Mailbox;
class Store;
class Folder;
class Item;

using MailboxPtr = std::shared_ptr<Mailbox>;
using StorePtr = std::shared_ptr<Store>;
using FolderPtr = std::shared_ptr<Folder>;
using ItemPtr = std::shared_ptr<Item>;

}  // namespace kelvra::store
