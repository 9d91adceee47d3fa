#include "testkit/Mapi.h"

#include "mapi/MapiMemory.h"
#include "mapi/MapiObjectCount.h"
#include "mapi/MapiSession.h"
#include "mapi/TableQuirks.h"
#include "store/Folder.h"
#include "store/HexText.h"
#include "store/Item.h"
#include "store/Store.h"

namespace testkit {

using kelvra::mapi::TableQuirks;

IMAPISession* NewMapiSession() { return kelvra::mapi::MapiSession::Create(); }

std::size_t LiveMapiObjects() { return kelvra::mapi::MapiObjectCount::Live(); }

std::size_t LiveMapiBlocks() { return kelvra::mapi::MapiMemory::LiveBlocks(); }

unsigned long MapiRefCount(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

void SetMapiColumnTag(int column, ULONG tag) {
  TableQuirks::Settings settings = TableQuirks::Get();
  settings.column = column;
  settings.tag = tag;
  TableQuirks::Set(settings);
}

void SetMapiRowCountSkew(int skew) {
  TableQuirks::Settings settings = TableQuirks::Get();
  settings.rowCountSkew = skew;
  TableQuirks::Set(settings);
}

void ClearMapiQuirks() { TableQuirks::Clear(); }

std::string EntryIdText(const kelvra::store::ItemPtr& item) {
  return kelvra::store::HexText::Of(item->EntryId());
}

std::string EntryIdText(const kelvra::store::FolderPtr& folder) {
  return kelvra::store::HexText::Of(folder->EntryId());
}

std::string StoreIdText(const kelvra::store::FolderPtr& folder) {
  return kelvra::store::HexText::Of(folder->OwningStore()->EntryId());
}

}  // namespace testkit
