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
// "MAPIUtils.GetAddressEntryFromID", "AddressEntry.SMTPAddress", "Application.Explorers",
// "Application.ActiveExplorer", "Explorers.Count", "Explorers.Item",
// "Explorer.CurrentFolder" (get and put), "Explorer.Selection", "Explorer.Activate",
// "Explorer.Caption", "Explorer.CommandBars", "Selection.Count", "Selection.Item"; the
// command bars' members are listed in testkit/CommandBars.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "outlook/outlook.h"

namespace testkit {

// The live application object, or a new one; the objects reached from it read and
// write the mailbox that is current when they are used.
Outlook::_ApplicationPtr CreateOutlookApplication();

// Objects of the Outlook object model and of Redemption alive right now, for checking
// that code releases what it takes.
std::size_t LiveOutlookObjects();

// Occurrences of series that collections listing occurrences have made so far in
// this process, for checking the work a walk costs.
std::uint64_t OutlookOccurrencesMade();

// Explorer windows and Outlook's events. Events reach the sinks connected at the time,
// synchronously, on the calling thread.

// Opens a window showing folder (NULL: none), lists it last, brings it to the front
// (ActiveExplorer), then raises NewExplorer with it.
Outlook::_ExplorerPtr OpenExplorer(Outlook::MAPIFolder* folder);
// Raises the window's Close event, then takes it off the list; false when it is not
// an open window.
bool CloseExplorer(Outlook::_Explorer* explorer);
// Takes every window off the list without events (between tests).
void ResetExplorers();
std::size_t OpenExplorerCount();
// What the window's Selection answers from now on.
void SelectItems(Outlook::_Explorer* explorer, std::vector<IDispatchPtr> items);
// Raises the window's ViewSwitch event.
void RaiseViewSwitch(Outlook::_Explorer* explorer);
// How often the window's Activate was called.
int ExplorerActivations(Outlook::_Explorer* explorer);
// Raises the application's Quit event.
void RaiseQuit();
// Sinks connected to the window's events now (also once it was closed).
std::size_t ExplorerEventSinks(Outlook::_Explorer* explorer);

}  // namespace testkit
