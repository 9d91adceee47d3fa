// The stand-in Outlook application over the current mailbox (testkit/Store.h), as the
// host hands it to the add-in.
//
// Every member of the stand-in's Outlook and Redemption objects can be made to fail
// with testkit::FailCall under the name "Interface.Member": "Application.Version",
// "Application.Session", "Application.GetNamespace", "Application.CreateItem",
// "NameSpace.GetDefaultFolder", "NameSpace.Folders", "NameSpace.GetItemFromID",
// "NameSpace.Class", "Folder.<property>" (Name, Parent, Class, Items, Folders, EntryID,
// StoreID, DefaultItemType, Application), "Folders.Count", "Folders.Item",
// "Items.Count", "Items.Item", "Items.Add", "ContactItem.<property or method>" (a
// property's get and put share the name), "DistListItem.DLName", "DistListItem.Class",
// "DistListItem.MessageClass", "Attachments.Count", "Attachments.Item",
// "Attachment.Type", "Attachment.FileName", "Attachment.SaveAsFile",
// "Attachment.Fields" (the attachment names serve both the Outlook and the Redemption
// view), "SafeContactItem.<property>" (Item, Body, Email1Address..., Attachments),
// "MAPIUtils.GetAddressEntryFromID", "AddressEntry.SMTPAddress".
#pragma once

#include <cstddef>

#include "outlook/outlook.h"

namespace testkit {

// The live application object, or a new one; the objects reached from it read and
// write the mailbox that is current when they are used.
Outlook::_ApplicationPtr CreateOutlookApplication();

// Objects of the Outlook object model and of Redemption alive right now, for checking
// that code releases what it takes.
std::size_t LiveOutlookObjects();

}  // namespace testkit
