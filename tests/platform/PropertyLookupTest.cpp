#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "store/PropertyBag.h"
#include "store/PropertySchema.h"

namespace store = kelvra::store;

namespace {

std::string Flipped(std::string_view name) {
  std::string flipped(name);
  for (char& c : flipped) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    } else if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return flipped;
}

}  // namespace

// --- The hashed name lookups agree with the ordered comparison.
class CaseFoldedKeyTest : public ::testing::Test {
 protected:
  const store::IgnoreAsciiCaseHash hash_{};
  const store::IgnoreAsciiCaseEqual equal_{};
  const store::IgnoreAsciiCaseLess less_{};
};

TEST_F(CaseFoldedKeyTest, NamesThatDifferOnlyInAsciiCaseAreOneKey) {
  for (const std::string_view name : {"Start", "email1address", "BUSYSTATUS", "", "x_9"}) {
    const std::string other = Flipped(name);
    EXPECT_TRUE(equal_(name, other)) << name;
    EXPECT_EQ(hash_(name), hash_(other)) << name;
    EXPECT_FALSE(less_(name, other) || less_(other, name)) << name;
  }
}

TEST_F(CaseFoldedKeyTest, OtherNamesAreDifferentKeys) {
  const std::vector<std::pair<std::string_view, std::string_view>> pairs = {
      {"Start", "Starts"}, {"Start", "Stars"}, {"", "a"}, {"@", "`"}, {"\xC3\xA9", "\xC3\x89"}};
  for (const auto& [a, b] : pairs) {
    EXPECT_FALSE(equal_(a, b)) << a << " / " << b;
    EXPECT_TRUE(less_(a, b) || less_(b, a)) << a << " / " << b;
  }
}

// --- Known properties by any spelling.
class SchemaLookupTest : public ::testing::Test {};

TEST_F(SchemaLookupTest, FindsAKnownNameInAnyCase) {
  for (const std::string_view name :
       {"ReminderMinutesBeforeStart", "Email3EntryID", "Body", "DLName"}) {
    const store::PropertyInfo* exact = store::PropertySchema::Find(name);
    ASSERT_NE(exact, nullptr) << name;
    EXPECT_EQ(exact->name, name);
    EXPECT_EQ(store::PropertySchema::Find(Flipped(name)), exact) << name;
  }
}

TEST_F(SchemaLookupTest, NearMissesAreUnknown) {
  for (const std::string_view name : {"Star", "Starts", "Email4Address", "", "Body "}) {
    EXPECT_EQ(store::PropertySchema::Find(name), nullptr) << name;
    EXPECT_TRUE(store::PropertySchema::DefaultOf(name).IsEmpty()) << name;
  }
}

TEST_F(SchemaLookupTest, DefaultsComeFromTheEntryFoundWithoutCase) {
  EXPECT_EQ(store::PropertySchema::DefaultOf("duration").AsLong(), 30);
  EXPECT_EQ(store::PropertySchema::DefaultOf("BUSYSTATUS").AsLong(), 2);
  EXPECT_EQ(store::PropertySchema::DefaultOf("importance").AsLong(), 1);
  EXPECT_EQ(store::PropertySchema::DefaultOf("start").AsDate(), store::kNoDate);
}
