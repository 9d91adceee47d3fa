#include "outlook/NameSpace.h"

#include "outlook/Folders.h"
#include "outlook/MAPIFolder.h"
#include "outlook/WrapperCall.h"

namespace Outlook {

using namespace kelvra::outlook;

MAPIFolderPtr _NameSpace::GetDefaultFolder(OlDefaultFolders folder) {
  return FetchObject<MAPIFolderPtr>(
      this, [&](MAPIFolder** result) { return raw_GetDefaultFolder(folder, result); });
}

_FoldersPtr _NameSpace::GetFolders() {
  return GetObject<_FoldersPtr>(this, &_NameSpace::get_Folders);
}

IDispatchPtr _NameSpace::GetItemFromID(_bstr_t entryId, const _variant_t& storeId) {
  return FetchObject<IDispatchPtr>(
      this, [&](IDispatch** item) { return raw_GetItemFromID(entryId, storeId, item); });
}

OlObjectClass _NameSpace::GetClass() { return GetValue(this, &_NameSpace::get_Class); }

MAPIFolderPtr _NameSpace::PickFolder() {
  return GetObject<MAPIFolderPtr>(this, &_NameSpace::raw_PickFolder);
}

HRESULT STDMETHODCALLTYPE _NameSpace::raw_PickFolder(MAPIFolder** folder) {
  if (folder != nullptr) *folder = nullptr;
  return E_NOTIMPL;
}

}  // namespace Outlook
