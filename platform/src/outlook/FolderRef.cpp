#include "outlook/FolderRef.h"

#include <utility>

#include "store/Folder.h"
#include "store/Store.h"

namespace kelvra::outlook {

FolderRef::FolderRef(store::StorePtr store, store::FolderPtr folder)
    : store_(std::move(store)), folder_(std::move(folder)) {}

FolderRef FolderRef::Root(store::StorePtr store) { return FolderRef(std::move(store), nullptr); }

FolderRef FolderRef::Of(store::FolderPtr folder) {
  store::StorePtr store = folder->OwningStore();
  return FolderRef(std::move(store), std::move(folder));
}

const void* FolderRef::Key() const {
  return IsRoot() ? static_cast<const void*>(store_.get()) : folder_.get();
}

std::u16string FolderRef::Name() const { return IsRoot() ? store_->Name() : folder_->Name(); }

store::Bytes FolderRef::EntryId() const {
  return IsRoot() ? store_->EntryId() : folder_->EntryId();
}

std::vector<FolderRef> FolderRef::Subfolders() const {
  std::vector<FolderRef> subfolders;
  for (store::FolderPtr& folder : IsRoot() ? store_->Folders() : folder_->Folders()) {
    subfolders.push_back(FolderRef(store_, std::move(folder)));
  }
  return subfolders;
}

FolderRef FolderRef::Parent() const {
  store::FolderPtr parent = folder_->Parent();
  return parent != nullptr ? FolderRef(store_, std::move(parent)) : Root(store_);
}

}  // namespace kelvra::outlook
