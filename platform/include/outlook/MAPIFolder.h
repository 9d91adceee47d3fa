// A folder of an Outlook store.
#pragma once

#include "outlook/Declarations.h"
#include "outlook/Enums.h"
#include "outlook/OlObjectClass.h"

namespace Outlook {

// Each property has a raw accessor returning the HRESULT (implemented by the store
// and by test fakes) and a wrapper that raises _com_error when it fails.
struct MAPIFolder : IDispatch {
  _bstr_t GetName();
  // The folder above (Class olFolder), or the NameSpace (olNamespace) above a store's
  // top folder.
  IDispatchPtr GetParent();
  OlObjectClass GetClass();
  _ItemsPtr GetItems();
  _FoldersPtr GetFolders();
  // Hex text; the same for every object that stands for the folder.
  _bstr_t GetEntryID();
  // The EntryID of the folder's store.
  _bstr_t GetStoreID();
  OlItemType GetDefaultItemType();
  _ApplicationPtr GetApplication();

  virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Parent(IDispatch** parent) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Class(OlObjectClass* objectClass) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Items(_Items** items) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Folders(_Folders** folders) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_EntryID(BSTR* entryId) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_StoreID(BSTR* storeId) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_DefaultItemType(OlItemType* type) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Application(_Application** application) = 0;
};

}  // namespace Outlook
