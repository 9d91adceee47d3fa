#include "outlook/MAPIFolder.h"

#include "outlook/Application.h"
#include "outlook/Folders.h"
#include "outlook/Items.h"
#include "outlook/WrapperCall.h"

namespace Outlook {

using namespace kelvra::outlook;

_bstr_t MAPIFolder::GetName() { return GetText(this, &MAPIFolder::get_Name); }

IDispatchPtr MAPIFolder::GetParent() {
  return GetObject<IDispatchPtr>(this, &MAPIFolder::get_Parent);
}

OlObjectClass MAPIFolder::GetClass() { return GetValue(this, &MAPIFolder::get_Class); }

_ItemsPtr MAPIFolder::GetItems() { return GetObject<_ItemsPtr>(this, &MAPIFolder::get_Items); }

_FoldersPtr MAPIFolder::GetFolders() {
  return GetObject<_FoldersPtr>(this, &MAPIFolder::get_Folders);
}

_bstr_t MAPIFolder::GetEntryID() { return GetText(this, &MAPIFolder::get_EntryID); }

_bstr_t MAPIFolder::GetStoreID() { return GetText(this, &MAPIFolder::get_StoreID); }

OlItemType MAPIFolder::GetDefaultItemType() {
  return GetValue(this, &MAPIFolder::get_DefaultItemType);
}

_ApplicationPtr MAPIFolder::GetApplication() {
  return GetObject<_ApplicationPtr>(this, &MAPIFolder::get_Application);
}

}  // namespace Outlook
