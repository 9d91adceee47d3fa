#include <gtest/gtest.h>

#include "store/FaultPlan.h"
#include "testkit/Store.h"

namespace {

using kelvra::store::FaultPlan;

constexpr HRESULT kFail = static_cast<HRESULT>(0x80004005);
constexpr HRESULT kDenied = static_cast<HRESULT>(0x80070005);

class FaultPlanTest : public ::testing::Test {
 protected:
  void TearDown() override { testkit::ClearFaults(); }

  // The calls of `member` that fail among the next `calls`, 1-based, with their
  // HRESULTs.
  static std::vector<std::pair<int, HRESULT>> Failures(const char* member, int calls) {
    std::vector<std::pair<int, HRESULT>> failures;
    for (int call = 1; call <= calls; ++call) {
      HRESULT hr = 0;
      if (FaultPlan::Hit(member, &hr)) failures.emplace_back(call, hr);
    }
    return failures;
  }
  using Calls = std::vector<std::pair<int, HRESULT>>;
};

TEST_F(FaultPlanTest, OnlyTheNthCallFails) {
  testkit::FailCall("ContactItem.FirstName", 3, kFail);
  EXPECT_EQ(Failures("ContactItem.FirstName", 6), (Calls{{3, kFail}}));
}

TEST_F(FaultPlanTest, NthZeroFailsEveryCall) {
  testkit::FailCall("SafeContactItem.Body", 0, kDenied);
  EXPECT_EQ(Failures("SafeContactItem.Body", 3), (Calls{{1, kDenied}, {2, kDenied}, {3, kDenied}}));
}

TEST_F(FaultPlanTest, CallsCountFromWhenTheFailureWasPlanned) {
  testkit::FailCall("Folder.Items", 2, kFail);
  EXPECT_EQ(Failures("Folder.Items", 3), (Calls{{2, kFail}}));
  testkit::FailCall("Folder.Items", 1, kDenied);
  EXPECT_EQ(Failures("Folder.Items", 2), (Calls{{1, kDenied}}));
}

TEST_F(FaultPlanTest, MembersAreCountedApartAndMatchExactly) {
  testkit::FailCall("ContactItem.LastName", 1, kFail);
  EXPECT_TRUE(Failures("ContactItem.FirstName", 2).empty());
  EXPECT_TRUE(Failures("contactitem.lastname", 2).empty());
  EXPECT_EQ(Failures("ContactItem.LastName", 2), (Calls{{1, kFail}}));
}

TEST_F(FaultPlanTest, SeveralFailuresOfOneMember) {
  testkit::FailCall("Attachment.FileName", 1, kFail);
  testkit::FailCall("Attachment.FileName", 3, kDenied);
  EXPECT_EQ(Failures("Attachment.FileName", 4), (Calls{{1, kFail}, {3, kDenied}}));
}

TEST_F(FaultPlanTest, ClearingEndsEveryPlan) {
  testkit::FailCall("Application.Version", 0, kFail);
  testkit::ClearFaults();
  EXPECT_TRUE(Failures("Application.Version", 2).empty());
  testkit::FailCall("Application.Version", 1, kFail);
  testkit::ResetMailbox();
  EXPECT_TRUE(Failures("Application.Version", 1).empty());
}

TEST_F(FaultPlanTest, APlanMadeAfterClearingCountsFromThen) {
  testkit::FailCall("Items.Count", 0, kFail);
  testkit::ClearFaults();
  EXPECT_TRUE(Failures("Items.Count", 3).empty());
  testkit::FailCall("Items.Count", 2, kDenied);
  EXPECT_EQ(Failures("Items.Count", 3), (Calls{{2, kDenied}}));
}

TEST_F(FaultPlanTest, AMissCallerMayPassNoHresult) {
  testkit::FailCall("MAPIUtils.GetAddressEntryFromID", 1, kFail);
  EXPECT_TRUE(FaultPlan::Hit("MAPIUtils.GetAddressEntryFromID", nullptr));
  EXPECT_FALSE(FaultPlan::Hit("MAPIUtils.GetAddressEntryFromID", nullptr));
}

}  // namespace
