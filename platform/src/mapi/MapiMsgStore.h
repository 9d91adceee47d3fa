// A message store of the mailbox, opened by its entry id: its folders and messages
// by theirs.
#pragma once

#include "com/ComObject.h"
#include "mapi/MapiObjectCount.h"
#include "mapi/mapix.h"
#include "store/Nodes.h"

namespace kelvra::mapi {

class MapiMsgStore : public ComObject<IMsgStore>, private MapiObjectCount {
 public:
  explicit MapiMsgStore(store::StorePtr store) : store_(std::move(store)) {}

  // The store's own properties are not served.
  STDMETHODIMP GetProps(LPSPropTagArray, ULONG, ULONG*, LPSPropValue*) override {
    return MAPI_E_NO_SUPPORT;
  }
  // A folder or a message of this store; MAPI_E_NOT_FOUND for an id the store does
  // not hold, E_NOINTERFACE when the entry is not of the kind asked for.
  STDMETHODIMP OpenEntry(ULONG idSize, LPENTRYID id, LPCIID iid, ULONG flags, ULONG* objectType,
                         LPUNKNOWN* object) override;

 private:
  store::StorePtr store_;
};

}  // namespace kelvra::mapi
