#include "outlook/StoreNameSpace.h"

#include <optional>

#include "outlook/CallGate.h"
#include "outlook/FolderRef.h"
#include "outlook/ItemObjects.h"
#include "outlook/NameSpacePickerDesk.h"
#include "outlook/ObjectCache.h"
#include "outlook/OutParam.h"
#include "outlook/StoreFolder.h"
#include "outlook/StoreFolders.h"
#include "store/CurrentMailbox.h"
#include "store/Folder.h"
#include "store/HexText.h"
#include "store/Item.h"
#include "store/Mailbox.h"
#include "store/NameMatch.h"
#include "store/Store.h"
#include "store/Utf.h"

namespace kelvra::outlook {

namespace {

ObjectCache<StoreNameSpace>& Cache() {
  static auto* cache = new ObjectCache<StoreNameSpace>;
  return *cache;
}

std::vector<FolderRef> StoreRoots() {
  std::vector<FolderRef> roots;
  for (store::StorePtr& store : store::CurrentMailbox::Get()->Stores()) {
    roots.push_back(FolderRef::Root(std::move(store)));
  }
  return roots;
}

bool IsLeftOut(const VARIANT& argument) {
  return argument.vt == VT_ERROR || argument.vt == VT_EMPTY ||
         (argument.vt == VT_BSTR && SysStringLen(argument.bstrVal) == 0);
}

// Whether the item lies in the store that the argument names (any store when the
// argument is left out).
bool InNamedStore(const store::Item& item, const VARIANT& storeId) {
  if (IsLeftOut(storeId)) return true;
  if (storeId.vt != VT_BSTR) return false;
  const std::optional<store::Bytes> wanted = store::HexText::Parse(TextOf(storeId.bstrVal));
  const store::FolderPtr folder = item.Parent();
  const store::StorePtr owner = folder != nullptr ? folder->OwningStore() : nullptr;
  return wanted.has_value() && owner != nullptr && owner->EntryId() == *wanted;
}

// The names of a folder path, empty ones (the leading "\\") left out.
std::vector<std::u16string> PathNames(const std::string& path) {
  std::vector<std::u16string> names;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t cut = path.find_first_of("\\/", start);
    if (cut == std::string::npos) cut = path.size();
    if (cut > start) names.push_back(store::Utf::ToUtf16(path.substr(start, cut - start)));
    start = cut + 1;
  }
  return names;
}

// The folder of a path: the store's name, then the folders below its top.
store::FolderPtr FolderAt(const std::string& path) {
  const std::vector<std::u16string> names = PathNames(path);
  if (names.size() < 2) return nullptr;
  for (const store::StorePtr& store : store::CurrentMailbox::Get()->Stores()) {
    if (!store::SameName(store->Name(), names.front())) continue;
    store::FolderPtr folder = store->FindFolder(names[1]);
    for (std::size_t i = 2; folder != nullptr && i < names.size(); ++i)
      folder = folder->FindFolder(names[i]);
    return folder;
  }
  return nullptr;
}

}  // namespace

Outlook::_NameSpace* StoreNameSpace::Acquire() {
  return Cache().Acquire(nullptr, [] { return new StoreNameSpace; });
}

StoreNameSpace::~StoreNameSpace() { Cache().Forget(nullptr, this); }

STDMETHODIMP StoreNameSpace::raw_GetDefaultFolder(Outlook::OlDefaultFolders folder,
                                                  Outlook::MAPIFolder** result) {
  const HRESULT entered = CallGate::Enter("NameSpace.GetDefaultFolder");
  if (FAILED(entered)) return entered;
  if (result == nullptr) return E_POINTER;
  *result = nullptr;
  store::FolderPtr found = store::CurrentMailbox::Get()->DefaultFolder(folder);
  if (found == nullptr) return MAPI_E_NOT_FOUND;
  *result = StoreFolder::Acquire(FolderRef::Of(std::move(found)));
  return S_OK;
}

STDMETHODIMP StoreNameSpace::get_Folders(Outlook::_Folders** folders) {
  const HRESULT entered = CallGate::Enter("NameSpace.Folders");
  if (FAILED(entered)) return entered;
  return HandOutObject(folders, [] { return StoreFolders::Create(&StoreRoots); });
}

STDMETHODIMP StoreNameSpace::raw_GetItemFromID(BSTR entryId, VARIANT storeId, IDispatch** item) {
  const HRESULT entered = CallGate::Enter("NameSpace.GetItemFromID");
  if (FAILED(entered)) return entered;
  if (item == nullptr) return E_POINTER;
  *item = nullptr;
  const std::optional<store::Bytes> id = store::HexText::Parse(TextOf(entryId));
  if (!id.has_value() || id->empty()) return MAPI_E_NOT_FOUND;
  const store::ItemPtr found = store::CurrentMailbox::Get()->FindItem(*id);
  if (found == nullptr || !InNamedStore(*found, storeId)) return MAPI_E_NOT_FOUND;
  return ItemObjects::HandOut(found, item);
}

STDMETHODIMP StoreNameSpace::get_Class(Outlook::OlObjectClass* objectClass) {
  const HRESULT entered = CallGate::Enter("NameSpace.Class");
  if (FAILED(entered)) return entered;
  return HandOutValue(objectClass, Outlook::olNamespace);
}

STDMETHODIMP StoreNameSpace::raw_PickFolder(Outlook::MAPIFolder** folder) {
  const HRESULT entered = CallGate::Enter("NameSpace.PickFolder");
  if (FAILED(entered)) return entered;
  if (folder == nullptr) return E_POINTER;
  *folder = nullptr;
  const std::optional<std::string> answer = NameSpacePickerDesk::Instance().Show();
  if (!answer.has_value()) return S_OK;
  store::FolderPtr chosen = FolderAt(*answer);
  if (chosen == nullptr) return MAPI_E_NOT_FOUND;
  *folder = StoreFolder::Acquire(FolderRef::Of(std::move(chosen)));
  return S_OK;
}

}  // namespace kelvra::outlook
