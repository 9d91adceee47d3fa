#include "mapi/MapiMsgStore.h"

#include "mapi/MapiFolder.h"
#include "mapi/MapiMessage.h"
#include "store/FaultPlan.h"
#include "store/Folder.h"
#include "store/Item.h"
#include "store/Mailbox.h"
#include "store/Store.h"

namespace kelvra::mapi {

namespace {

// The object as the interface asked for (none: as it is), handed out with one reference.
template <class Object>
HRESULT HandOut(Object* made, LPCIID iid, LPUNKNOWN* object) {
  made->AddRef();
  void* answered = nullptr;
  const HRESULT hr = made->QueryInterface(iid != nullptr ? *iid : IID_IUnknown, &answered);
  made->Release();
  *object = static_cast<LPUNKNOWN>(answered);
  return hr;
}

}  // namespace

STDMETHODIMP MapiMsgStore::OpenEntry(ULONG idSize, LPENTRYID id, LPCIID iid, ULONG,
                                     ULONG* objectType, LPUNKNOWN* object) {
  HRESULT hr = S_OK;
  if (store::FaultPlan::Hit("IMsgStore.OpenEntry", &hr)) return hr;
  if (object == nullptr) return MAPI_E_INVALID_PARAMETER;
  *object = nullptr;
  if (id == nullptr || idSize == 0) return MAPI_E_INVALID_ENTRYID;
  const auto* bytes = reinterpret_cast<const BYTE*>(id);
  const store::Bytes wanted(bytes, bytes + idSize);
  const store::MailboxPtr mailbox = store_->OwningMailbox();
  if (!mailbox) return MAPI_E_NOT_FOUND;
  if (const store::FolderPtr folder = mailbox->FindFolder(wanted);
      folder && folder->OwningStore() == store_) {
    if (objectType != nullptr) *objectType = MAPI_FOLDER;
    return HandOut(new MapiFolder(folder), iid, object);
  }
  const store::ItemPtr item = mailbox->FindItem(wanted);
  const store::FolderPtr parent = item ? item->Parent() : nullptr;
  if (!parent || parent->OwningStore() != store_) return MAPI_E_NOT_FOUND;
  if (objectType != nullptr) *objectType = MAPI_MESSAGE;
  return HandOut(new MapiMessage(item), iid, object);
}

}  // namespace kelvra::mapi
