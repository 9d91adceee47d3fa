// The explorer interfaces of the Outlook object model, declared with their IIDs and
// smart pointers so that the application and the explorers can name each other.
#pragma once

#include "com/comdef.h"

namespace Outlook {

KELVRA_INTERFACE_IID(_Explorers, 0x0006300A, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(_Explorers, __uuidof(_Explorers));

KELVRA_INTERFACE_IID(_Explorer, 0x00063003, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(_Explorer, __uuidof(_Explorer));

KELVRA_INTERFACE_IID(Selection, 0x00063087, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(Selection, __uuidof(Selection));

}  // namespace Outlook
