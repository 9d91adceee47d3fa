// The MAPI reading of the item-share library, through the caller's session: opening a
// watched folder, its contents table and its rows, and a message's modification time.
// Every failing call is logged with its text and its HRESULT is returned unchanged;
// nothing obtained outlives the caller's owners.
#pragma once

#include <string>

#include "atl/atlbase.h"
#include "mapi/mapix.h"

class MorvaneMapi {
 public:
  // The store of that entry id text, logged under `tag`.
  static HRESULT OpenStore(IMAPISession* session, const char* storeId, const char* tag,
                           CComPtr<IMsgStore>& store);
  // An entry of the store (IID_IMAPIFolder or IID_IMessage), logged under `tag`.
  template <class Interface>
  static HRESULT OpenEntry(IMsgStore* store, const char* entryId, const char* tag,
                           CComPtr<Interface>& entry) {
    return OpenEntryAs(store, entryId, __uuidof(Interface), tag,
                       reinterpret_cast<LPUNKNOWN*>(&entry));
  }
  static HRESULT OpenFolder(IMAPISession* session, const char* storeId, const char* folderId,
                            CComPtr<IMAPIFolder>& folder);
  // The folder's contents table with its three columns, restricted to the message
  // class and its subclasses when one is given, and its row count.
  static HRESULT GetContentsTable(IMAPIFolder* folder, const std::string& messageClass,
                                  CComPtr<IMAPITable>& table, ULONG& rowCount);
  // S_OK and the next row's entry id text (empty when the column is not PR_ENTRYID)
  // and time (0 when that column is not PR_LAST_MODIFICATION_TIME); 1 after the last
  // row.
  static HRESULT GetRow(IMAPITable* table, std::string& entryId, FILETIME& time);
  // PR_LAST_MODIFICATION_TIME of a message; any result but S_OK is logged under `tag`
  // with `callText` and returned.
  static HRESULT ReadModificationTime(IMAPIProp* message, const char* tag, const char* callText,
                                      FILETIME& time);

 private:
  static HRESULT OpenEntryAs(IMsgStore* store, const char* entryId, REFIID iid, const char* tag,
                             LPUNKNOWN* entry);
};
