// Change detection over a MAPI folder: messages that appear, are saved again or go,
// the progress the caller follows, the message-class restriction, and every failing
// MAPI call with its log line and result, leaving the index as it was.
#include <gtest/gtest.h>

#include "MorvaneTestFixture.h"
#include "testkit/Clock.h"
#include "testkit/Mapi.h"
#include "testkit/Store.h"

namespace kelvra::test {
namespace {

// 08:05:07 UTC, the fixture's clock.
const std::string kSaved = "455ebb80-01dcb389";
const std::string kOpening = ";detected changes 2026.03.14 09:05:07";

class MorvaneUpdateTest : public MorvaneFixture {
 protected:
  int Update() { return index_.Update(session_, "c", &Record, &progress_); }
};

TEST_F(MorvaneUpdateTest, NewMessagesAreRecordedInOneBatch) {
  const store::ItemPtr first = Save();
  const store::ItemPtr second = Save();
  ASSERT_EQ(0, AddContacts());
  ASSERT_EQ(0, Update());
  EXPECT_EQ((std::vector<std::string>{"0/2", "1/2", "2/2"}), progress_);
  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(6u, lines.size());
  EXPECT_EQ(";", lines[1]);
  EXPECT_EQ(kOpening, lines[2]);
  EXPECT_EQ("Item=1," + kSaved + ",N," + Id(first), lines[3]);
  EXPECT_EQ("Item=1," + kSaved + ",N," + Id(second), lines[4]);
  EXPECT_EQ(";", lines[5]);
  EXPECT_EQ(Id(first) + " 1;" + Id(second) + " 1;", Items());
  EXPECT_EQ(std::make_pair(3, 0), Stat());
}

TEST_F(MorvaneUpdateTest, AnUnchangedFolderWritesNothing) {
  Save();
  ASSERT_EQ(0, AddContacts());
  ASSERT_EQ(0, Update());
  const std::size_t lines = Lines().size();
  progress_.clear();
  ASSERT_EQ(0, Update());
  EXPECT_EQ(lines, Lines().size());
  EXPECT_EQ((std::vector<std::string>{"0/2", "2/2"}), progress_);
}

TEST_F(MorvaneUpdateTest, ASavedMessageBecomesModifiedAndAGoneOneDeleted) {
  const store::ItemPtr kept = Save();
  const store::ItemPtr gone = Save();
  ASSERT_EQ(0, AddContacts());
  ASSERT_EQ(0, Update());
  ASSERT_EQ(0, index_.RemoveChange(Id(kept).c_str()));
  ASSERT_EQ(0, index_.RemoveChange(Id(gone).c_str()));
  testkit::SetLocalTime(SYSTEMTIME{2026, 3, 0, 14, 10, 0, 0, 0});
  kept->Set("FirstName", store::Value::Text(u"Ada"));
  ASSERT_TRUE(kept->Save());
  ASSERT_TRUE(gone->Delete());
  progress_.clear();
  ASSERT_EQ(0, Update());
  EXPECT_EQ((std::vector<std::string>{"0/3", "2/3", "3/3"}), progress_);
  const std::vector<std::string> lines = Lines();
  EXPECT_EQ("Item=1,f026a800-01dcb390,M," + Id(kept), lines[lines.size() - 3]);
  EXPECT_EQ("Item=1," + kSaved + ",D," + Id(gone), lines[lines.size() - 2]);
  ASSERT_LT(Id(kept), Id(gone));
  EXPECT_EQ(Id(kept) + " 2;" + Id(gone) + " 3;", Items());
  // A second pass leaves the deletion as it is.
  const std::size_t count = Lines().size();
  ASSERT_EQ(0, Update());
  EXPECT_EQ(count, Lines().size());
}

TEST_F(MorvaneUpdateTest, TheCallbackCanStopTheScan) {
  Save();
  ASSERT_EQ(0, AddContacts());
  const auto stop = [](int, int, void*) WINAPI { return 0; };
  EXPECT_EQ(1, index_.Update(session_, "c", stop, nullptr));
  EXPECT_EQ(1u, Lines().size());
  EXPECT_EQ(0, index_.Update(session_, "c", nullptr, nullptr));
  EXPECT_EQ(5u, Lines().size());
}

TEST_F(MorvaneUpdateTest, ArgumentsAndUnknownKeys) {
  ASSERT_EQ(0, AddContacts());
  EXPECT_EQ(-1, index_.Update(nullptr, "c", nullptr, nullptr));
  EXPECT_EQ(-1, index_.Update(session_, nullptr, nullptr, nullptr));
  EXPECT_EQ(-2, index_.Update(session_, "other", nullptr, nullptr));
  CMorvane closed;
  EXPECT_EQ(-1, closed.Update(session_, "c", nullptr, nullptr));
}

class MorvaneClassTest : public MorvaneFixture {};

TEST_F(MorvaneClassTest, AClassListsItselfAndItsDottedSubclassesOnly) {
  const store::ItemPtr contact = Save(u"IPM.Contact");
  const store::ItemPtr custom = Save(u"IPM.Contact.Custom");
  Save(u"IPM.ContactX");
  Save(u"ipm.contact");
  Save(u"IPM.DistList");
  ASSERT_EQ(0, AddContacts("IPM.Contact"));
  ASSERT_EQ(0, index_.Update(session_, "c", nullptr, nullptr));
  EXPECT_EQ(Id(contact) + " 1;" + Id(custom) + " 1;", Items());
}

TEST_F(MorvaneClassTest, WithoutAClassEveryMessageIsListed) {
  Save(u"IPM.Contact");
  Save(u"IPM.DistList");
  ASSERT_EQ(0, AddContacts(""));
  ASSERT_EQ(0, index_.Update(session_, "c", nullptr, nullptr));
  int count = 0;
  ASSERT_EQ(0, index_.GetItemCount(&count, 0));
  EXPECT_EQ(2, count);
}

// Each failing call is logged with its text and HRESULT, its HRESULT comes back, and
// the index and the base stay as they were.
class MorvaneMapiFailureTest : public MorvaneFixture {
 protected:
  void SetUp() override {
    MorvaneFixture::SetUp();
    Save();
    ASSERT_EQ(0, AddContacts("IPM.Contact"));
  }
  void ExpectFailure(const char* member, const std::string& logged) {
    SCOPED_TRACE(member);
    testkit::FailCall(member, 1, E_ACCESSDENIED);
    const std::size_t lines = Lines().size();
    EXPECT_EQ(E_ACCESSDENIED, index_.Update(session_, "c", nullptr, nullptr));
    EXPECT_EQ(lines, Lines().size());
    EXPECT_EQ("", Items());
    EXPECT_NE(std::string::npos, Log().find("Err[0x80070005] in " + logged)) << Log();
  }
};

TEST_F(MorvaneMapiFailureTest, OpeningTheFolder) {
  ExpectFailure("IMAPISession.OpenMsgStore", "CMorvane::_MAPIOpenFolder: lpSession->OpenMsgStore");
  ExpectFailure("IMsgStore.OpenEntry", "CMorvane::_MAPIOpenFolder: lpStore->OpenEntry");
  EXPECT_NE(std::string::npos, Log().find("Err[0x80070005] in CMorvane::Update: _MAPIOpenFolder"));
  ExpectFailure("MAPIAllocateBuffer", "CMorvane::_MAPIOpenFolder: MAPIAllocateBuffer");
}

TEST_F(MorvaneMapiFailureTest, ReadingTheTable) {
  ExpectFailure("IMAPIFolder.GetContentsTable",
                "CMorvane::_MAPIGetContextTable: lpFolder->GetContentsTable");
  ExpectFailure("IMAPITable.SetColumns", "CMorvane::_MAPIGetContextTable: lpTable->SetColumns");
  ExpectFailure("IMAPITable.Restrict", "CMorvane::_MAPIGetContextTable: lpTable->Restrict");
  ExpectFailure("IMAPITable.GetRowCount", "CMorvane::_MAPIGetContextTable: lpTable->GetRowCount");
  EXPECT_NE(std::string::npos,
            Log().find("Err[0x80070005] in CMorvane::Update: _MAPIGetContextTable"));
}

TEST_F(MorvaneMapiFailureTest, ReadingARow) {
  ExpectFailure("IMAPITable.QueryRows", "CMorvane::_MAPIGetRow: lpTable->QueryRows");
  EXPECT_NE(std::string::npos, Log().find("Err[0x80070005] in CMorvane::Update: _MAPIGetRow"));
  ExpectFailure("MAPIAllocateMore", "CMorvane::_MAPIGetRow: lpTable->QueryRows");
}

TEST_F(MorvaneMapiFailureTest, ARowThatFailsMidwayLeavesTheEarlierRowsUnrecorded) {
  Save();
  testkit::FailCall("IMAPITable.QueryRows", 2, MAPI_E_NOT_FOUND);
  EXPECT_EQ(MAPI_E_NOT_FOUND, index_.Update(session_, "c", &Record, &progress_));
  EXPECT_EQ(1u, Lines().size());
  EXPECT_EQ("", Items());
  EXPECT_TRUE(progress_.empty());
}

TEST_F(MorvaneMapiFailureTest, AScanThatRunsOutOfMemoryLeavesTheIndexUsable) {
  testkit::ExhaustMemoryOnCall("IMAPITable.QueryRows", 1);
  EXPECT_EQ(E_OUTOFMEMORY, index_.Update(session_, "c", &Record, &progress_));
  EXPECT_NE(std::string::npos, Log().find("Err[0x8007000e] in CMorvane::Update: out of memory"))
      << Log();
  EXPECT_EQ("", Items());
  EXPECT_EQ(0, index_.Update(session_, "c", nullptr, nullptr));
  int count = 0;
  ASSERT_EQ(0, index_.GetItemCount(&count, 1 << MORVANE_NEW));
  EXPECT_EQ(1, count);
}

TEST_F(MorvaneMapiFailureTest, AFolderThatIsGoneIsNotFound) {
  ASSERT_EQ(0, index_.AddFolder("gone", StoreId().c_str(), "0102", nullptr));
  EXPECT_EQ(MAPI_E_NOT_FOUND, index_.Update(session_, "gone", nullptr, nullptr));
}

TEST_F(MorvaneMapiFailureTest, ARowWithoutItsEntryIdIsPassedOver) {
  testkit::SetMapiColumnTag(0, PR_MESSAGE_CLASS);
  EXPECT_EQ(0, index_.Update(session_, "c", &Record, &progress_));
  EXPECT_EQ("", Items());
  EXPECT_EQ(1u, Lines().size());
  EXPECT_NE(std::string::npos, Log().find("tag(0x1a001e) != PR_ENTRYID"));
  EXPECT_EQ((std::vector<std::string>{"0/1", "1/1"}), progress_);
}

TEST_F(MorvaneMapiFailureTest, ARowWithoutItsTimeIsRecordedWithTimeZero) {
  testkit::SetMapiColumnTag(1, PR_MESSAGE_CLASS);
  EXPECT_EQ(0, index_.Update(session_, "c", nullptr, nullptr));
  EXPECT_NE(std::string::npos, Log().find("tag(0x1a001e) != PR_LAST_MODIFICATION_TIME"));
  EXPECT_EQ(0u, Lines()[3].find("Item=1,00000000-00000000,N,"));
}

TEST_F(MorvaneMapiFailureTest, ARowCountBelowTheRowsRaisesTheTotal) {
  Save();
  testkit::SetMapiRowCountSkew(-1);
  EXPECT_EQ(0, index_.Update(session_, "c", &Record, &progress_));
  EXPECT_EQ((std::vector<std::string>{"0/1", "1/1", "2/2"}), progress_);
}

}  // namespace
}  // namespace kelvra::test
