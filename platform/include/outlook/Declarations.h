// Every interface of the Outlook object model, declared with its IID and its smart
// pointer, so that the interfaces can name each other whatever order their headers
// come in. One line pair per interface.
#pragma once

#include "com/comdef.h"

namespace Outlook {

KELVRA_INTERFACE_IID(_Application, 0x00063001, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(_Application, __uuidof(_Application));

KELVRA_INTERFACE_IID(_NameSpace, 0x00063002, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(_NameSpace, __uuidof(_NameSpace));

KELVRA_INTERFACE_IID(MAPIFolder, 0x00063006, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(MAPIFolder, __uuidof(MAPIFolder));

KELVRA_INTERFACE_IID(_Folders, 0x00063040, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x46)
_COM_SMARTPTR_TYPEDEF(_Folders, __uuidof(_Folders));

KELVRA_INTERFACE_IID(_Items, 0x00063041, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x46)
_COM_SMARTPTR_TYPEDEF(_Items, __uuidof(_Items));

KELVRA_INTERFACE_IID(_ContactItem, 0x00063021, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(_ContactItem, __uuidof(_ContactItem));

KELVRA_INTERFACE_IID(_DistListItem, 0x00063081, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(_DistListItem, __uuidof(_DistListItem));

KELVRA_INTERFACE_IID(Attachments, 0x0006303C, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(Attachments, __uuidof(Attachments));

KELVRA_INTERFACE_IID(Attachment, 0x00063007, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(Attachment, __uuidof(Attachment));

}  // namespace Outlook
