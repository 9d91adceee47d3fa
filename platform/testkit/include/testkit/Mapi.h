// Controls over the MAPI stand-in: a session over the current mailbox, the counts
// of live MAPI objects and memory blocks, and tables that misbehave. Failures of
// MAPI calls are planned with testkit::FailCall under the names
// "IMAPISession.OpenMsgStore", "IMsgStore.OpenEntry", "IMAPIFolder.GetContentsTable",
// "IMAPITable.SetColumns", "IMAPITable.Restrict", "IMAPITable.GetRowCount",
// "IMAPITable.QueryRows", "IMessage.GetProps", "MAPIAllocateBuffer" and
// "MAPIAllocateMore".
#pragma once

#include <cstddef>
#include <string>

#include "mapi/mapix.h"
#include "store/Nodes.h"

namespace testkit {

// A new session with one reference, which the caller releases.
IMAPISession* NewMapiSession();

// MAPI objects (sessions included) and MAPI memory blocks alive now.
std::size_t LiveMapiObjects();
std::size_t LiveMapiBlocks();
// The current reference count of a MAPI object.
unsigned long MapiRefCount(IUnknown* object);

// From now on the contents tables hand out the column `column` (0-based) under `tag`,
// and answer GetRowCount with the true count plus `skew` (never below 0).
void SetMapiColumnTag(int column, ULONG tag);
void SetMapiRowCountSkew(int skew);
// Back to well-behaved tables.
void ClearMapiQuirks();

// Entry ids as the item-share library keeps them: upper-case hexadecimal text.
std::string EntryIdText(const kelvra::store::ItemPtr& item);
std::string EntryIdText(const kelvra::store::FolderPtr& folder);
std::string StoreIdText(const kelvra::store::FolderPtr& folder);

}  // namespace testkit
