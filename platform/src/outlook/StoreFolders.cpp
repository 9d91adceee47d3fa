#include "outlook/StoreFolders.h"

#include <algorithm>

#include "outlook/CallGate.h"
#include "outlook/IndexArgument.h"
#include "outlook/OutParam.h"
#include "outlook/StoreFolder.h"
#include "store/NameMatch.h"

namespace kelvra::outlook {

Outlook::_Folders* StoreFolders::Create(Source source) {
  auto* folders = new StoreFolders(std::move(source));
  folders->AddRef();
  return folders;
}

STDMETHODIMP StoreFolders::get_Count(long* count) {
  const HRESULT entered = CallGate::Enter("Folders.Count");
  if (FAILED(entered)) return entered;
  return HandOutValue(count, static_cast<long>(source_().size()));
}

STDMETHODIMP StoreFolders::raw_Item(VARIANT index, Outlook::MAPIFolder** folder) {
  const HRESULT entered = CallGate::Enter("Folders.Item");
  if (FAILED(entered)) return entered;
  if (folder == nullptr) return E_POINTER;
  *folder = nullptr;
  std::vector<FolderRef> folders = source_();
  std::size_t position = 0;
  if (index.vt == VT_BSTR) {
    const std::u16string name = TextOf(index.bstrVal);
    const auto found = std::find_if(folders.begin(), folders.end(), [&](const FolderRef& each) {
      return store::SameName(each.Name(), name);
    });
    if (found == folders.end()) return E_INVALIDARG;
    position = static_cast<std::size_t>(found - folders.begin());
  } else {
    const HRESULT valid = IndexArgument::Position(index, folders.size(), &position);
    if (FAILED(valid)) return valid;
  }
  *folder = StoreFolder::Acquire(std::move(folders[position]));
  return S_OK;
}

}  // namespace kelvra::outlook
