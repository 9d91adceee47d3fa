#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "testkit/Locale.h"
#include "win32/windows.h"

namespace {

std::u16string Decode(UINT codePage, std::string_view bytes) {
  const int size = static_cast<int>(bytes.size());
  const int needed = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  EXPECT_GT(needed, 0) << "code page " << codePage;
  std::u16string text(static_cast<std::size_t>(needed > 0 ? needed : 0), u'\0');
  EXPECT_EQ(MultiByteToWideChar(codePage, 0, bytes.data(), size, text.data(), needed), needed);
  return text;
}

std::string Encode(UINT codePage, std::u16string_view text, LPCSTR defaultChar = nullptr,
                   BOOL* usedDefault = nullptr) {
  const int size = static_cast<int>(text.size());
  const int needed =
      WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, defaultChar, usedDefault);
  EXPECT_GT(needed, 0) << "code page " << codePage;
  std::string bytes(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
  EXPECT_EQ(WideCharToMultiByte(codePage, 0, text.data(), size, bytes.data(), needed, defaultChar,
                                usedDefault),
            needed);
  return bytes;
}

// Every test starts from the default ANSI code page and leaves KELVRA_ACP as it was.
class CodePageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* value = std::getenv("KELVRA_ACP")) savedAcp_ = value;
    unsetenv("KELVRA_ACP");
    testkit::SetAcp(0);
  }
  void TearDown() override {
    testkit::SetAcp(0);
    if (savedAcp_) {
      setenv("KELVRA_ACP", savedAcp_->c_str(), 1);
    } else {
      unsetenv("KELVRA_ACP");
    }
  }

 private:
  std::optional<std::string> savedAcp_;
};

class Utf8Test : public CodePageTest {};

TEST_F(Utf8Test, DecodesOneToFourByteSequences) {
  EXPECT_EQ(Decode(CP_UTF8, "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), u"A\u00E9\u20AC\U0001F600");
}

TEST_F(Utf8Test, EachBadSequenceBecomesOneReplacementCharacter) {
  EXPECT_EQ(Decode(CP_UTF8, "a\x80z"), u"a\uFFFDz");  // stray continuation byte
  EXPECT_EQ(Decode(CP_UTF8,
                   "\xE2\x82"
                   "A"),
            u"\uFFFDA");                                    // cut-off sequence, then ASCII
  EXPECT_EQ(Decode(CP_UTF8, "x\xE2\x82"), u"x\uFFFD");      // cut off by the end
  EXPECT_EQ(Decode(CP_UTF8, "\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong form
  EXPECT_EQ(Decode(CP_UTF8, "\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");            // encoded surrogate
  EXPECT_EQ(Decode(CP_UTF8, "\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // beyond U+10FFFF
  EXPECT_EQ(Decode(CP_UTF8, "\xF5\xFF"), u"\uFFFD\uFFFD");
  EXPECT_EQ(Decode(CP_UTF8,
                   "\xF0\x9F\x98"
                   "\xC3\xA9"),
            u"\uFFFD\u00E9");
}

TEST_F(Utf8Test, EncodesSurrogatePairsAndReplacesLoneSurrogates) {
  EXPECT_EQ(Encode(CP_UTF8, u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Encode(CP_UTF8, u"\u00E9\u20AC"), "\xC3\xA9\xE2\x82\xAC");
  const char16_t highThenText[] = {0xD83D, u'a', 0};
  EXPECT_EQ(Encode(CP_UTF8, highThenText),
            "\xEF\xBF\xBD"
            "a");
  const char16_t lowAlone[] = {0xDE00, 0};
  EXPECT_EQ(Encode(CP_UTF8, lowAlone), "\xEF\xBF\xBD");
  const char16_t highAtEnd[] = {u'a', 0xD83D, 0};
  EXPECT_EQ(Encode(CP_UTF8, highAtEnd), "a\xEF\xBF\xBD");
}

TEST_F(Utf8Test, EveryEncodedLengthLandsWhereTheSizeQuerySaid) {
  // One- to four-byte characters side by side, so a wrong length shifts every byte after it.
  const std::u16string text = u"a\u007F\u0080\u07FF\u0800\uFFFF\U00010000\U0010FFFFz";
  const std::string expected =
      "a\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBFz";
  EXPECT_EQ(Encode(CP_UTF8, text), expected);
  EXPECT_EQ(Decode(CP_UTF8, expected), text);
}

TEST_F(Utf8Test, AShortConversionAfterALongOneCarriesNothingOver) {
  EXPECT_EQ(Encode(CP_UTF8, std::u16string(300, u'\u20AC')).size(), 900u);
  EXPECT_EQ(Encode(CP_UTF8, u"\u00E9"), "\xC3\xA9");
  char out[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"ab", 2, out, 4, nullptr, nullptr), 2);
  EXPECT_EQ(std::string(out, 4), "abxx");
}

TEST_F(Utf8Test, RefusesADefaultCharacter) {
  char out[8];
  BOOL used = FALSE;
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", 1, out, 8, nullptr, &used), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", 1, out, 8, "*", nullptr), 0);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF7, 0, u"a", 1, out, 8, "*", nullptr), 0);
}

class Windows1252Test : public CodePageTest {};

TEST_F(Windows1252Test, EuroSignAndLatinLetters) {
  EXPECT_EQ(Decode(1252, "\x80 caf\xE9"), u"\u20AC caf\u00E9");
  EXPECT_EQ(Encode(1252, u"\u20AC caf\u00E9"), "\x80 caf\xE9");
}

TEST_F(Windows1252Test, TheFiveUndefinedBytesMapToControlsBothWays) {
  const std::string undefinedBytes = "\x81\x8D\x8F\x90\x9D";
  const std::u16string controls = u"\u0081\u008D\u008F\u0090\u009D";
  EXPECT_EQ(Decode(1252, undefinedBytes), controls);
  BOOL used = TRUE;
  EXPECT_EQ(Encode(1252, controls, nullptr, &used), undefinedBytes);
  EXPECT_FALSE(used);
}

TEST_F(Windows1252Test, UnmappableTextBecomesTheDefaultCharacter) {
  BOOL used = FALSE;
  EXPECT_EQ(Encode(1252, u"a\u03A9b\u65E5", nullptr, &used), "a?b?");
  EXPECT_TRUE(used);
  EXPECT_EQ(Encode(1252, u"\u03A9", "*", &used), "*");
  EXPECT_TRUE(used);
  // No best fit: a letter with a stroke is not stripped to its base letter.
  EXPECT_EQ(Encode(1252, u"\u0141"), "?");
}

TEST_F(Windows1252Test, ASurrogatePairBecomesTwoDefaultCharacters) {
  EXPECT_EQ(Encode(1252, u"x\U0001F600y"), "x??y");
}

class DoubleByteTest : public CodePageTest {};

TEST_F(DoubleByteTest, ShiftJisBothWays) {
  EXPECT_EQ(Decode(932,
                   "\x93\xFA\x96\x7B"
                   "A\xB1"),
            u"\u65E5\u672C"
            u"A\uFF71");
  EXPECT_EQ(Encode(932, u"\u65E5\u672CA\uFF71"),
            "\x93\xFA\x96\x7B"
            "A\xB1");
}

TEST_F(DoubleByteTest, ABadPairOrALoneLeadByteIsTheDefaultCharacter) {
  EXPECT_EQ(Decode(932,
                   "\x81\x20"
                   "A"),
            u"\u30FB"
            u"A");
  EXPECT_EQ(Decode(932, "A\x82"), u"A\u30FB");
  EXPECT_EQ(Decode(936, "\x81\x20"), u"?");
}

TEST_F(DoubleByteTest, DuplicateCodesEncodeToTheWindowsChoice) {
  // Both NEC and IBM rows hold these characters; Windows writes the IBM / JIS code.
  EXPECT_EQ(Decode(932, "\xEE\xEF\xFA\x40"), u"\u2170\u2170");
  EXPECT_EQ(Encode(932, u"\u2170"), "\xFA\x40");
  EXPECT_EQ(Decode(932, "\x87\x90"), u"\u2252");
  EXPECT_EQ(Encode(932, u"\u2252"), "\x81\xE0");
}

TEST_F(DoubleByteTest, UnmappableTextIsOneQuestionMark) {
  BOOL used = FALSE;
  EXPECT_EQ(Encode(932, u"\u20AC\u00E9", nullptr, &used), "??");
  EXPECT_TRUE(used);
}

TEST_F(DoubleByteTest, ChineseAndKoreanPages) {
  EXPECT_EQ(Encode(936, u"\u20AC\u4E2D"), "\x80\xD6\xD0");
  EXPECT_EQ(Decode(936, "\x80\xD6\xD0"), u"\u20AC\u4E2D");
  EXPECT_EQ(Encode(950, u"\u4E2D"), "\xA4\xA4");
  EXPECT_EQ(Encode(949, u"\uD55C"), "\xC7\xD1");
  EXPECT_EQ(Decode(51949, "\xC7\xD1"), u"\uD55C");
}

class StatefulPageTest : public CodePageTest {};

TEST_F(StatefulPageTest, Iso2022JpShiftsAndReturnsToAscii) {
  const std::string bytes = "\x1B$BF|K\\\x1B(B";
  EXPECT_EQ(Encode(50220, u"\u65E5\u672C"), bytes);
  EXPECT_EQ(Decode(50220, bytes + "a"), u"\u65E5\u672Ca");
  // The replacement stands outside the two-byte mode.
  EXPECT_EQ(Encode(50220, u"\u65E5\u20AC"), "\x1B$BF|\x1B(B?");
}

TEST_F(StatefulPageTest, Gb18030HoldsCharactersBeyondTheBmp) {
  EXPECT_EQ(Encode(54936, u"\U0001F600"), "\x94\x39\xFC\x36");
  EXPECT_EQ(Decode(54936, "\x94\x39\xFC\x36"), u"\U0001F600");
  EXPECT_EQ(Decode(54936,
                   "a\xFF"
                   "b"),
            u"a?b");
}

TEST_F(StatefulPageTest, Utf7) {
  EXPECT_EQ(Encode(CP_UTF7, u"\u00C4"), "+AMQ-");
  EXPECT_EQ(Decode(CP_UTF7, "+AMQ-x"), u"\u00C4x");
}

TEST_F(StatefulPageTest, EucJpFollowsTheWindowsTables) {
  EXPECT_EQ(Decode(51932, "\xA1\xC1"), u"\uFF5E");
  EXPECT_EQ(Encode(51932, u"\u65E5"), "\xC6\xFC");
}

class SingleBytePageTest : public CodePageTest {};

TEST_F(SingleBytePageTest, CyrillicGreekAndOthers) {
  EXPECT_EQ(Encode(1251, u"\u0416"), "\xC6");
  EXPECT_EQ(Encode(20866, u"\u0416"), "\xF6");
  EXPECT_EQ(Encode(866, u"\u0416"), "\x86");
  EXPECT_EQ(Encode(1253, u"\u03A9"), "\xD9");
  EXPECT_EQ(Encode(10000, u"\u00E9"), "\x8E");
  EXPECT_EQ(Decode(28605, "\xA4"), u"\u20AC");
  EXPECT_EQ(Decode(28591, "\xA4\x85"), u"\u00A4\u0085");
}

TEST_F(SingleBytePageTest, CombiningMarksAreNotComposed) {
  // 1258 writes Vietnamese with separate tone marks: "a" + grave stays two characters.
  EXPECT_EQ(Decode(1258, "a\xCC"), u"a\u0300");
}

TEST_F(SingleBytePageTest, AsciiPageRejectsHighBytes) {
  EXPECT_EQ(Decode(20127, "a\xE9"), u"a?");
  EXPECT_EQ(Encode(20127, u"a\u00E9"), "a?");
}

class BufferProtocolTest : public CodePageTest {};

TEST_F(BufferProtocolTest, MinusOneCountsTheTerminatingNul) {
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", -1, nullptr, 0), 4);
  WCHAR wide[4] = {1, 1, 1, 1};
  ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", -1, wide, 4), 4);
  EXPECT_EQ(std::u16string(wide, 4), std::u16string(u"abc\0", 4));

  EXPECT_EQ(WideCharToMultiByte(1252, 0, u"\u00E9t\u00E9", -1, nullptr, 0, nullptr, nullptr), 4);
  char narrow[4] = {1, 1, 1, 1};
  ASSERT_EQ(WideCharToMultiByte(1252, 0, u"\u00E9t\u00E9", -1, narrow, 4, nullptr, nullptr), 4);
  EXPECT_EQ(std::string(narrow, 4), std::string("\xE9t\xE9\0", 4));
}

TEST_F(BufferProtocolTest, SizeQueryCountsWhatTheConversionWrites) {
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xF0\x9F\x98\x80", 4, nullptr, 0), 2);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\U0001F600", 2, nullptr, 0, nullptr, nullptr), 4);
  EXPECT_EQ(WideCharToMultiByte(932, 0, u"\u65E5a", 2, nullptr, 0, nullptr, nullptr), 3);
}

TEST_F(BufferProtocolTest, ABufferTooSmallFails) {
  WCHAR wide[2];
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", 3, wide, 2), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

  char narrow[3];
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\u20AC", 1, narrow, 2, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\u20AC", 1, narrow, 3, nullptr, nullptr), 3);
}

TEST_F(BufferProtocolTest, BadArgumentsAreInvalidParameters) {
  WCHAR wide[4];
  char narrow[4];
  const auto expectInvalid = [](int result) {
    EXPECT_EQ(result, 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    SetLastError(0);
  };
  expectInvalid(MultiByteToWideChar(CP_UTF8, 0, "a", 0, wide, 4));
  expectInvalid(MultiByteToWideChar(CP_UTF8, 0, "a", -2, wide, 4));
  expectInvalid(MultiByteToWideChar(CP_UTF8, 0, nullptr, 1, wide, 4));
  expectInvalid(MultiByteToWideChar(CP_UTF8, 0, "a", 1, nullptr, 4));
  expectInvalid(MultiByteToWideChar(CP_UTF8, 0, "a", 1, wide, -1));
  expectInvalid(WideCharToMultiByte(CP_UTF8, 0, u"a", 0, narrow, 4, nullptr, nullptr));
  expectInvalid(WideCharToMultiByte(CP_UTF8, 0, nullptr, 1, narrow, 4, nullptr, nullptr));
  expectInvalid(WideCharToMultiByte(CP_UTF8, 0, u"a", 1, nullptr, 4, nullptr, nullptr));
}

TEST_F(BufferProtocolTest, FlagsAreRefused) {
  WCHAR wide[4];
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 8, "a", 1, wide, 4), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
}

class CodePageSupportTest : public CodePageTest {};

TEST_F(CodePageSupportTest, EveryOfferedPageConvertsAsciiBothWays) {
  const UINT pages[] = {1250,  1251,  1252,  1253,  1254,  1255,  1256,  1257,  1258,  874,
                        932,   936,   949,   950,   54936, 20127, 20866, 21866, 28591, 28592,
                        28593, 28594, 28595, 28596, 28597, 28598, 28599, 28603, 28605, 437,
                        850,   852,   855,   866,   65001, 65000, 51932, 50220, 51949, 10000};
  for (const UINT page : pages) {
    EXPECT_TRUE(IsValidCodePage(page)) << page;
    EXPECT_EQ(Decode(page, "Name, 42"), u"Name, 42") << page;
    EXPECT_EQ(Encode(page, u"Name, 42"), "Name, 42") << page;
  }
}

TEST_F(CodePageSupportTest, UnknownPagesFailWithInvalidParameter) {
  for (const UINT page : {12345u, 1200u, 1201u, 0xFFFFFFFEu}) {
    EXPECT_FALSE(IsValidCodePage(page)) << page;
    WCHAR wide[4];
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(page, 0, "a", 1, wide, 4), 0) << page;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER)) << page;
    char narrow[4];
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(page, 0, u"a", 1, narrow, 4, nullptr, nullptr), 0) << page;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER)) << page;
  }
  EXPECT_FALSE(IsValidCodePage(CP_ACP));
}

TEST_F(CodePageSupportTest, ConvertsFromManyThreadsAtOnce) {
  const std::u16string text = u"\u65E5\u672C\u8A9E text";
  const UINT pages[] = {932, 50220, 54936, 1252, CP_UTF8};
  std::vector<std::thread> threads;
  std::vector<int> failures(8, 0);
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 200; ++i) {
        const UINT page = pages[(t + i) % 5];
        char bytes[64];
        const int n = WideCharToMultiByte(page, 0, text.data(), static_cast<int>(text.size()),
                                          bytes, 64, nullptr, nullptr);
        WCHAR back[64];
        const int m = MultiByteToWideChar(page, 0, bytes, n, back, 64);
        const std::u16string expected = page == 1252 ? u"??? text" : text;
        if (n == 0 || std::u16string(back, static_cast<std::size_t>(m)) != expected) ++failures[t];
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (int t = 0; t < 8; ++t) EXPECT_EQ(failures[t], 0) << "thread " << t;
}

class AnsiCodePageTest : public CodePageTest {};

TEST_F(AnsiCodePageTest, DefaultsToUtf8) {
  EXPECT_EQ(GetACP(), 65001u);
  EXPECT_EQ(Decode(CP_ACP, "\xC3\xA9"), u"\u00E9");
}

TEST_F(AnsiCodePageTest, EnvironmentChoosesThePage) {
  setenv("KELVRA_ACP", "1252", 1);
  EXPECT_EQ(GetACP(), 1252u);
  EXPECT_EQ(Decode(CP_ACP, "\xE9"), u"\u00E9");
  EXPECT_EQ(Encode(CP_ACP, u"\u00E9"), "\xE9");
}

TEST_F(AnsiCodePageTest, AnUnusableEnvironmentValueIsIgnored) {
  for (const char* value : {"abc", "1200", "12345", "1252x", ""}) {
    setenv("KELVRA_ACP", value, 1);
    EXPECT_EQ(GetACP(), 65001u) << value;
  }
}

TEST_F(AnsiCodePageTest, TestkitOverridesTheEnvironmentUntilReset) {
  setenv("KELVRA_ACP", "1252", 1);
  testkit::SetAcp(932);
  EXPECT_EQ(GetACP(), 932u);
  EXPECT_EQ(Encode(CP_ACP, u"\u65E5"), "\x93\xFA");
  testkit::SetAcp(0);
  EXPECT_EQ(GetACP(), 1252u);
}

TEST_F(AnsiCodePageTest, AUtf8AnsiPageRefusesAUsedDefaultFlag) {
  BOOL used = FALSE;
  char out[4];
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"a", 1, out, 4, nullptr, &used), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  testkit::SetAcp(1252);
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"a", 1, out, 4, nullptr, &used), 1);
}

}  // namespace
