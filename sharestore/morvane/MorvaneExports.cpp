// The functions the item-share library exports.
#include <new>

#include "sharestore/common/Arguments.h"
#include "sharestore/common/CLog.h"
#include "sharestore/common/LibraryBoundary.h"
#include "sharestore/morvane/CMorvane.h"
#include "sharestore/morvane/MorvaneMapi.h"

namespace {

int ItemModificationTime(IMAPISession* session, const char* itemEntryId, const char* storeEntryId,
                         FILETIME* time) {
  static const char* const kTag = "Morvane_GetItemLMT";
  // An empty id names nothing, like a missing one.
  if (session == nullptr || IsEmptyText(itemEntryId) || IsEmptyText(storeEntryId) ||
      time == nullptr)
    return BadArgument(kTag);
  CComPtr<IMsgStore> store;
  if (const HRESULT hr = MorvaneMapi::OpenStore(session, storeEntryId, kTag, store); hr != S_OK)
    return hr;
  CComPtr<IMessage> message;
  if (const HRESULT hr = MorvaneMapi::OpenEntry(store, itemEntryId, kTag, message); hr != S_OK)
    return hr;
  return MorvaneMapi::ReadModificationTime(message, kTag, "lpMessage->GetProps", *time);
}

int ObjectModificationTime(IUnknown* item, FILETIME* time) {
  static const char* const kTag = "Morvane_GetItemLMT2";
  if (item == nullptr || time == nullptr) return BadArgument(kTag);
  CComPtr<IMessage> message;
  if (const HRESULT hr = item->QueryInterface(IID_IMessage, reinterpret_cast<void**>(&message));
      hr != S_OK) {
    g_Log.LogError(kTag, hr, "QueryInterface");
    return hr;
  }
  return MorvaneMapi::ReadModificationTime(message, kTag, "GetProps", *time);
}

}  // namespace

int WINAPI Morvane_ConfigLog(const char* errorLogPath, const char* logPath, int debugOutput,
                             int level) {
  return Guarded("Morvane_ConfigLog",
                 [&] { return g_Log.InitLog(errorLogPath, logPath, debugOutput != 0, level); });
}

IMorvane* WINAPI Morvane_CreateObject() { return new (std::nothrow) CMorvane(); }

int WINAPI Morvane_GetItemLMT(IMAPISession* session, const char* itemEntryId,
                              const char* storeEntryId, FILETIME* time) {
  return Guarded("Morvane_GetItemLMT",
                 [&] { return ItemModificationTime(session, itemEntryId, storeEntryId, time); });
}

int WINAPI Morvane_GetItemLMT2(IUnknown* item, FILETIME* time) {
  return Guarded("Morvane_GetItemLMT2", [&] { return ObjectModificationTime(item, time); });
}
