// A MAPI session over the stand-in's current mailbox: its message stores by their
// entry ids.
#pragma once

#include "com/ComObject.h"
#include "mapi/MapiObjectCount.h"
#include "mapi/mapix.h"

namespace kelvra::mapi {

class MapiSession : public ComObject<IMAPISession>, private MapiObjectCount {
 public:
  // A new session with one reference, owned by the caller.
  static IMAPISession* Create();

  // MAPI_E_INVALID_ENTRYID for a missing id, MAPI_E_NOT_FOUND for one no store has.
  STDMETHODIMP OpenMsgStore(ULONG_PTR uiParam, ULONG idSize, LPENTRYID id, LPCIID iid, ULONG flags,
                            LPMDB* store) override;

 private:
  MapiSession() = default;
};

}  // namespace kelvra::mapi
