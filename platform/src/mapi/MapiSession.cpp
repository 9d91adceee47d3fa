#include "mapi/MapiSession.h"

#include "mapi/MapiMsgStore.h"
#include "store/CurrentMailbox.h"
#include "store/FaultPlan.h"
#include "store/Mailbox.h"

namespace kelvra::mapi {

IMAPISession* MapiSession::Create() {
  auto* session = new MapiSession();
  session->AddRef();
  return session;
}

STDMETHODIMP MapiSession::OpenMsgStore(ULONG_PTR, ULONG idSize, LPENTRYID id, LPCIID iid, ULONG,
                                       LPMDB* store) {
  HRESULT hr = S_OK;
  if (store::FaultPlan::Hit("IMAPISession.OpenMsgStore", &hr)) return hr;
  if (store == nullptr) return MAPI_E_INVALID_PARAMETER;
  *store = nullptr;
  if (id == nullptr || idSize == 0) return MAPI_E_INVALID_ENTRYID;
  if (iid != nullptr && *iid != IID_IMsgStore && *iid != IID_IUnknown) return E_NOINTERFACE;
  const auto* bytes = reinterpret_cast<const BYTE*>(id);
  const store::StorePtr found =
      store::CurrentMailbox::Get()->FindStore(store::Bytes(bytes, bytes + idSize));
  if (!found) return MAPI_E_NOT_FOUND;
  *store = new MapiMsgStore(found);
  (*store)->AddRef();
  return S_OK;
}

}  // namespace kelvra::mapi
