#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ComTestObjects.h"
#include "com/com.h"
#include "testkit/Locale.h"

using comtest::Ansi;
using comtest::Text;

namespace {

UINT Prefix(BSTR text) {
  UINT bytes = 0;
  std::memcpy(&bytes, reinterpret_cast<const char*>(text) - sizeof(UINT), sizeof bytes);
  return bytes;
}

class BstrAllocationTest : public ::testing::Test {};

TEST_F(BstrAllocationTest, PrefixHoldsTheByteLengthAndTheTextEndsWithNul) {
  BSTR text = SysAllocString(u"Kelvra");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(Prefix(text), 12u);
  EXPECT_EQ(SysStringLen(text), 6u);
  EXPECT_EQ(SysStringByteLen(text), 12u);
  EXPECT_EQ(text[6], u'\0');
  EXPECT_EQ(std::u16string(text), u"Kelvra");
  SysFreeString(text);
}

TEST_F(BstrAllocationTest, EmbeddedNulIsPartOfTheLength) {
  const char16_t source[] = {u'a', u'\0', u'b'};
  BSTR text = SysAllocStringLen(source, 3);
  EXPECT_EQ(SysStringLen(text), 3u);
  EXPECT_EQ(std::u16string(text, SysStringLen(text)), std::u16string(source, 3));
  EXPECT_EQ(text[3], u'\0');
  SysFreeString(text);
}

TEST_F(BstrAllocationTest, NullCountsAsEmpty) {
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysStringByteLen(nullptr), 0u);
  SysFreeString(nullptr);
}

TEST_F(BstrAllocationTest, LengthWithoutTextGivesZeroedCharacters) {
  BSTR text = SysAllocStringLen(nullptr, 4);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(SysStringLen(text), 4u);
  for (UINT i = 0; i <= 4; ++i) EXPECT_EQ(text[i], u'\0') << i;
  SysFreeString(text);
}

TEST_F(BstrAllocationTest, OddByteLengthKeepsItsBytesAndHalvesDown) {
  BSTR text = SysAllocStringByteLen("abc", 3);
  EXPECT_EQ(SysStringByteLen(text), 3u);
  EXPECT_EQ(SysStringLen(text), 1u);
  const char* bytes = reinterpret_cast<const char*>(text);
  EXPECT_EQ(std::string(bytes, 3), "abc");
  EXPECT_EQ(bytes[3], '\0');
  SysFreeString(text);
}

TEST_F(BstrAllocationTest, ReAllocReplacesWithACopyEvenOfItsOwnTail) {
  BSTR text = SysAllocString(u"prefix-tail");
  ASSERT_TRUE(SysReAllocString(&text, text + 7));
  EXPECT_EQ(std::u16string(text), u"tail");
  EXPECT_EQ(SysStringLen(text), 4u);
  ASSERT_TRUE(SysReAllocString(&text, nullptr));
  EXPECT_EQ(SysStringLen(text), 0u);
  SysFreeString(text);
  EXPECT_FALSE(SysReAllocString(nullptr, u"x"));
}

class BstrSharingTest : public ::testing::Test {};

TEST_F(BstrSharingTest, CopiesShareOneBstr) {
  _bstr_t first(u"shared");
  _bstr_t second = first;
  EXPECT_EQ(static_cast<const char16_t*>(first), static_cast<const char16_t*>(second));
  _bstr_t third;
  third = second;
  EXPECT_EQ(static_cast<const char16_t*>(third), static_cast<const char16_t*>(first));
}

TEST_F(BstrSharingTest, AttachTakesOwnershipAndConstructorCopiesOnRequest) {
  BSTR raw = SysAllocString(u"owned");
  _bstr_t attached(raw, false);
  EXPECT_EQ(static_cast<const char16_t*>(attached), raw);
  _bstr_t copied(raw, true);
  EXPECT_NE(static_cast<const char16_t*>(copied), raw);
  EXPECT_TRUE(copied == attached);

  _bstr_t later(u"before");
  later.Attach(SysAllocString(u"after"));
  EXPECT_EQ(Text(later), u"after");
}

TEST_F(BstrSharingTest, AttachingTheHeldBstrAgainKeepsIt) {
  _bstr_t text(u"same");
  BSTR held = text;
  text.Attach(held);
  EXPECT_EQ(Text(text), u"same");
}

TEST_F(BstrSharingTest, DetachHandsTheBstrOverWhenNotShared) {
  _bstr_t text(u"mine");
  BSTR held = text;
  BSTR detached = text.Detach();
  EXPECT_EQ(detached, held);
  EXPECT_TRUE(!text);
  SysFreeString(detached);
  EXPECT_EQ(_bstr_t().Detach(), nullptr);
}

TEST_F(BstrSharingTest, DetachOfASharedBstrLeavesTheOtherCopyIntact) {
  _bstr_t first(u"both");
  _bstr_t second = first;
  BSTR detached = second.Detach();
  EXPECT_NE(detached, static_cast<const char16_t*>(first));
  EXPECT_EQ(std::u16string(detached), u"both");
  EXPECT_EQ(Text(first), u"both");
  SysFreeString(detached);
}

TEST_F(BstrSharingTest, GetBstrStopsSharingBeforeTheCallerWrites) {
  _bstr_t first(u"old");
  _bstr_t second = first;
  BSTR& slot = second.GetBSTR();
  EXPECT_NE(slot, static_cast<const char16_t*>(first));
  SysReAllocString(&slot, u"new");
  EXPECT_EQ(Text(first), u"old");
  EXPECT_EQ(Text(second), u"new");
}

TEST_F(BstrSharingTest, GetAddressFreesTheOldTextAndTakesTheNew) {
  _bstr_t first(u"old");
  _bstr_t second = first;
  BSTR* slot = second.GetAddress();
  EXPECT_EQ(*slot, nullptr);
  *slot = SysAllocString(u"filled");
  EXPECT_EQ(Text(second), u"filled");
  EXPECT_EQ(Text(first), u"old");
}

TEST_F(BstrSharingTest, AnsiFormIsKeptWithTheSharedBstr) {
  _bstr_t first("cached");
  _bstr_t second = first;
  const char* once = first;
  const char* again = second;
  EXPECT_EQ(once, again);
  EXPECT_STREQ(again, "cached");
}

// The ANSI code page is pinned by each test.
class BstrAnsiConversionTest : public ::testing::Test {
 protected:
  void TearDown() override { testkit::SetAcp(0); }
};

TEST_F(BstrAnsiConversionTest, Utf8CodePageConvertsBothWays) {
  testkit::SetAcp(CP_UTF8);
  _bstr_t text(
      "Gr\xC3\xBC\xC3\x9F"
      "e \xE2\x82\xAC");
  EXPECT_EQ(Text(text), u"Gr\u00FC\u00DFe \u20AC");
  _bstr_t wide(u"\u00C5ngstr\u00F6m");
  EXPECT_EQ(Ansi(wide), "\xC3\x85ngstr\xC3\xB6m");
}

TEST_F(BstrAnsiConversionTest, WindowsLatinCodePageConvertsBothWays) {
  testkit::SetAcp(1252);
  _bstr_t text(
      "Gr\xFC\xDF"
      "e \x80");
  EXPECT_EQ(Text(text), u"Gr\u00FC\u00DFe \u20AC");
  _bstr_t wide(u"\u00C5ngstr\u00F6m");
  EXPECT_EQ(Ansi(wide), "\xC5ngstr\xF6m");
}

TEST_F(BstrAnsiConversionTest, CharacterOutsideTheCodePageBecomesQuestionMark) {
  testkit::SetAcp(1252);
  _bstr_t wide(u"a\u0416b");
  EXPECT_EQ(Ansi(wide), "a?b");
}

TEST_F(BstrAnsiConversionTest, NullTextGivesNullPointersAndEmptyTextEmptyOnes) {
  _bstr_t none;
  EXPECT_EQ(static_cast<const char*>(none), nullptr);
  EXPECT_EQ(static_cast<const char16_t*>(none), nullptr);
  _bstr_t fromNull(static_cast<const char*>(nullptr));
  EXPECT_TRUE(!fromNull);
  _bstr_t empty("");
  ASSERT_NE(static_cast<const char*>(empty), nullptr);
  EXPECT_STREQ(static_cast<const char*>(empty), "");
  EXPECT_EQ(empty.length(), 0u);
}

class BstrOperatorTest : public ::testing::Test {};

TEST_F(BstrOperatorTest, ConcatenationJoinsTextsAndTreatsNullAsEmpty) {
  _bstr_t left(u"Personal");
  EXPECT_EQ(Text(left + _bstr_t(u" Folders")), u"Personal Folders");
  EXPECT_EQ(Text("\\\\" + left), u"\\\\Personal");
  EXPECT_EQ(Text(u"[" + left + u"]"), u"[Personal]");
  EXPECT_EQ(Text(_bstr_t() + left), u"Personal");
  _bstr_t joinedNulls = _bstr_t() + _bstr_t();
  EXPECT_EQ(joinedNulls.length(), 0u);
}

TEST_F(BstrOperatorTest, AppendingToACopyLeavesTheOriginal) {
  _bstr_t original(u"Contacts");
  _bstr_t copy = original;
  copy += u"\\Sub";
  EXPECT_EQ(Text(copy), u"Contacts\\Sub");
  EXPECT_EQ(Text(original), u"Contacts");
}

TEST_F(BstrOperatorTest, EqualityComparesLengthAndContent) {
  EXPECT_TRUE(_bstr_t(u"abc") == _bstr_t(u"abc"));
  EXPECT_FALSE(_bstr_t(u"abc") == _bstr_t(u"abd"));
  EXPECT_FALSE(_bstr_t(u"abc") == _bstr_t(u"ab"));
  EXPECT_TRUE(_bstr_t(u"abc") != _bstr_t(u"ABC"));
  EXPECT_TRUE(_bstr_t(u"abc") == "abc");
  EXPECT_TRUE(u"abc" == _bstr_t(u"abc"));
  const char16_t withNul[] = {u'a', u'\0', u'b'};
  EXPECT_FALSE(_bstr_t(SysAllocStringLen(withNul, 3), false) == _bstr_t(u"a"));
}

TEST_F(BstrOperatorTest, NullEqualsEmptyButOnlyNullIsNot) {
  _bstr_t none;
  _bstr_t empty(u"");
  EXPECT_TRUE(none == empty);
  EXPECT_TRUE(none == "");
  EXPECT_TRUE(!none);
  EXPECT_FALSE(!empty);
  EXPECT_FALSE(none == "x");
}

}  // namespace
