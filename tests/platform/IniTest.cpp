#include <gtest/gtest.h>

#include <string>

#include "support/TempDir.h"
#include "win32/ini.h"

namespace {

// A default no language file holds, as the language lookup passes it.
constexpr const char* kSentinel = "{5A0C1E7B-93D2-4F60-8B1E-2C7D4A9F3E15}";

class IniTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.write("EN.ini",
              "[version]\r\n"
              "signature=Ostrane.LangIniFile\r\n"
              "lang = English \r\n"
              "langid=EN\r\n"
              "\r\n"
              "[Kelvra.dll]\r\n"
              "; IDS_OLD=commented out\r\n"
              "IDS_TAB=Kelvra\r\n"
              "  IDS_SPACED  =   a  b   \r\n"
              "IDS_QUOTED=\"  keep blanks  \"\r\n"
              "IDS_SINGLE='single'\r\n"
              "IDS_HALF=\"half\r\n"
              "IDS_MIXED=\"mixed'\r\n"
              "IDS_EMPTY=\r\n"
              "IDS_BLANK=   \r\n"
              "IDS_EQUALS=a=b\r\n"
              "IDS_TAB=second\r\n"
              "IDS_BYTES=\xE9t\xC3\xA9\r\n"
              "\r\n"
              "[kelvra.DLL]\r\n"
              "IDS_LATER=only in the second section\r\n");
  }

  // The lookup as the language file reader does it, with a 4096-byte buffer.
  std::string Get(const char* section, const char* key, const char* def = kSentinel,
                  const std::string& file = "EN.ini", DWORD size = 4096) {
    std::string buffer(size, '\x7F');
    DWORD length = GetPrivateProfileStringA(section, key, def, buffer.data(), size,
                                            dir.windowsPath(file).c_str());
    lastLength = length;
    EXPECT_EQ(buffer[length], '\0');
    return buffer.substr(0, length);
  }

  kelvra::test::TempDir dir;
  DWORD lastLength = 0;
};

// --- Finding sections and keys -----------------------------------------------------------

using IniLookupTest = IniTest;

TEST_F(IniLookupTest, SectionsAndKeysMatchWithoutCase) {
  EXPECT_EQ(Get("VERSION", "Signature"), "Ostrane.LangIniFile");
  EXPECT_EQ(Get("kelvra.dll", "ids_tab"), "Kelvra");
  EXPECT_EQ(lastLength, 6u);
}

TEST_F(IniLookupTest, TheFirstSectionAndTheFirstKeyOfANameWin) {
  EXPECT_EQ(Get("Kelvra.dll", "IDS_TAB"), "Kelvra");
  EXPECT_EQ(Get("Kelvra.dll", "IDS_LATER"), kSentinel);
}

TEST_F(IniLookupTest, CommentLinesAreNotKeys) {
  EXPECT_EQ(Get("Kelvra.dll", "IDS_OLD"), kSentinel);
  EXPECT_EQ(Get("Kelvra.dll", "; IDS_OLD"), kSentinel);
}

TEST_F(IniLookupTest, LinesEndingWithLineFeedOnlyReadTheSame) {
  dir.write("lf.ini", "[s]\nk=v\n[t]\nk=w");
  EXPECT_EQ(Get("s", "k", kSentinel, "lf.ini"), "v");
  EXPECT_EQ(Get("t", "k", kSentinel, "lf.ini"), "w");
}

TEST_F(IniLookupTest, TheFileIsFoundThroughTheWindowsPathView) {
  std::string path = dir.windows() + "/en.INI";
  char buffer[64];
  EXPECT_EQ(
      GetPrivateProfileStringA("version", "langid", kSentinel, buffer, sizeof buffer, path.c_str()),
      2u);
  EXPECT_STREQ(buffer, "EN");
}

// --- The form of a value ---------------------------------------------------------------------

using IniValueTest = IniTest;

TEST_F(IniValueTest, BlanksAroundKeyAndValueAreRemovedButNotInside) {
  EXPECT_EQ(Get("version", "lang"), "English");
  EXPECT_EQ(Get("Kelvra.dll", "IDS_SPACED"), "a  b");
}

TEST_F(IniValueTest, OnePairOfMatchingQuotesIsRemoved) {
  EXPECT_EQ(Get("Kelvra.dll", "IDS_QUOTED"), "  keep blanks  ");
  EXPECT_EQ(Get("Kelvra.dll", "IDS_SINGLE"), "single");
  EXPECT_EQ(Get("Kelvra.dll", "IDS_HALF"), "\"half");
  EXPECT_EQ(Get("Kelvra.dll", "IDS_MIXED"), "\"mixed'");
}

TEST_F(IniValueTest, AnEmptyValueIsPresentNotTheDefault) {
  EXPECT_EQ(Get("Kelvra.dll", "IDS_EMPTY"), "");
  EXPECT_EQ(lastLength, 0u);
  EXPECT_EQ(Get("Kelvra.dll", "IDS_BLANK"), "");
}

TEST_F(IniValueTest, EverythingAfterTheFirstEqualsSignAndEveryByteIsKept) {
  EXPECT_EQ(Get("Kelvra.dll", "IDS_EQUALS"), "a=b");
  EXPECT_EQ(Get("Kelvra.dll", "IDS_BYTES"), "\xE9t\xC3\xA9");
}

// --- Defaults ----------------------------------------------------------------------------------

using IniDefaultTest = IniTest;

TEST_F(IniDefaultTest, AMissingFileSectionOrKeyGivesTheDefaultAndItsLength) {
  EXPECT_EQ(Get("version", "lang", kSentinel, "missing.ini"), kSentinel);
  EXPECT_EQ(lastLength, 38u);
  EXPECT_EQ(Get("Nowhere", "lang"), kSentinel);
  EXPECT_EQ(Get("version", "nothing", "fallback"), "fallback");
  EXPECT_EQ(lastLength, 8u);
}

TEST_F(IniDefaultTest, ANullDefaultIsEmptyAndTrailingBlanksOfTheDefaultGo) {
  EXPECT_EQ(Get("version", "nothing", nullptr), "");
  EXPECT_EQ(Get("version", "nothing", "def  "), "def");
}

// --- The caller's buffer --------------------------------------------------------------------

using IniBufferTest = IniTest;

TEST_F(IniBufferTest, ValuesAndDefaultsAreCutToTheBufferLessOne) {
  EXPECT_EQ(Get("version", "signature", kSentinel, "EN.ini", 8), "Ostrane");
  EXPECT_EQ(lastLength, 7u);
  EXPECT_EQ(Get("version", "nothing", kSentinel, "EN.ini", 5), "{5A0");
  EXPECT_EQ(Get("version", "langid", kSentinel, "EN.ini", 1), "");
}

TEST_F(IniBufferTest, ALongValueFillsTheLanguageBuffer) {
  dir.write("long.ini", "[s]\nk=" + std::string(5000, 'x') + "\n");
  EXPECT_EQ(Get("s", "k", kSentinel, "long.ini"), std::string(4095, 'x'));
}

TEST_F(IniBufferTest, TheListFormsAreRefusedWithAnEmptyBuffer) {
  char buffer[16] = "untouched";
  EXPECT_EQ(GetPrivateProfileStringA(nullptr, "k", "d", buffer, sizeof buffer,
                                     dir.windowsPath("EN.ini").c_str()),
            0u);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
