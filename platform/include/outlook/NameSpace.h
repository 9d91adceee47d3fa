// The MAPI namespace: the stores of the session and their default folders.
#pragma once

#include "outlook/Declarations.h"
#include "outlook/Enums.h"
#include "outlook/OlObjectClass.h"

namespace Outlook {

// Each property has a raw accessor returning the HRESULT (implemented by the store
// and by test fakes) and a wrapper that raises _com_error when it fails.
struct _NameSpace : IDispatch {
  // The default folder of that kind in the default (first) store.
  MAPIFolderPtr GetDefaultFolder(OlDefaultFolders folder);
  // The stores' top folders.
  _FoldersPtr GetFolders();
  // The saved item with that EntryID in any folder, Deleted Items included; the store
  // id may be a store's EntryID text or a missing or empty argument.
  IDispatchPtr GetItemFromID(_bstr_t entryId, const _variant_t& storeId);
  // olNamespace.
  OlObjectClass GetClass();
  // Outlook's folder picker: the folder the user chose, or NULL for Cancel.
  MAPIFolderPtr PickFolder();

  virtual HRESULT STDMETHODCALLTYPE raw_GetDefaultFolder(OlDefaultFolders folder,
                                                         MAPIFolder** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Folders(_Folders** folders) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_GetItemFromID(BSTR entryId, VARIANT storeId,
                                                      IDispatch** item) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Class(OlObjectClass* objectClass) = 0;
  // Fakes that play no user need not give it: it answers E_NOTIMPL.
  virtual HRESULT STDMETHODCALLTYPE raw_PickFolder(MAPIFolder** folder);
};

}  // namespace Outlook
