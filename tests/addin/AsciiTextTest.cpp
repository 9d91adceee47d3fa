// The shared text steps: only ASCII takes part in case and trimming.
#include <gtest/gtest.h>

#include <string>

#include "addin/AsciiText.h"

namespace {

TEST(AsciiTextTest, TrimTakesOnlyTheCharactersOfItsSet) {
  EXPECT_EQ(AsciiText::Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(AsciiText::Trim("\va\f"), "\va\f");
  EXPECT_EQ(AsciiText::Trim("\va\f", AsciiText::kWhiteSpace), "a");
  EXPECT_EQ(AsciiText::Trim("\"C:\\x\"", "\""), "C:\\x");
  EXPECT_EQ(AsciiText::Trim("  \t "), "");
}

TEST(AsciiTextTest, WideTextKeepsCharactersWhoseLowByteLooksBlank) {
  // U+0120 and U+0A0D end in the bytes of a blank and a carriage return.
  const std::basic_string<WCHAR> text = {0x0120, u'a', 0x0A0D, u' '};
  EXPECT_EQ(AsciiText::Trim(std::basic_string_view<WCHAR>(text)),
            std::basic_string<WCHAR>(text.substr(0, 3)));
}

TEST(AsciiTextTest, CaseIsFoldedForAsciiLettersOnly) {
  EXPECT_TRUE(AsciiText::IEquals("Quoted-Printable", "QUOTED-PRINTABLE"));
  EXPECT_FALSE(AsciiText::IEquals("\xE9", "\xC9"));
  EXPECT_TRUE(AsciiText::IStartsWith("type=HOME", "TYPE="));
  EXPECT_FALSE(AsciiText::IStartsWith("TYP", "TYPE"));
  EXPECT_EQ(AsciiText::Uppercase("caf\xE9-x1"), "CAF\xE9-X1");
  const std::basic_string<WCHAR> wide = {u'p', u'r', u'I', u'v', u'a', u't', u'e'};
  EXPECT_TRUE(AsciiText::IEquals(std::basic_string_view<WCHAR>(wide), "PRIVATE"));
  const std::basic_string<WCHAR> nonAscii = {static_cast<WCHAR>(0x0150)};
  EXPECT_FALSE(AsciiText::IEquals(std::basic_string_view<WCHAR>(nonAscii), "P"));
}

}  // namespace
