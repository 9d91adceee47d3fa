// A folder collection: the subfolders of a folder, or the stores' root folders. It
// asks its source again at every call, so it follows folders added since.
#pragma once

#include <functional>
#include <vector>

#include "outlook/FolderRef.h"
#include "outlook/Folders.h"
#include "outlook/StandInObject.h"

namespace kelvra::outlook {

class StoreFolders : public StandInObject<Outlook::_Folders> {
 public:
  using Source = std::function<std::vector<FolderRef>()>;

  // A new collection with a reference for the caller.
  static Outlook::_Folders* Create(Source source);

  STDMETHODIMP get_Count(long* count) override;
  // A position, or a folder name without regard to case (E_INVALIDARG when absent).
  STDMETHODIMP raw_Item(VARIANT index, Outlook::MAPIFolder** folder) override;

 private:
  explicit StoreFolders(Source source) : source_(std::move(source)) {}

  Source source_;
};

}  // namespace kelvra::outlook
