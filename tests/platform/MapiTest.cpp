// The MAPI stand-in as the item-share library reads it: stores, folders and messages
// by their entry ids, contents tables with columns, restrictions and a cursor, message
// properties, MAPI memory, and the counts and failures tests rely on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mapi/mapi.h"
#include "store/PropertyBag.h"
#include "testkit/Clock.h"
#include "testkit/Mapi.h"
#include "testkit/Store.h"
#include "testkit/TimeZone.h"

namespace kelvra::test {
namespace {

using store::Bytes;
using store::FolderPtr;
using store::ItemPtr;

SizedSPropTagArray(3, kColumns) = {3, {PR_ENTRYID, PR_LAST_MODIFICATION_TIME, PR_MESSAGE_CLASS}};

LPSPropTagArray Columns() { return reinterpret_cast<LPSPropTagArray>(&kColumns); }

// 2026-03-14 09:05:07 local, one hour east of UTC, without daylight saving.
class MapiFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ResetMailbox();
    testkit::ClearMapiQuirks();
    TIME_ZONE_INFORMATION zone{};
    zone.Bias = -60;
    testkit::SetSystemTimeZone(zone);
    testkit::SetLocalTime(SYSTEMTIME{2026, 3, 0, 14, 9, 5, 7, 0});
    objectsBefore_ = testkit::LiveMapiObjects();
    blocksBefore_ = testkit::LiveMapiBlocks();
    session_ = testkit::NewMapiSession();
    contacts_ = testkit::FindFolder("Personal Folders/Contacts");
  }
  void TearDown() override {
    session_->Release();
    EXPECT_EQ(objectsBefore_, testkit::LiveMapiObjects());
    EXPECT_EQ(blocksBefore_, testkit::LiveMapiBlocks());
    testkit::ClearFaults();
    testkit::ClearMapiQuirks();
    testkit::ResetSystemTimeZone();
    testkit::UseRealClock();
  }

  ItemPtr Saved(const std::u16string& messageClass) {
    ItemPtr item = contacts_->NewItem(messageClass);
    item->Save();
    return item;
  }
  static LPENTRYID Id(Bytes& bytes) { return reinterpret_cast<LPENTRYID>(bytes.data()); }

  HRESULT OpenStore(IMsgStore** store) {
    Bytes id = contacts_->OwningStore()->EntryId();
    return session_->OpenMsgStore(0, static_cast<ULONG>(id.size()), Id(id), nullptr,
                                  MAPI_BEST_ACCESS, store);
  }
  HRESULT Open(IMsgStore* store, Bytes id, const IID& iid, IUnknown** object,
               ULONG* type = nullptr) {
    ULONG ignored = 0;
    return store->OpenEntry(static_cast<ULONG>(id.size()), Id(id), &iid, MAPI_BEST_ACCESS,
                            type != nullptr ? type : &ignored, object);
  }
  // The contacts folder's table with the three columns; null on failure.
  IMAPITable* Table() {
    IMsgStore* store = nullptr;
    if (OpenStore(&store) != S_OK) return nullptr;
    IUnknown* folder = nullptr;
    const HRESULT opened = Open(store, contacts_->EntryId(), IID_IMAPIFolder, &folder);
    store->Release();
    if (opened != S_OK) return nullptr;
    IMAPITable* table = nullptr;
    const HRESULT got = reinterpret_cast<IMAPIFolder*>(folder)->GetContentsTable(0, &table);
    folder->Release();
    if (got != S_OK) return nullptr;
    table->SetColumns(Columns(), 0);
    return table;
  }
  // The message classes of the rows left, one QueryRows step each.
  static std::vector<std::string> Classes(IMAPITable* table) {
    std::vector<std::string> classes;
    for (;;) {
      LPSRowSet rows = nullptr;
      if (table->QueryRows(1, 0, &rows) != S_OK) return {"<failed>"};
      const bool end = rows->cRows == 0;
      if (!end) classes.push_back(rows->aRow[0].lpProps[2].Value.lpszA);
      FreeProws(rows);
      if (end) return classes;
    }
  }

  std::size_t objectsBefore_ = 0;
  std::size_t blocksBefore_ = 0;
  IMAPISession* session_ = nullptr;
  FolderPtr contacts_;
};

class MapiMemoryTest : public MapiFixture {};

TEST_F(MapiMemoryTest, FreeingABufferFreesWhatWasAllocatedMoreToIt) {
  void* buffer = nullptr;
  ASSERT_EQ(S_OK, MAPIAllocateBuffer(16, &buffer));
  void* more = nullptr;
  ASSERT_EQ(S_OK, MAPIAllocateMore(100, buffer, &more));
  ASSERT_EQ(S_OK, MAPIAllocateMore(7, buffer, &more));
  EXPECT_EQ(blocksBefore_ + 3, testkit::LiveMapiBlocks());
  EXPECT_EQ(S_OK, static_cast<HRESULT>(MAPIFreeBuffer(buffer)));
  EXPECT_EQ(blocksBefore_, testkit::LiveMapiBlocks());
}

TEST_F(MapiMemoryTest, AllocationFailsWhenPlannedAndLeavesNothing) {
  testkit::FailCall("MAPIAllocateBuffer", 1, E_OUTOFMEMORY);
  void* buffer = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_OUTOFMEMORY, MAPIAllocateBuffer(16, &buffer));
  EXPECT_EQ(nullptr, buffer);
  EXPECT_EQ(S_OK, MAPIAllocateBuffer(16, &buffer));
  MAPIFreeBuffer(buffer);
}

TEST_F(MapiMemoryTest, RowsAreFreedWithTheirValues) {
  Saved(u"IPM.Contact");
  IMAPITable* table = Table();
  ASSERT_NE(nullptr, table);
  LPSRowSet rows = nullptr;
  ASSERT_EQ(S_OK, table->QueryRows(1, 0, &rows));
  EXPECT_GT(testkit::LiveMapiBlocks(), blocksBefore_);
  FreeProws(rows);
  EXPECT_EQ(blocksBefore_, testkit::LiveMapiBlocks());
  table->Release();
}

class MapiOpenTest : public MapiFixture {};

TEST_F(MapiOpenTest, StoreFolderAndMessageOpenByTheirEntryIds) {
  const ItemPtr item = Saved(u"IPM.Contact");
  IMsgStore* store = nullptr;
  ASSERT_EQ(S_OK, OpenStore(&store));
  IUnknown* folder = nullptr;
  ULONG type = 0;
  EXPECT_EQ(S_OK, Open(store, contacts_->EntryId(), IID_IMAPIFolder, &folder, &type));
  EXPECT_EQ(MAPI_FOLDER, type);
  IUnknown* message = nullptr;
  EXPECT_EQ(S_OK, Open(store, item->EntryId(), IID_IMessage, &message, &type));
  EXPECT_EQ(MAPI_MESSAGE, type);
  EXPECT_GE(testkit::LiveMapiObjects(), objectsBefore_ + 4);
  folder->Release();
  message->Release();
  store->Release();
}

TEST_F(MapiOpenTest, UnknownIdsAndWrongKindsAreRefused) {
  Bytes unknown{0xDE, 0xAD};
  IMsgStore* store = reinterpret_cast<IMsgStore*>(1);
  EXPECT_EQ(MAPI_E_NOT_FOUND,
            session_->OpenMsgStore(0, 2, Id(unknown), nullptr, MAPI_BEST_ACCESS, &store));
  EXPECT_EQ(nullptr, store);
  EXPECT_EQ(MAPI_E_INVALID_ENTRYID,
            session_->OpenMsgStore(0, 0, nullptr, nullptr, MAPI_BEST_ACCESS, &store));
  ASSERT_EQ(S_OK, OpenStore(&store));
  IUnknown* object = nullptr;
  EXPECT_EQ(MAPI_E_NOT_FOUND, Open(store, unknown, IID_IMAPIFolder, &object));
  EXPECT_EQ(E_NOINTERFACE, Open(store, contacts_->EntryId(), IID_IMessage, &object));
  EXPECT_EQ(nullptr, object);
  // A store's id is not an entry of it.
  EXPECT_EQ(MAPI_E_NOT_FOUND,
            Open(store, contacts_->OwningStore()->EntryId(), IID_IMAPIFolder, &object));
  store->Release();
}

TEST_F(MapiOpenTest, EntriesOfAnotherStoreAreNotFound) {
  const store::StorePtr other = testkit::CurrentMailbox()->AddStore(u"Archive");
  const FolderPtr archived = other->AddFolder(u"Old", contacts_->DefaultItemType());
  IMsgStore* store = nullptr;
  ASSERT_EQ(S_OK, OpenStore(&store));
  IUnknown* object = nullptr;
  EXPECT_EQ(MAPI_E_NOT_FOUND, Open(store, archived->EntryId(), IID_IMAPIFolder, &object));
  store->Release();
}

TEST_F(MapiOpenTest, PlannedFailuresComeBackAsTheirHresults) {
  testkit::FailCall("IMAPISession.OpenMsgStore", 1, MAPI_E_NOT_FOUND + 1);
  IMsgStore* store = nullptr;
  EXPECT_EQ(MAPI_E_NOT_FOUND + 1, OpenStore(&store));
  ASSERT_EQ(S_OK, OpenStore(&store));
  testkit::FailCall("IMsgStore.OpenEntry", 1, E_ACCESSDENIED);
  IUnknown* folder = nullptr;
  EXPECT_EQ(E_ACCESSDENIED, Open(store, contacts_->EntryId(), IID_IMAPIFolder, &folder));
  store->Release();
}

class MapiTableTest : public MapiFixture {};

TEST_F(MapiTableTest, RowsCarryTheColumnsInOrderAndEndWithAnEmptySet) {
  const ItemPtr item = Saved(u"IPM.Contact");
  IMAPITable* table = Table();
  ASSERT_NE(nullptr, table);
  ULONG count = 0;
  EXPECT_EQ(S_OK, table->GetRowCount(0, &count));
  EXPECT_EQ(1u, count);
  LPSRowSet rows = nullptr;
  ASSERT_EQ(S_OK, table->QueryRows(1, 0, &rows));
  ASSERT_EQ(1u, rows->cRows);
  const SRow& row = rows->aRow[0];
  ASSERT_EQ(3u, row.cValues);
  EXPECT_EQ(PR_ENTRYID, row.lpProps[0].ulPropTag);
  EXPECT_EQ(item->EntryId(), Bytes(row.lpProps[0].Value.bin.lpb,
                                   row.lpProps[0].Value.bin.lpb + row.lpProps[0].Value.bin.cb));
  EXPECT_EQ(PR_LAST_MODIFICATION_TIME, row.lpProps[1].ulPropTag);
  // 08:05:07 UTC on 2026-03-14.
  const unsigned long long ticks =
      (static_cast<unsigned long long>(row.lpProps[1].Value.ft.dwHighDateTime) << 32) |
      row.lpProps[1].Value.ft.dwLowDateTime;
  EXPECT_EQ(134179491070000000ULL, ticks);
  EXPECT_EQ(PR_MESSAGE_CLASS, row.lpProps[2].ulPropTag);
  EXPECT_STREQ("IPM.Contact", row.lpProps[2].Value.lpszA);
  FreeProws(rows);
  ASSERT_EQ(S_OK, table->QueryRows(1, 0, &rows));
  EXPECT_EQ(0u, rows->cRows);
  FreeProws(rows);
  table->Release();
}

TEST_F(MapiTableTest, AMessageWithoutModificationTimeGivesAnErrorColumn) {
  const ItemPtr item = contacts_->NewItem(u"IPM.Contact");
  ASSERT_TRUE(item->Restore({}, store::PropertyBag{}));
  IMAPITable* table = Table();
  ASSERT_NE(nullptr, table);
  LPSRowSet rows = nullptr;
  ASSERT_EQ(S_OK, table->QueryRows(1, 0, &rows));
  EXPECT_EQ(CHANGE_PROP_TYPE(PR_LAST_MODIFICATION_TIME, PT_ERROR),
            rows->aRow[0].lpProps[1].ulPropTag);
  EXPECT_EQ(MAPI_E_NOT_FOUND, rows->aRow[0].lpProps[1].Value.err);
  FreeProws(rows);
  table->Release();
}

TEST_F(MapiTableTest, ContentRestrictionsMatchWholeClassOrPrefixWithCase) {
  for (const char16_t* cls :
       {u"IPM.Contact", u"IPM.Contact.Custom", u"IPM.ContactX", u"IPM.DistList", u"ipm.contact"})
    Saved(cls);
  IMAPITable* table = Table();
  ASSERT_NE(nullptr, table);
  char whole[] = "IPM.Contact";
  char prefix[] = "IPM.Contact.";
  SPropValue values[2]{};
  values[0].ulPropTag = values[1].ulPropTag = PR_MESSAGE_CLASS;
  values[0].Value.lpszA = whole;
  values[1].Value.lpszA = prefix;
  SRestriction parts[2]{};
  parts[0].rt = parts[1].rt = RES_CONTENT;
  parts[0].res.resContent = {FL_FULLSTRING, PR_MESSAGE_CLASS, &values[0]};
  parts[1].res.resContent = {FL_PREFIX, PR_MESSAGE_CLASS, &values[1]};
  SRestriction either{};
  either.rt = RES_OR;
  either.res.resOr = {2, parts};
  ASSERT_EQ(S_OK, table->Restrict(&either, 0));
  ULONG count = 0;
  EXPECT_EQ(S_OK, table->GetRowCount(0, &count));
  EXPECT_EQ(2u, count);
  EXPECT_EQ((std::vector<std::string>{"IPM.Contact", "IPM.Contact.Custom"}), Classes(table));
  parts[0].res.resContent.ulFuzzyLevel = FL_FULLSTRING | FL_IGNORECASE;
  ASSERT_EQ(S_OK, table->Restrict(&either, 0));
  EXPECT_EQ((std::vector<std::string>{"IPM.Contact", "IPM.Contact.Custom", "ipm.contact"}),
            Classes(table));
  ASSERT_EQ(S_OK, table->Restrict(nullptr, 0));
  EXPECT_EQ(5u, Classes(table).size());
  table->Release();
}

TEST_F(MapiTableTest, RestrictionsOnOtherPropertiesOrKindsAreTooComplex) {
  IMAPITable* table = Table();
  ASSERT_NE(nullptr, table);
  char text[] = "x";
  SPropValue value{};
  value.ulPropTag = PR_ENTRYID;
  value.Value.lpszA = text;
  SRestriction content{};
  content.rt = RES_CONTENT;
  content.res.resContent = {FL_FULLSTRING, PR_ENTRYID, &value};
  EXPECT_EQ(MAPI_E_TOO_COMPLEX, table->Restrict(&content, 0));
  value.ulPropTag = PR_MESSAGE_CLASS;
  content.res.resContent = {FL_PREFIX + 1, PR_MESSAGE_CLASS, &value};
  EXPECT_EQ(MAPI_E_TOO_COMPLEX, table->Restrict(&content, 0));
  content.rt = 7;
  EXPECT_EQ(MAPI_E_TOO_COMPLEX, table->Restrict(&content, 0));
  table->Release();
}

TEST_F(MapiTableTest, QuirksChangeAColumnTagAndTheRowCount) {
  Saved(u"IPM.Contact");
  testkit::SetMapiColumnTag(0, PR_MESSAGE_CLASS);
  testkit::SetMapiRowCountSkew(2);
  IMAPITable* table = Table();
  ASSERT_NE(nullptr, table);
  ULONG count = 0;
  EXPECT_EQ(S_OK, table->GetRowCount(0, &count));
  EXPECT_EQ(3u, count);
  LPSRowSet rows = nullptr;
  ASSERT_EQ(S_OK, table->QueryRows(1, 0, &rows));
  EXPECT_EQ(PR_MESSAGE_CLASS, rows->aRow[0].lpProps[0].ulPropTag);
  FreeProws(rows);
  table->Release();
}

TEST_F(MapiTableTest, EveryTableCallCanBeMadeToFail) {
  Saved(u"IPM.Contact");
  IMAPITable* table = Table();
  ASSERT_NE(nullptr, table);
  for (const char* member : {"IMAPITable.SetColumns", "IMAPITable.Restrict",
                             "IMAPITable.GetRowCount", "IMAPITable.QueryRows"})
    testkit::FailCall(member, 1, E_FAIL);
  ULONG count = 0;
  LPSRowSet rows = nullptr;
  EXPECT_EQ(E_FAIL, table->SetColumns(Columns(), 0));
  EXPECT_EQ(E_FAIL, table->Restrict(nullptr, 0));
  EXPECT_EQ(E_FAIL, table->GetRowCount(0, &count));
  EXPECT_EQ(E_FAIL, table->QueryRows(1, 0, &rows));
  EXPECT_EQ(nullptr, rows);
  // A row whose values cannot be allocated fails whole, leaving nothing behind.
  testkit::FailCall("MAPIAllocateMore", 1, E_OUTOFMEMORY);
  EXPECT_EQ(E_OUTOFMEMORY, table->QueryRows(1, 0, &rows));
  table->Release();
  testkit::FailCall("IMAPIFolder.GetContentsTable", 1, E_ACCESSDENIED);
  EXPECT_EQ(nullptr, Table());
}

class MapiMessageTest : public MapiFixture {
 protected:
  HRESULT ReadTime(const ItemPtr& item, ULONG* count, LPSPropValue* values) {
    IMsgStore* store = nullptr;
    if (OpenStore(&store) != S_OK) return E_UNEXPECTED;
    IUnknown* message = nullptr;
    const HRESULT opened = Open(store, item->EntryId(), IID_IMessage, &message);
    store->Release();
    if (opened != S_OK) return opened;
    SizedSPropTagArray(1, tags) = {1, {PR_LAST_MODIFICATION_TIME}};
    const HRESULT hr = reinterpret_cast<IMessage*>(message)->GetProps(
        reinterpret_cast<LPSPropTagArray>(&tags), 0, count, values);
    message->Release();
    return hr;
  }
};

TEST_F(MapiMessageTest, ModificationTimeIsTheSaveInUtc) {
  const ItemPtr item = Saved(u"IPM.Note");
  testkit::SetLocalTime(SYSTEMTIME{2026, 7, 0, 1, 0, 30, 0, 0});
  item->Set("Subject", store::Value::Text(u"again"));
  item->Save();
  ULONG count = 0;
  LPSPropValue values = nullptr;
  ASSERT_EQ(S_OK, ReadTime(item, &count, &values));
  ASSERT_EQ(1u, count);
  SYSTEMTIME utc{};
  ASSERT_TRUE(FileTimeToSystemTime(&values[0].Value.ft, &utc));
  EXPECT_EQ(2026, utc.wYear);
  EXPECT_EQ(6, utc.wMonth);
  EXPECT_EQ(30, utc.wDay);
  EXPECT_EQ(23, utc.wHour);
  EXPECT_EQ(30, utc.wMinute);
  MAPIFreeBuffer(values);
}

TEST_F(MapiMessageTest, AMissingTimeIsAWarningWithAnErrorValue) {
  const ItemPtr item = contacts_->NewItem(u"IPM.Contact");
  ASSERT_TRUE(item->Restore({}, store::PropertyBag{}));
  ULONG count = 0;
  LPSPropValue values = nullptr;
  EXPECT_EQ(MAPI_W_ERRORS_RETURNED, ReadTime(item, &count, &values));
  ASSERT_EQ(1u, count);
  EXPECT_EQ(PT_ERROR, PROP_TYPE(values[0].ulPropTag));
  MAPIFreeBuffer(values);
  testkit::FailCall("IMessage.GetProps", 1, E_FAIL);
  EXPECT_EQ(E_FAIL, ReadTime(item, &count, &values));
}

}  // namespace
}  // namespace kelvra::test
