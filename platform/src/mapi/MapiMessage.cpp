#include "mapi/MapiMessage.h"

#include <vector>

#include "mapi/MessageProps.h"
#include "store/FaultPlan.h"
#include "store/Item.h"

namespace kelvra::mapi {

STDMETHODIMP MapiMessage::GetProps(LPSPropTagArray tags, ULONG, ULONG* count,
                                   LPSPropValue* values) {
  HRESULT hr = S_OK;
  if (store::FaultPlan::Hit("IMessage.GetProps", &hr)) return hr;
  if (count == nullptr || values == nullptr) return MAPI_E_INVALID_PARAMETER;
  *count = 0;
  *values = nullptr;
  // Without a tag list: every property the message has.
  const std::vector<ULONG> wanted =
      tags != nullptr ? std::vector<ULONG>(tags->aulPropTag, tags->aulPropTag + tags->cValues)
                      : std::vector<ULONG>{PR_ENTRYID, PR_LAST_MODIFICATION_TIME, PR_MESSAGE_CLASS};
  void* buffer = nullptr;
  if (const SCODE sc =
          MAPIAllocateBuffer(static_cast<ULONG>(wanted.size() * sizeof(SPropValue)), &buffer);
      sc != S_OK)
    return sc;
  auto* props = static_cast<LPSPropValue>(buffer);
  HRESULT result = S_OK;
  for (std::size_t i = 0; i < wanted.size(); ++i) {
    const HRESULT filled = MessageProps::Fill(*item_, wanted[i], buffer, props[i]);
    if (FAILED(filled)) {
      MAPIFreeBuffer(buffer);
      return filled;
    }
    if (filled != S_OK) result = filled;
  }
  *count = static_cast<ULONG>(wanted.size());
  *values = props;
  return result;
}

}  // namespace kelvra::mapi
