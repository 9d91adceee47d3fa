// Items.Sort by [Start], the GetFirst/GetNext walk and IncludeRecurrences as a setting
// of the collection.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppointmentTestMailbox.h"

namespace {

using namespace appointmenttest;
using Outlook::_AppointmentItemPtr;
using Outlook::_ItemsPtr;

class ItemsSortTest : public AppointmentTest {
 protected:
  // The calendar in insertion order: Standup (8 Jan), Review (1 Feb 14:00), Dentist
  // (5 Mar), then Early (1 Dec 2023) and Tie (1 Feb 14:00, as Review).
  void SetUp() override {
    AppointmentTest::SetUp();
    Add("Early", Date(2023, 12, 1, 9, 0));
    Add("Tie", Date(2024, 2, 1, 14, 0));
  }

  void Add(const char* subject, DATE start) {
    _AppointmentItemPtr item = Calendar()->GetItems()->Add(Outlook::olAppointmentItem);
    item->PutSubject(subject);
    item->PutStart(start);
    item->Save();
  }

  static std::string SubjectOf(IDispatch* item) {
    return Text(_AppointmentItemPtr(item)->GetSubject());
  }

  // The subjects GetFirst and GetNext hand out, up to the NULL.
  static std::vector<std::string> Walk(const _ItemsPtr& items) {
    std::vector<std::string> subjects;
    for (IDispatchPtr item = items->GetFirst(); item != nullptr; item = items->GetNext()) {
      subjects.push_back(SubjectOf(item));
    }
    return subjects;
  }

  static std::vector<std::string> Listed(const _ItemsPtr& items) {
    std::vector<std::string> subjects;
    for (long i = 1; i <= items->GetCount(); ++i) subjects.push_back(SubjectOf(items->Item(i)));
    return subjects;
  }
};

using Subjects = std::vector<std::string>;

TEST_F(ItemsSortTest, UnsortedItemsKeepTheirInsertionOrder) {
  const Subjects inserted{"Standup", "Review", "Dentist", "Early", "Tie"};
  _ItemsPtr items = Calendar()->GetItems();
  EXPECT_EQ(Walk(items), inserted);
  EXPECT_EQ(Listed(items), inserted);
}

TEST_F(ItemsSortTest, SortByStartOrdersTheWalkAndTheIndex) {
  _ItemsPtr items = Calendar()->GetItems();
  items->Sort("[Start]");
  const Subjects ascending{"Early", "Standup", "Review", "Tie", "Dentist"};
  EXPECT_EQ(Walk(items), ascending);
  EXPECT_EQ(Listed(items), ascending);
  items->Sort("[start]", true);
  EXPECT_EQ(Walk(items), (Subjects{"Dentist", "Review", "Tie", "Standup", "Early"}))
      << "equal starts keep their order";
  EXPECT_EQ(Walk(Calendar()->GetItems()).front(), "Standup")
      << "each Items is a collection of its own";
}

TEST_F(ItemsSortTest, ASortedFolderSeesLaterItemsInPlace) {
  _ItemsPtr items = Calendar()->GetItems();
  items->Sort("[Start]");
  Add("Earliest", Date(2020, 1, 1));
  EXPECT_EQ(SubjectOf(items->GetFirst()), "Earliest");
  EXPECT_EQ(items->GetCount(), 6);
}

TEST_F(ItemsSortTest, TheWalkStartsAtTheFirstAndEndsWithNull) {
  _ItemsPtr items = Calendar()->GetItems();
  items->Sort("[Start]");
  EXPECT_EQ(SubjectOf(items->GetNext()), "Early") << "no walk yet: the first";
  EXPECT_EQ(SubjectOf(items->GetNext()), "Standup");
  EXPECT_EQ(SubjectOf(items->GetFirst()), "Early") << "GetFirst starts again";
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(items->GetNext() != nullptr);
  EXPECT_TRUE(items->GetNext() == nullptr);
  EXPECT_TRUE(items->GetNext() == nullptr) << "stays at the end";
  items->Sort("[Start]", true);
  EXPECT_EQ(SubjectOf(items->GetNext()), "Dentist") << "a sort starts a new walk";
  _ItemsPtr none = Calendar()->GetItems()->Restrict("[Subject] = 'nothing'");
  EXPECT_TRUE(none->GetFirst() == nullptr);
  EXPECT_TRUE(none->GetNext() == nullptr);
}

TEST_F(ItemsSortTest, RestrictKeepsTheOrderAndTheRecurrenceSetting) {
  _ItemsPtr items = Calendar()->GetItems();
  EXPECT_EQ(items->GetIncludeRecurrences(), VARIANT_FALSE);
  items->Sort("[Start]");
  items->PutIncludeRecurrences(VARIANT_TRUE);
  EXPECT_EQ(items->GetIncludeRecurrences(), VARIANT_TRUE);
  _ItemsPtr withoutRoom = items->Restrict("[Location] = ''");
  EXPECT_EQ(withoutRoom->GetIncludeRecurrences(), VARIANT_TRUE);
  EXPECT_EQ(Walk(withoutRoom), (Subjects{"Early", "Review", "Tie", "Dentist"}));
  EXPECT_EQ(Listed(withoutRoom), Walk(withoutRoom));
  withoutRoom->Sort("[Start]", true);
  EXPECT_EQ(Walk(withoutRoom), (Subjects{"Dentist", "Review", "Tie", "Early"}));
  EXPECT_EQ(Calendar()->GetItems()->GetIncludeRecurrences(), VARIANT_FALSE);
}

TEST_F(ItemsSortTest, AnUnsortedRestrictionCanBeSortedAfterwards) {
  _ItemsPtr restricted = Calendar()->GetItems()->Restrict("[Location] = ''");
  EXPECT_EQ(Walk(restricted), (Subjects{"Review", "Dentist", "Early", "Tie"}));
  restricted->Sort("[Start]");
  EXPECT_EQ(Listed(restricted), (Subjects{"Early", "Review", "Tie", "Dentist"}));
}

TEST_F(ItemsSortTest, OnlyTheStartSortsAndTheDirectionMustBeABoolean) {
  _ItemsPtr items = Calendar()->GetItems();
  EXPECT_EQ(ErrorOf([&] { items->Sort("[Subject]"); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { items->Sort("Start"); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { items->Sort("[Start]", _variant_t("sideways")); }), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Walk(items).front(), "Standup") << "a refused sort changes nothing";
  VARIANT missing;
  VariantInit(&missing);
  missing.vt = VT_ERROR;
  missing.scode = DISP_E_PARAMNOTFOUND;
  EXPECT_EQ(items->raw_Sort(_bstr_t("[Start]"), missing), S_OK);
  EXPECT_EQ(Walk(items).front(), "Early") << "a missing direction is ascending";
}

TEST_F(ItemsSortTest, PlannedFailuresRaise) {
  _ItemsPtr items = Calendar()->GetItems();
  testkit::FailCall("Items.Sort", 1, E_FAIL);
  EXPECT_EQ(ErrorOf([&] { items->Sort("[Start]"); }), E_FAIL);
  testkit::FailCall("Items.IncludeRecurrences", 1, E_ACCESSDENIED);
  EXPECT_EQ(ErrorOf([&] { items->PutIncludeRecurrences(VARIANT_TRUE); }), E_ACCESSDENIED);
  testkit::FailCall("Items.IncludeRecurrences", 1, E_ACCESSDENIED);
  EXPECT_EQ(ErrorOf([&] { items->GetIncludeRecurrences(); }), E_ACCESSDENIED);
  testkit::FailCall("Items.GetFirst", 1, E_OUTOFMEMORY);
  EXPECT_EQ(ErrorOf([&] { items->GetFirst(); }), E_OUTOFMEMORY);
  testkit::FailCall("Items.GetNext", 1, E_UNEXPECTED);
  EXPECT_EQ(ErrorOf([&] { items->GetNext(); }), E_UNEXPECTED);
  EXPECT_EQ(SubjectOf(items->GetNext()), "Standup");
}

}  // namespace
