#include "MorvaneTestFixture.h"

#include "sharestore/common/CLog.h"
#include "testkit/Clock.h"
#include "testkit/Debug.h"
#include "testkit/Mapi.h"
#include "testkit/Store.h"
#include "testkit/TimeZone.h"

namespace kelvra::test {

void MorvaneFixture::SetUp() {
  testkit::ResetMailbox();
  testkit::ClearMapiQuirks();
  TIME_ZONE_INFORMATION zone{};
  zone.Bias = -60;
  testkit::SetSystemTimeZone(zone);
  testkit::SetLocalTime(SYSTEMTIME{2026, 3, 0, 14, 9, 5, 7, 0});
  testkit::ClearDebugOutput();
  g_Log.InitLog(nullptr, nullptr, true, 3);
  objectsBefore_ = testkit::LiveMapiObjects();
  blocksBefore_ = testkit::LiveMapiBlocks();
  session_ = testkit::NewMapiSession();
  contacts_ = testkit::FindFolder("Personal Folders/Contacts");
  ASSERT_EQ(0, index_.Init(BasePath().c_str()));
}

void MorvaneFixture::TearDown() {
  EXPECT_EQ(1u, testkit::MapiRefCount(session_));
  session_->Release();
  EXPECT_EQ(objectsBefore_, testkit::LiveMapiObjects());
  EXPECT_EQ(blocksBefore_, testkit::LiveMapiBlocks());
  g_Log.InitLog(nullptr, nullptr, false, 1);
  testkit::ClearFaults();
  testkit::ClearMapiQuirks();
  testkit::ResetSystemTimeZone();
  testkit::UseRealClock();
}

std::pair<int, int> MorvaneFixture::Stat() {
  int lines = -1, garbage = -1;
  index_.GetBaseStat(&lines, &garbage);
  return {lines, garbage};
}

std::string MorvaneFixture::Items(int mask) {
  std::string out;
  const char* id = nullptr;
  FILETIME time{};
  int type = -1;
  for (int rc = index_.FindFirstItem(mask, &id, &time, &type); rc == 0;
       rc = index_.FindNextItem(mask, &id, &time, &type))
    out += std::string(id) + " " + std::to_string(type) + ";";
  return out;
}

store::ItemPtr MorvaneFixture::Save(const std::u16string& messageClass) {
  store::ItemPtr item = contacts_->NewItem(messageClass);
  item->Save();
  return item;
}

int MorvaneFixture::AddContacts(const char* messageClass) {
  const int code = index_.AddFolder("c", StoreId().c_str(), FolderId().c_str(), messageClass);
  index_.SetCurrentFolder("c");
  return code;
}

std::string MorvaneFixture::StoreId() const { return testkit::StoreIdText(contacts_); }

std::string MorvaneFixture::FolderId() const { return testkit::EntryIdText(contacts_); }

std::string MorvaneFixture::Id(const store::ItemPtr& item) { return testkit::EntryIdText(item); }

std::string MorvaneFixture::Log() {
  std::string log;
  for (const std::string& text : testkit::DebugOutput()) log += text;
  return log;
}

int WINAPI MorvaneFixture::Record(int done, int total, void* user) {
  static_cast<std::vector<std::string>*>(user)->push_back(std::to_string(done) + "/" +
                                                          std::to_string(total));
  return 1;
}

}  // namespace kelvra::test
