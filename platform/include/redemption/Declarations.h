// Every Redemption interface the system calls, declared with its IID and its smart
// pointer, so that the interfaces can name each other whatever order their headers
// come in. The IIDs are this platform's own.
#pragma once

#include "com/comdef.h"

namespace Redemption {

KELVRA_INTERFACE_IID(ISafeContactItem, 0x4B3E7A01, 0x5C21, 0x4D8B, 0x9E, 0x6F, 0x3A, 0x1B, 0x2C,
                     0x4D, 0x5E, 0x6F)
_COM_SMARTPTR_TYPEDEF(ISafeContactItem, __uuidof(ISafeContactItem));

KELVRA_INTERFACE_IID(IAttachments, 0x4B3E7A02, 0x5C21, 0x4D8B, 0x9E, 0x6F, 0x3A, 0x1B, 0x2C, 0x4D,
                     0x5E, 0x6F)
_COM_SMARTPTR_TYPEDEF(IAttachments, __uuidof(IAttachments));

KELVRA_INTERFACE_IID(IAttachment, 0x4B3E7A03, 0x5C21, 0x4D8B, 0x9E, 0x6F, 0x3A, 0x1B, 0x2C, 0x4D,
                     0x5E, 0x6F)
_COM_SMARTPTR_TYPEDEF(IAttachment, __uuidof(IAttachment));

KELVRA_INTERFACE_IID(IMAPIUtils, 0x4B3E7A04, 0x5C21, 0x4D8B, 0x9E, 0x6F, 0x3A, 0x1B, 0x2C, 0x4D,
                     0x5E, 0x6F)
_COM_SMARTPTR_TYPEDEF(IMAPIUtils, __uuidof(IMAPIUtils));

KELVRA_INTERFACE_IID(IAddressEntry, 0x4B3E7A05, 0x5C21, 0x4D8B, 0x9E, 0x6F, 0x3A, 0x1B, 0x2C, 0x4D,
                     0x5E, 0x6F)
_COM_SMARTPTR_TYPEDEF(IAddressEntry, __uuidof(IAddressEntry));

KELVRA_INTERFACE_IID(ISafeRecipients, 0x4B3E7A07, 0x5C21, 0x4D8B, 0x9E, 0x6F, 0x3A, 0x1B, 0x2C,
                     0x4D, 0x5E, 0x6F)
_COM_SMARTPTR_TYPEDEF(ISafeRecipients, __uuidof(ISafeRecipients));

KELVRA_INTERFACE_IID(ISafeRecipient, 0x4B3E7A08, 0x5C21, 0x4D8B, 0x9E, 0x6F, 0x3A, 0x1B, 0x2C, 0x4D,
                     0x5E, 0x6F)
_COM_SMARTPTR_TYPEDEF(ISafeRecipient, __uuidof(ISafeRecipient));

}  // namespace Redemption
