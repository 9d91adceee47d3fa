// The item-stamp exports: a message's modification time by its entry ids through the
// caller's session, or from the caller's own message object; their failures; and entry
// id texts that are not whole pairs of digits.
#include <gtest/gtest.h>

#include "MorvaneTestFixture.h"
#include "store/PropertyBag.h"
#include "testkit/Debug.h"
#include "testkit/Mapi.h"
#include "testkit/Store.h"

namespace kelvra::test {
namespace {

constexpr DWORD kSavedLow = 0x455ebb80;

class MorvaneItemStampTest : public MorvaneFixture {
 protected:
  int Stamp(const std::string& itemId, FILETIME* time) {
    return Morvane_GetItemLMT(session_, itemId.c_str(), StoreId().c_str(), time);
  }
  // The message opened through the session, for the second export.
  IUnknown* Message(const store::ItemPtr& item) {
    IMsgStore* store = nullptr;
    store::Bytes storeId = contacts_->OwningStore()->EntryId();
    if (session_->OpenMsgStore(0, static_cast<ULONG>(storeId.size()),
                               reinterpret_cast<LPENTRYID>(storeId.data()), nullptr,
                               MAPI_BEST_ACCESS, &store) != S_OK)
      return nullptr;
    store::Bytes id = item->EntryId();
    ULONG type = 0;
    IUnknown* message = nullptr;
    store->OpenEntry(static_cast<ULONG>(id.size()), reinterpret_cast<LPENTRYID>(id.data()), nullptr,
                     MAPI_BEST_ACCESS, &type, &message);
    store->Release();
    return message;
  }
};

TEST_F(MorvaneItemStampTest, TheMessageTimeComesBackInUtc) {
  const store::ItemPtr item = Save();
  FILETIME time{};
  ASSERT_EQ(0, Stamp(Id(item), &time));
  EXPECT_EQ(kSavedLow, time.dwLowDateTime);
  IUnknown* message = Message(item);
  ASSERT_NE(nullptr, message);
  time = FILETIME{};
  EXPECT_EQ(0, Morvane_GetItemLMT2(message, &time));
  EXPECT_EQ(kSavedLow, time.dwLowDateTime);
  message->Release();
}

TEST_F(MorvaneItemStampTest, MissingOrEmptyArgumentsAreRefused) {
  const store::ItemPtr item = Save();
  FILETIME time{};
  EXPECT_EQ(-1, Morvane_GetItemLMT(nullptr, Id(item).c_str(), StoreId().c_str(), &time));
  EXPECT_EQ(-1, Morvane_GetItemLMT(session_, nullptr, StoreId().c_str(), &time));
  EXPECT_EQ(-1, Morvane_GetItemLMT(session_, "", StoreId().c_str(), &time));
  EXPECT_EQ(-1, Morvane_GetItemLMT(session_, Id(item).c_str(), "", &time));
  EXPECT_EQ(-1, Morvane_GetItemLMT(session_, Id(item).c_str(), StoreId().c_str(), nullptr));
  EXPECT_EQ(-1, Morvane_GetItemLMT2(nullptr, &time));
  EXPECT_NE(std::string::npos, Log().find("Err in Morvane_GetItemLMT: ASSERT failed in line 0"));
}

TEST_F(MorvaneItemStampTest, EachFailingCallIsLoggedAndReturned) {
  const store::ItemPtr item = Save();
  FILETIME time{};
  EXPECT_EQ(MAPI_E_NOT_FOUND, Morvane_GetItemLMT(session_, Id(item).c_str(), "0102", &time));
  EXPECT_NE(std::string::npos,
            Log().find("[0x8004010f] in Morvane_GetItemLMT: lpSession->OpenMsgStore"));
  EXPECT_EQ(MAPI_E_NOT_FOUND, Stamp("0102", &time));
  EXPECT_NE(std::string::npos,
            Log().find("[0x8004010f] in Morvane_GetItemLMT: lpStore->OpenEntry"));
  testkit::FailCall("IMessage.GetProps", 1, E_FAIL);
  EXPECT_EQ(E_FAIL, Stamp(Id(item), &time));
  EXPECT_NE(std::string::npos,
            Log().find("[0x80004005] in Morvane_GetItemLMT: lpMessage->GetProps"));
}

TEST_F(MorvaneItemStampTest, RunningOutOfMemoryGivesEOutOfMemory) {
  const store::ItemPtr item = Save();
  FILETIME time{};
  testkit::ExhaustMemoryOnCall("MAPIAllocateBuffer", 1);
  EXPECT_EQ(E_OUTOFMEMORY, Stamp(Id(item), &time));
  EXPECT_NE(std::string::npos, Log().find("Err[0x8007000e] in Morvane_GetItemLMT: out of memory"))
      << Log();
  IUnknown* message = Message(item);
  ASSERT_NE(nullptr, message);
  testkit::ExhaustMemoryOnCall("IMessage.GetProps", 1);
  EXPECT_EQ(E_OUTOFMEMORY, Morvane_GetItemLMT2(message, &time));
  EXPECT_NE(std::string::npos, Log().find("Err[0x8007000e] in Morvane_GetItemLMT2: out of memory"))
      << Log();
  EXPECT_EQ(0, Morvane_GetItemLMT2(message, &time));
  message->Release();
}

TEST_F(MorvaneItemStampTest, AMessageWithoutATimeGivesTheWarning) {
  const store::ItemPtr item = contacts_->NewItem(u"IPM.Contact");
  ASSERT_TRUE(item->Restore({}, store::PropertyBag{}));
  FILETIME time{};
  EXPECT_EQ(MAPI_W_ERRORS_RETURNED, Stamp(Id(item), &time));
  IUnknown* message = Message(item);
  ASSERT_NE(nullptr, message);
  EXPECT_EQ(MAPI_W_ERRORS_RETURNED, Morvane_GetItemLMT2(message, &time));
  EXPECT_NE(std::string::npos, Log().find("[0x40380] in Morvane_GetItemLMT2: GetProps"));
  message->Release();
}

TEST_F(MorvaneItemStampTest, AnObjectThatIsNoMessageIsRefusedByQueryInterface) {
  IMsgStore* store = nullptr;
  store::Bytes storeId = contacts_->OwningStore()->EntryId();
  ASSERT_EQ(S_OK, session_->OpenMsgStore(0, static_cast<ULONG>(storeId.size()),
                                         reinterpret_cast<LPENTRYID>(storeId.data()), nullptr,
                                         MAPI_BEST_ACCESS, &store));
  FILETIME time{};
  EXPECT_EQ(E_NOINTERFACE, Morvane_GetItemLMT2(store, &time));
  EXPECT_NE(std::string::npos, Log().find("in Morvane_GetItemLMT2: QueryInterface"));
  store->Release();
}

// Entry id text decodes whole pairs only: a digit left over is reported and dropped,
// never read or written past its buffer.
class MorvaneEntryIdTextTest : public MorvaneFixture {};

TEST_F(MorvaneEntryIdTextTest, AnOddTrailingDigitIsReportedAndIgnored) {
  const store::ItemPtr item = Save();
  testkit::ClearDebugOutput();
  FILETIME time{};
  EXPECT_EQ(0, Morvane_GetItemLMT(session_, (Id(item) + "7").c_str(), StoreId().c_str(), &time));
  EXPECT_EQ(kSavedLow, time.dwLowDateTime);
  EXPECT_NE(std::string::npos, Log().find("Hex2DecError\n"));
}

TEST_F(MorvaneEntryIdTextTest, LowerCaseDigitsNameTheSameMessage) {
  const store::ItemPtr item = Save();
  std::string lower = Id(item);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  FILETIME time{};
  EXPECT_EQ(0, Morvane_GetItemLMT(session_, lower.c_str(), StoreId().c_str(), &time));
  EXPECT_EQ(std::string::npos, Log().find("Hex2DecError"));
}

TEST_F(MorvaneEntryIdTextTest, ACharacterThatIsNoDigitIsReported) {
  FILETIME time{};
  EXPECT_EQ(MAPI_E_NOT_FOUND, Morvane_GetItemLMT(session_, "0G", StoreId().c_str(), &time));
  EXPECT_NE(std::string::npos, Log().find("Hex2DecError\n"));
  // A lone digit makes an empty id, which no entry has.
  EXPECT_NE(S_OK, Morvane_GetItemLMT(session_, "A", StoreId().c_str(), &time));
}

}  // namespace
}  // namespace kelvra::test
