// Control of the stand-in Outlook store: which mailbox it serves, which Outlook
// version it plays, and which of its COM members fail.
#pragma once

#include <string>
#include <string_view>

#include "store/Folder.h"
#include "store/Item.h"
#include "store/Mailbox.h"
#include "store/Store.h"
#include "win32/base.h"

namespace testkit {

// Replace the current mailbox. A bad file throws
// kelvra::store::MailboxFileError (its message names the offending value) and
// leaves the current mailbox as it was.
void LoadMailboxText(const std::string& json);
void LoadMailboxFile(const std::string& linuxPath);
void SaveMailboxFile(const std::string& linuxPath);
// The current mailbox as the file would hold it, and such a text written to a file:
// a caller can tell whether the mailbox changed before it writes it.
std::string MailboxText();
void SaveMailboxText(const std::string& text, const std::string& linuxPath);
// Back to the standard empty mailbox, Outlook 14 and no planned failures.
void ResetMailbox();

// 9, 10, 11, 12 or 14; std::invalid_argument otherwise.
void SetOutlookVersion(int major);

kelvra::store::MailboxPtr CurrentMailbox();
// "Store name/Folder/Subfolder", names without case, "/" or "\" between them;
// null when absent.
kelvra::store::FolderPtr FindFolder(std::string_view path);
// The saved item of the folder whose FullName (contacts), DLName or Subject is
// `name`; null when absent.
kelvra::store::ItemPtr FindItem(std::string_view folderPath, std::string_view name);

// UTF-8 views of an item's text properties, for assertions.
std::string Text(const kelvra::store::ItemPtr& item, std::string_view property);
std::u16string Utf16(std::string_view utf8);
std::string Utf8(std::u16string_view utf16);

// Fails the nth call (1-based; 0 = every call) of a stand-in COM member named
// "Interface.Member" ("ContactItem.FirstName") with hr, counted from now.
void FailCall(const std::string& member, int nth, HRESULT hr);
// The same call runs out of memory instead: it throws std::bad_alloc.
void ExhaustMemoryOnCall(const std::string& member, int nth);
void ClearFaults();

}  // namespace testkit
