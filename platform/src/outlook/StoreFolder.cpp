#include "outlook/StoreFolder.h"

#include "outlook/CallGate.h"
#include "outlook/ObjectCache.h"
#include "outlook/OutParam.h"
#include "outlook/StoreApplication.h"
#include "outlook/StoreFolders.h"
#include "outlook/StoreItems.h"
#include "outlook/StoreNameSpace.h"
#include "store/Folder.h"
#include "store/HexText.h"
#include "store/Store.h"

namespace kelvra::outlook {

namespace {

ObjectCache<StoreFolder>& Cache() {
  static auto* cache = new ObjectCache<StoreFolder>;
  return *cache;
}

}  // namespace

Outlook::MAPIFolder* StoreFolder::Acquire(FolderRef folder) {
  const void* key = folder.Key();
  return Cache().Acquire(key, [&] { return new StoreFolder(std::move(folder)); });
}

StoreFolder::~StoreFolder() { Cache().Forget(folder_.Key(), this); }

STDMETHODIMP StoreFolder::get_Name(BSTR* name) {
  const HRESULT entered = CallGate::Enter("Folder.Name");
  if (FAILED(entered)) return entered;
  return HandOutText(name, folder_.Name());
}

STDMETHODIMP StoreFolder::get_Parent(IDispatch** parent) {
  const HRESULT entered = CallGate::Enter("Folder.Parent");
  if (FAILED(entered)) return entered;
  if (parent == nullptr) return E_POINTER;
  *parent = nullptr;
  if (folder_.Store() == nullptr) return E_FAIL;
  if (folder_.IsRoot()) {
    *parent = StoreNameSpace::Acquire();
  } else {
    *parent = Acquire(folder_.Parent());
  }
  return S_OK;
}

STDMETHODIMP StoreFolder::get_Class(Outlook::OlObjectClass* objectClass) {
  const HRESULT entered = CallGate::Enter("Folder.Class");
  if (FAILED(entered)) return entered;
  return HandOutValue(objectClass, Outlook::olFolder);
}

STDMETHODIMP StoreFolder::get_Items(Outlook::_Items** items) {
  const HRESULT entered = CallGate::Enter("Folder.Items");
  if (FAILED(entered)) return entered;
  return HandOutObject(items, [&] { return StoreItems::Create(folder_.Folder()); });
}

STDMETHODIMP StoreFolder::get_Folders(Outlook::_Folders** folders) {
  const HRESULT entered = CallGate::Enter("Folder.Folders");
  if (FAILED(entered)) return entered;
  return HandOutObject(folders, [&] {
    return StoreFolders::Create([folder = folder_] { return folder.Subfolders(); });
  });
}

STDMETHODIMP StoreFolder::get_EntryID(BSTR* entryId) {
  const HRESULT entered = CallGate::Enter("Folder.EntryID");
  if (FAILED(entered)) return entered;
  return HandOutText(entryId, store::HexText::WideOf(folder_.EntryId()));
}

STDMETHODIMP StoreFolder::get_StoreID(BSTR* storeId) {
  const HRESULT entered = CallGate::Enter("Folder.StoreID");
  if (FAILED(entered)) return entered;
  const store::StorePtr& owner = folder_.Store();
  return HandOutText(storeId, owner != nullptr ? store::HexText::WideOf(owner->EntryId()) : u"");
}

STDMETHODIMP StoreFolder::get_DefaultItemType(Outlook::OlItemType* type) {
  const HRESULT entered = CallGate::Enter("Folder.DefaultItemType");
  if (FAILED(entered)) return entered;
  // A store's root folder holds mail.
  const auto itemType = folder_.IsRoot()
                            ? Outlook::olMailItem
                            : static_cast<Outlook::OlItemType>(folder_.Folder()->DefaultItemType());
  return HandOutValue(type, itemType);
}

STDMETHODIMP StoreFolder::get_Application(Outlook::_Application** application) {
  const HRESULT entered = CallGate::Enter("Folder.Application");
  if (FAILED(entered)) return entered;
  return HandOutObject(application, &StoreApplication::Acquire);
}

}  // namespace kelvra::outlook
