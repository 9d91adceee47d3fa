#include "sharestore/morvane/MorvaneMapi.h"

#include "sharestore/common/CLog.h"
#include "sharestore/morvane/EntryIdText.h"

namespace {

constexpr const char* kOpenFolderTag = "CMorvane::_MAPIOpenFolder";
constexpr const char* kTableTag = "CMorvane::_MAPIGetContextTable";
constexpr const char* kRowTag = "CMorvane::_MAPIGetRow";

SizedSPropTagArray(3, kColumns) = {3, {PR_ENTRYID, PR_LAST_MODIFICATION_TIME, PR_MESSAGE_CLASS}};
SizedSPropTagArray(1, kModificationTime) = {1, {PR_LAST_MODIFICATION_TIME}};

HRESULT Failed(const char* tag, HRESULT hr, const char* callText) {
  g_Log.LogError(tag, hr, "%s", callText);
  return hr;
}

HRESULT ToBinary(const char* text, const char* tag, BinaryEntryId& id) {
  const SCODE sc = EntryIdText::ToBinary(text, id);
  return sc == S_OK ? S_OK : Failed(tag, sc, "MAPIAllocateBuffer");
}

// The message class, or a class beginning with it and a dot; case counts.
HRESULT RestrictToClass(IMAPITable* table, const std::string& messageClass) {
  std::string whole = messageClass;
  std::string prefix = messageClass + ".";
  SPropValue values[2]{};
  values[0].ulPropTag = values[1].ulPropTag = PR_MESSAGE_CLASS;
  values[0].Value.lpszA = whole.data();
  values[1].Value.lpszA = prefix.data();
  SRestriction parts[2]{};
  parts[0].rt = parts[1].rt = RES_CONTENT;
  parts[0].res.resContent = SContentRestriction{FL_FULLSTRING, PR_MESSAGE_CLASS, &values[0]};
  parts[1].res.resContent = SContentRestriction{FL_PREFIX, PR_MESSAGE_CLASS, &values[1]};
  SRestriction either{};
  either.rt = RES_OR;
  either.res.resOr = SOrRestriction{2, parts};
  return table->Restrict(&either, 0);
}

}  // namespace

HRESULT MorvaneMapi::OpenStore(IMAPISession* session, const char* storeId, const char* tag,
                               CComPtr<IMsgStore>& store) {
  BinaryEntryId id;
  if (const HRESULT hr = ToBinary(storeId, tag, id); hr != S_OK) return hr;
  const HRESULT hr =
      session->OpenMsgStore(0, id.size, id.bytes.Get(), nullptr, MAPI_BEST_ACCESS, &store);
  return hr == S_OK ? S_OK : Failed(tag, hr, "lpSession->OpenMsgStore");
}

HRESULT MorvaneMapi::OpenEntryAs(IMsgStore* store, const char* entryId, REFIID iid, const char* tag,
                                 LPUNKNOWN* entry) {
  BinaryEntryId id;
  if (const HRESULT hr = ToBinary(entryId, tag, id); hr != S_OK) return hr;
  ULONG type = 0;
  const HRESULT hr =
      store->OpenEntry(id.size, id.bytes.Get(), &iid, MAPI_BEST_ACCESS, &type, entry);
  return hr == S_OK ? S_OK : Failed(tag, hr, "lpStore->OpenEntry");
}

HRESULT MorvaneMapi::OpenFolder(IMAPISession* session, const char* storeId, const char* folderId,
                                CComPtr<IMAPIFolder>& folder) {
  if (session == nullptr || storeId == nullptr || folderId == nullptr) {
    g_Log.Assert(false, kOpenFolderTag, 0);
    return -1;
  }
  CComPtr<IMsgStore> store;
  if (const HRESULT hr = OpenStore(session, storeId, kOpenFolderTag, store); hr != S_OK) return hr;
  return OpenEntry(store, folderId, kOpenFolderTag, folder);
}

HRESULT MorvaneMapi::GetContentsTable(IMAPIFolder* folder, const std::string& messageClass,
                                      CComPtr<IMAPITable>& table, ULONG& rowCount) {
  rowCount = 0;
  CComPtr<IMAPITable> opened;
  if (const HRESULT hr = folder->GetContentsTable(0, &opened); hr != S_OK)
    return Failed(kTableTag, hr, "lpFolder->GetContentsTable");
  if (const HRESULT hr = opened->SetColumns(reinterpret_cast<LPSPropTagArray>(&kColumns), 0);
      hr != S_OK)
    return Failed(kTableTag, hr, "lpTable->SetColumns");
  if (!messageClass.empty())
    if (const HRESULT hr = RestrictToClass(opened, messageClass); hr != S_OK)
      return Failed(kTableTag, hr, "lpTable->Restrict");
  if (const HRESULT hr = opened->GetRowCount(0, &rowCount); hr != S_OK)
    return Failed(kTableTag, hr, "lpTable->GetRowCount");
  table.Attach(opened.Detach());
  return S_OK;
}

HRESULT MorvaneMapi::GetRow(IMAPITable* table, std::string& entryId, FILETIME& time) {
  entryId.clear();
  time = FILETIME{};
  MapiRows rows;
  if (const HRESULT hr = table->QueryRows(1, 0, rows.Put()); hr != S_OK)
    return Failed(kRowTag, hr, "lpTable->QueryRows");
  if (!rows || rows.Get()->cRows == 0) return 1;
  const SRow& row = rows.Get()->aRow[0];
  if (row.cValues < 1 || row.lpProps[0].ulPropTag != PR_ENTRYID)
    g_Log.LogError(kRowTag, 0, "tag(0x%x) != PR_ENTRYID\n",
                   row.cValues < 1 ? 0u : row.lpProps[0].ulPropTag);
  else
    entryId = EntryIdText::ToText(row.lpProps[0].Value.bin.lpb, row.lpProps[0].Value.bin.cb);
  if (row.cValues < 2 || row.lpProps[1].ulPropTag != PR_LAST_MODIFICATION_TIME)
    g_Log.LogError(kRowTag, 0, "tag(0x%x) != PR_LAST_MODIFICATION_TIME\n",
                   row.cValues < 2 ? 0u : row.lpProps[1].ulPropTag);
  else
    time = row.lpProps[1].Value.ft;
  return S_OK;
}

HRESULT MorvaneMapi::ReadModificationTime(IMAPIProp* message, const char* tag, const char* callText,
                                          FILETIME& time) {
  ULONG count = 0;
  MapiBuffer<SPropValue> values;
  const HRESULT hr = message->GetProps(reinterpret_cast<LPSPropTagArray>(&kModificationTime), 0,
                                       &count, values.Put());
  if (hr != S_OK) return Failed(tag, hr, callText);
  if (count < 1 || !values || values.Get()[0].ulPropTag != PR_LAST_MODIFICATION_TIME)
    return Failed(tag, MAPI_E_NOT_FOUND, callText);
  time = values.Get()[0].Value.ft;
  return S_OK;
}
