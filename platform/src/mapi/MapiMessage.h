// A message of a store, opened by its entry id: its properties for GetProps.
#pragma once

#include "com/ComObject.h"
#include "mapi/MapiObjectCount.h"
#include "mapi/mapix.h"
#include "store/Nodes.h"

namespace kelvra::mapi {

class MapiMessage : public ComObject<IMessage>, private MapiObjectCount {
 public:
  explicit MapiMessage(store::ItemPtr item) : item_(std::move(item)) {}

  STDMETHODIMP GetProps(LPSPropTagArray tags, ULONG flags, ULONG* count,
                        LPSPropValue* values) override;

 private:
  store::ItemPtr item_;
};

}  // namespace kelvra::mapi
