#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ContactsTestSupport.h"
#include "com/comutil.h"
#include "contacts/DovantCharConverter.h"
#include "testkit/Locale.h"
#include "testkit/Operator.h"

namespace {

using kelvra::test::AddinFolder;
using kelvra::test::ErrorLogWatch;

constexpr int kAnsi = DovantCharConverter::kAnsiCodePage;
constexpr int kNone = DovantCharConverter::kNoConversion;
// A code page number that no system converts.
constexpr int kUnconvertible = 12345;

std::u16string Wide(const _bstr_t& text) {
  if (text.length() == 0) return std::u16string();
  return std::u16string(static_cast<const char16_t*>(text), text.length());
}

class ConverterTest : public ::testing::Test {
 protected:
  void SetUp() override { testkit::SetAcp(65001); }
  void TearDown() override { testkit::SetAcp(0); }

  DovantCharConverter& Build(const std::string& encodings) {
    folder_.WriteEncodings(encodings);
    converter_ = std::make_unique<DovantCharConverter>();
    EXPECT_TRUE(testkit::MessageBoxes().empty());
    return *converter_;
  }

  AddinFolder folder_;
  std::unique_ptr<DovantCharConverter> converter_;
};

// Resolving display names, charset names and code pages.
class ConverterLookupTest : public ConverterTest {
 protected:
  void SetUp() override {
    ConverterTest::SetUp();
    Build(
        "UTF-8|UTF-8|65001\n"
        "Cyrillic (Windows)|windows-1251|1251\n"
        "Western|windows-1252|1252\n"
        "Western alias|x-cp1252|1252\n"
        "Twice|first|28591\n"
        "Twice|second|28592\n"
        "Latin 3|shared|28593\n"
        "Latin 4|shared|28594\n");
  }
};

TEST_F(ConverterLookupTest, TheEmptyNameIsTheAnsiCodePage) {
  EXPECT_EQ(converter_->CharsetToCodePage(""), kAnsi);
  EXPECT_EQ(converter_->NameToCodePage(""), kAnsi);
  EXPECT_STREQ(converter_->CodePageToCharset(kAnsi), "");
}

TEST_F(ConverterLookupTest, AnUnlistedNameMeansNoConversion) {
  EXPECT_EQ(converter_->CharsetToCodePage("KOI8-R"), kNone);
  EXPECT_EQ(converter_->NameToCodePage("Cyrillic (KOI8-R)"), kNone);
  EXPECT_STREQ(converter_->CodePageToCharset(kNone), "");
  EXPECT_STREQ(converter_->CodePageToCharset(866), "");
}

TEST_F(ConverterLookupTest, NamesCompareCaseSensitively) {
  EXPECT_EQ(converter_->CharsetToCodePage("UTF-8"), 65001);
  EXPECT_EQ(converter_->CharsetToCodePage("utf-8"), kNone);
  EXPECT_EQ(converter_->NameToCodePage("cyrillic (windows)"), kNone);
  EXPECT_EQ(converter_->NameToCodePage("Cyrillic (Windows)"), 1251);
}

TEST_F(ConverterLookupTest, TheLaterOfTwoEntriesWithOneKeyWins) {
  EXPECT_STREQ(converter_->CodePageToCharset(1252), "x-cp1252");
  EXPECT_EQ(converter_->CharsetToCodePage("windows-1252"), 1252);
  EXPECT_EQ(converter_->NameToCodePage("Twice"), 28592);
  EXPECT_EQ(converter_->CharsetToCodePage("shared"), 28594);
}

TEST_F(ConverterLookupTest, TheCurrentCodePageStartsAsAnsiAndFollowsTheSetters) {
  EXPECT_STREQ(converter_->GetCurrentCharset(), "");
  EXPECT_EQ(converter_->SetCurrentByName("Cyrillic (Windows)"), 1251);
  EXPECT_STREQ(converter_->GetCurrentCharset(), "windows-1251");
  EXPECT_EQ(converter_->SetCurrentByCharset("UTF-8"), 65001);
  EXPECT_STREQ(converter_->GetCurrentCharset(), "UTF-8");
  EXPECT_EQ(converter_->SetCurrentByCharset("unknown"), kNone);
  EXPECT_STREQ(converter_->GetCurrentCharset(), "");
  EXPECT_EQ(converter_->SetCurrentByName(""), kAnsi);
}

// Conversions between UTF-16 and 8-bit text.
class ConverterConversionTest : public ConverterTest {
 protected:
  void SetUp() override {
    ConverterTest::SetUp();
    Build(
        "UTF-8|UTF-8|65001\n"
        "Western|windows-1252|1252\n"
        "Cyrillic|windows-1251|1251\n"
        "Japanese|Shift_JIS|932\n"
        "Nowhere|x-nowhere|12345\n");
  }

  std::string Encode(int codePage, const char16_t* text) {
    std::string bytes;
    const int written = converter_->EncodeByCodePage(codePage, _bstr_t(text), bytes);
    EXPECT_EQ(written, static_cast<int>(bytes.size()));
    return bytes;
  }

  std::u16string Decode(int codePage, const std::string& bytes) {
    _bstr_t text;
    EXPECT_EQ(converter_->DecodeByCodePage(codePage, bytes, text), kNone);
    return Wide(text);
  }
};

TEST_F(ConverterConversionTest, RoundTripsInSeveralCodePages) {
  struct Sample {
    int codePage;
    const char16_t* text;
    std::string bytes;
  };
  const Sample samples[] = {
      {1252, u"Caf\u00E9 \u20AC5",
       "Caf\xE9 \x80"
       "5"},
      {1251, u"\u041F\u0440\u0438\u0432\u0435\u0442", "\xCF\xF0\xE8\xE2\xE5\xF2"},
      {932, u"\u65E5\u672C\u8A9E", "\x93\xFA\x96\x7B\x8C\xEA"},
      {65001, u"Zo\u00EB \u65E5", "Zo\xC3\xAB \xE6\x97\xA5"},
  };
  for (const Sample& sample : samples) {
    EXPECT_EQ(Encode(sample.codePage, sample.text), sample.bytes) << sample.codePage;
    EXPECT_EQ(Decode(sample.codePage, sample.bytes), sample.text) << sample.codePage;
  }
}

TEST_F(ConverterConversionTest, ConvertsByCharsetName) {
  std::string bytes;
  EXPECT_EQ(converter_->EncodeByCharset("Shift_JIS", _bstr_t(u"\u65E5"), bytes), 2);
  EXPECT_EQ(bytes, "\x93\xFA");
  _bstr_t text;
  EXPECT_EQ(converter_->DecodeByCharset("windows-1251", "\xC6", text), kNone);
  EXPECT_EQ(Wide(text), u"\u0416");
}

TEST_F(ConverterConversionTest, AnUnknownCharsetLeavesTheTextUnconverted) {
  std::string bytes = "keep";
  EXPECT_EQ(converter_->EncodeByCharset("utf-8", _bstr_t(u"abc"), bytes), kNone);
  EXPECT_EQ(bytes, "keep");
  _bstr_t text(u"keep");
  EXPECT_EQ(converter_->DecodeByCharset("utf-8", "abc", text), kNone);
  EXPECT_EQ(Wide(text), u"keep");
}

TEST_F(ConverterConversionTest, NothingToConvertLeavesTheDestination) {
  std::string bytes = "keep";
  EXPECT_EQ(converter_->EncodeByCodePage(1252, _bstr_t(u""), bytes), kNone);
  EXPECT_EQ(converter_->EncodeByCodePage(1252, _bstr_t(), bytes), kNone);
  EXPECT_EQ(converter_->EncodeByCodePage(kNone, _bstr_t(u"abc"), bytes), kNone);
  EXPECT_EQ(bytes, "keep");

  _bstr_t text(u"keep");
  EXPECT_EQ(converter_->DecodeByCodePage(1252, "", text), kNone);
  EXPECT_EQ(converter_->DecodeByCodePage(kNone, "abc", text), kNone);
  EXPECT_EQ(Wide(text), u"keep");
}

TEST_F(ConverterConversionTest, DecodingReportsNoConversionEvenAfterSuccess) {
  _bstr_t text(u"old");
  EXPECT_EQ(converter_->DecodeByCodePage(1252, "\xE9t\xE9", text), kNone);
  EXPECT_EQ(Wide(text), u"\u00E9t\u00E9");
}

TEST_F(ConverterConversionTest, TheAnsiCodePageIsLookedUpAtEachConversion) {
  testkit::SetAcp(1251);
  EXPECT_EQ(Encode(kAnsi, u"\u0416"), "\xC6");
  EXPECT_EQ(Decode(kAnsi, "\xC6"), u"\u0416");
  testkit::SetAcp(1252);
  EXPECT_EQ(Encode(kAnsi, u"\u00E9"), "\xE9");
  EXPECT_EQ(Decode(kAnsi, "\xC6"), u"\u00C6");
}

TEST_F(ConverterConversionTest, AnUnconvertibleCodePageEncodesNothing) {
  std::string bytes = "keep";
  EXPECT_EQ(converter_->EncodeByCodePage(kUnconvertible, _bstr_t(u"abc"), bytes), kNone);
  EXPECT_EQ(converter_->EncodeByCharset("x-nowhere", _bstr_t(u"abc"), bytes), kNone);
  EXPECT_EQ(bytes, "keep");
}

TEST_F(ConverterConversionTest, AnUnconvertibleCodePageDecodesThroughTheAnsiCodePage) {
  testkit::SetAcp(1252);
  ErrorLogWatch log;
  _bstr_t text(u"old");
  EXPECT_EQ(converter_->DecodeByCharset("x-nowhere", "caf\xE9", text), kNone);
  EXPECT_EQ(Wide(text), u"caf\u00E9");

  const std::string lines = log.Lines();
  EXPECT_NE(lines.find("War[12345] in DovantCharConverter::DecodeByCodePage"), std::string::npos)
      << lines;
}

TEST_F(ConverterConversionTest, WideToCharsetEmptiesTheDestinationFirst) {
  std::string bytes = "old";
  EXPECT_EQ(converter_->WideToCharset(_bstr_t(u""), bytes, "windows-1252"), kNone);
  EXPECT_EQ(bytes, "");
}

TEST_F(ConverterConversionTest, WideToCharsetUsesTheCurrentCharsetWhenNoneIsNamed) {
  converter_->SetCurrentByCharset("windows-1251");
  std::string bytes;
  EXPECT_EQ(converter_->WideToCharset(_bstr_t(u"\u0416\u0443\u043A"), bytes), 3);
  EXPECT_EQ(bytes, "\xC6\xF3\xEA");
  EXPECT_EQ(converter_->WideToCharset(_bstr_t(u"\u0416"), bytes, "windows-1252"), 1);
  EXPECT_EQ(bytes, "?");
}

TEST_F(ConverterConversionTest, BstrToCharsetTakesTheStringOver) {
  std::string bytes;
  EXPECT_EQ(converter_->BstrToCharset(SysAllocString(u"\u00E9t\u00E9"), bytes, "windows-1252"), 3);
  EXPECT_EQ(bytes, "\xE9t\xE9");
  EXPECT_EQ(converter_->BstrToCharset(nullptr, bytes, "windows-1252"), kNone);
  EXPECT_EQ(bytes, "");
}

// Calendar text escaping and control-character removal.
class CalendarTextTest : public ::testing::Test {};

TEST_F(CalendarTextTest, EscapesSeparatorsBackslashesAndLineEnds) {
  EXPECT_EQ(DovantCharConverter::EscapeText("a\\b;c,d\r\ne"), "a\\\\b\\;c\\,d\\ne");
  EXPECT_EQ(DovantCharConverter::EscapeText("1\r2\n3\r\r\n4\n\r5"), "1\\n2\\n3\\n\\n4\\n\\n5");
  EXPECT_EQ(DovantCharConverter::EscapeText(""), "");
}

TEST_F(CalendarTextTest, UnescapingUndoesEscaping) {
  EXPECT_EQ(DovantCharConverter::UnescapeText(u"a\\\\b\\;c\\,d\\ne"), u"a\\b;c,d\ne");
  const std::string escaped = DovantCharConverter::EscapeText("x;y,z\\w\nv");
  EXPECT_EQ(DovantCharConverter::UnescapeText(std::u16string(escaped.begin(), escaped.end())),
            u"x;y,z\\w\nv");
}

TEST_F(CalendarTextTest, UnescapingTakesEachPairOnceAndKeepsUnknownPairs) {
  EXPECT_EQ(DovantCharConverter::UnescapeText(u"\\\\n"), u"\\n");
  EXPECT_EQ(DovantCharConverter::UnescapeText(u"a\\Nb\\tc"), u"a\\Nb\\tc");
  EXPECT_EQ(DovantCharConverter::UnescapeText(u"end\\"), u"end\\");
}

TEST_F(CalendarTextTest, CleanTextDropsControlsKeepsTabsAndTurnsQuotes) {
  const _bstr_t clean =
      DovantCharConverter::CleanText(_bstr_t(u"a\tb\r\nc\"d\u0001\u007F\u0080\u00E9\u65E5"));
  EXPECT_EQ(Wide(clean), u"a\tbc'd\u0080\u00E9\u65E5");
  EXPECT_EQ(clean.length(), 9u);
}

TEST_F(CalendarTextTest, CleanTextOfNothingIsEmpty) {
  EXPECT_EQ(DovantCharConverter::CleanText(_bstr_t()).length(), 0u);
  EXPECT_EQ(DovantCharConverter::CleanText(_bstr_t(u"\r\n\u0007")).length(), 0u);
}

}  // namespace
