// A folder of a store: its items in insertion order and its subfolders.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "store/Nodes.h"
#include "store/PropertyBag.h"
#include "store/Value.h"

namespace kelvra::store {

class Folder : public std::enable_shared_from_this<Folder> {
 public:
  using Mutex = std::recursive_mutex;

  Folder(std::shared_ptr<Mutex> mutex, std::u16string name, std::int32_t defaultItemType);

  std::u16string Name() const;
  Bytes EntryId() const;
  std::int32_t DefaultItemType() const;
  // The store the folder is in; the parent folder, null for a top folder.
  StorePtr OwningStore() const;
  FolderPtr Parent() const;

  std::vector<FolderPtr> Folders() const;
  // By name without ASCII case; null when absent.
  FolderPtr FindFolder(std::u16string_view name) const;
  // An entry id given must have been reserved (Mailbox::Reserve); without one
  // the folder gets a new one.
  FolderPtr AddFolder(std::u16string name, std::int32_t defaultItemType, Bytes entryId = {});

  // The saved items, in insertion order.
  std::vector<ItemPtr> Items() const;
  std::size_t ItemCount() const;
  // Zero-based; null out of range.
  ItemPtr ItemAt(std::size_t index) const;

  // A new unsaved item of this folder; an empty class takes the folder's item
  // type's.
  ItemPtr NewItem(std::u16string messageClass = {});

  // The saved items whose text property, folded as ItemFilter folds it, is
  // `folded`, in insertion order; a series also when one of its changed
  // occurrences has that text. The lookup table of a property is made at its
  // first use and kept up to date while items come, change and go.
  std::vector<ItemPtr> ItemsWithText(std::string_view property, const std::u16string& folded) const;

 private:
  friend class Store;
  friend class Item;
  friend class Mailbox;

  // A folder of `store` with an entry id: the one given, else a new one of the
  // store's mailbox.
  static FolderPtr Make(std::shared_ptr<Mutex> mutex, std::u16string name,
                        std::int32_t defaultItemType, const StorePtr& store, Bytes entryId);
  void Append(const ItemPtr& item);
  bool Remove(const Item* item);
  // A saved item's properties or exceptions changed: it moves to the places of
  // its new texts in the lookup tables.
  void Refile(const ItemPtr& item);

  // The saved items by the folded texts of one property; each bucket in the
  // order the items entered the folder.
  struct TextIndex {
    std::unordered_map<std::u16string, std::map<std::uint64_t, ItemPtr>> buckets;
    // The texts each item is filed under.
    std::unordered_map<const Item*, std::vector<std::u16string>> filed;
  };
  static void File(TextIndex& index, std::string_view property, const ItemPtr& item);
  static void Unfile(TextIndex& index, const Item* item);

  std::shared_ptr<Mutex> mutex_;
  std::weak_ptr<Store> store_;
  std::weak_ptr<Folder> parent_;
  Bytes entryId_;
  std::u16string name_;
  std::int32_t defaultItemType_;
  std::vector<FolderPtr> folders_;
  std::vector<ItemPtr> items_;
  // The place the next item to enter takes in the order of the lookup tables.
  std::uint64_t nextOrder_ = 0;
  mutable std::map<std::string, TextIndex, IgnoreAsciiCaseLess> textIndexes_;
};

}  // namespace kelvra::store
