// Every interface of the Outlook object model, declared with its IID and its smart
// pointer, so that the interfaces can name each other whatever order their headers
// come in. One line pair per interface.
#pragma once

#include "com/comdef.h"

namespace Outlook {

KELVRA_INTERFACE_IID(_Application, 0x00063001, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(_Application, __uuidof(_Application));

KELVRA_INTERFACE_IID(MAPIFolder, 0x00063006, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(MAPIFolder, __uuidof(MAPIFolder));

}  // namespace Outlook
