// Texts from language files filled in with values, never handed to printf.
#include <gtest/gtest.h>

#include "addin/LangFormat.h"
#include "win32/base.h"

namespace {

TEST(LangFormatTest, PlaceholdersTakeTheArgumentsInOrder) {
  EXPECT_EQ(FormatLangText("%d of %d contacts exported to %s", {3, 10, "C:\\out"}),
            "3 of 10 contacts exported to C:\\out");
  EXPECT_EQ(FormatLangText("%s", {std::string("text")}), "text");
  EXPECT_EQ(FormatLangText("[%d]", {-2147483647 - 1}), "[-2147483648]");
  EXPECT_EQ(FormatLangText("[%d]", {DWORD{4294967295u}}), "[4294967295]");
}

TEST(LangFormatTest, DoublePercentIsOnePercent) {
  EXPECT_EQ(FormatLangText("100%% done, %d%%", {5}), "100% done, 5%");
  EXPECT_EQ(FormatLangText("%%d", {7}), "%d");
}

TEST(LangFormatTest, AnyOtherPercentIsCopiedAsItStands) {
  EXPECT_EQ(FormatLangText("50% off %x %n %p %.1000s %", {1}), "50% off %x %n %p %.1000s %");
  EXPECT_EQ(FormatLangText("%S%ls%5d", {"a"}), "%S%ls%5d");
}

TEST(LangFormatTest, PlaceholdersWithoutArgumentsAreKept) {
  EXPECT_EQ(FormatLangText("%s and %s and %d", {"one"}), "one and %s and %d");
  EXPECT_EQ(FormatLangText("%s%s%s%s%s%s%s%s"), "%s%s%s%s%s%s%s%s");
}

TEST(LangFormatTest, EachArgumentShowsInItsOwnForm) {
  EXPECT_EQ(FormatLangText("%d / %s", {"text", 12}), "text / 12");
  EXPECT_EQ(FormatLangText("<%s>", {static_cast<const char*>(nullptr)}), "<>");
}

TEST(LangFormatTest, SurplusArgumentsAreIgnored) {
  EXPECT_EQ(FormatLangText("only %d", {1, 2, "three"}), "only 1");
  EXPECT_EQ(FormatLangText("", {1}), "");
}

TEST(LangFormatTest, ArgumentTextIsNotScannedAgain) {
  EXPECT_EQ(FormatLangText("%s|%s", {"%s%d", "b"}), "%s%d|b");
}

}  // namespace
