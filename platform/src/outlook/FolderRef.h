// A folder as the object model sees it: a folder of a store, or the store's root
// folder (named as the store, above the store's top folders, below the NameSpace).
#pragma once

#include <vector>

#include "store/Nodes.h"
#include "store/Value.h"

namespace kelvra::outlook {

class FolderRef {
 public:
  static FolderRef Root(store::StorePtr store);
  static FolderRef Of(store::FolderPtr folder);

  bool IsRoot() const { return folder_ == nullptr; }
  // The node the folder's object stands for.
  const void* Key() const;
  // Null for a root folder.
  const store::FolderPtr& Folder() const { return folder_; }
  // Null once the store has left the mailbox.
  const store::StorePtr& Store() const { return store_; }

  std::u16string Name() const;
  store::Bytes EntryId() const;
  std::vector<FolderRef> Subfolders() const;
  // The folder above; the root folder for a top folder. Not for a root folder.
  FolderRef Parent() const;

 private:
  FolderRef(store::StorePtr store, store::FolderPtr folder);

  store::StorePtr store_;
  store::FolderPtr folder_;
};

}  // namespace kelvra::outlook
