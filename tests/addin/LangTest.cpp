// Language files: listing and choice, text lookups with escapes, and layout integers.
#include <gtest/gtest.h>

#include <filesystem>

#include "AddinTestSupport.h"
#include "addin/CLang.h"
#include "support/TempDir.h"

namespace {

using kelvra::test::LogWatch;
using kelvra::test::TempDir;

std::string LanguageFile(const std::string& langId, const std::string& lang,
                         const std::string& texts = "",
                         const std::string& signature = "Ostrane.LangIniFile") {
  return "[version]\r\nsignature=" + signature + "\r\nlang=" + lang + "\r\nlangid=" + langId +
         "\r\n\r\n" + texts;
}

class LangTest : public ::testing::Test {
 protected:
  std::string path(const std::string& name) const { return dir_.windowsPath(name); }

  TempDir dir_;
};

// --- Finding and loading a language file ----------------------------------------------

using LangFilesTest = LangTest;

TEST_F(LangFilesTest, ListingKeepsValidFilesInDirectoryOrder) {
  dir_.write("b.ini", LanguageFile("DE", "Deutsch"));
  dir_.write("A.ini", LanguageFile("EN", "English"));
  dir_.write("c.ini", "[version]\r\nlang=Francais\r\nlangid=FR\r\n");  // no signature
  dir_.write("d.ini", LanguageFile("IT", ""));                         // empty lang
  dir_.write("e.ini", LanguageFile("", "Espanol"));                    // empty langid
  dir_.write("f.ini", LanguageFile("PL", "Polski", "", "Other.Signature"));
  dir_.write("g.txt", LanguageFile("RU", "Russian"));
  dir_.write("h.ini", LanguageFile("CS", "Cestina", "", "ostrane.langinifile"));
  std::filesystem::create_directory(dir_.linuxPath("dir.ini"));

  auto files = CLang::ListFiles(dir_.windows().c_str(), "*.ini");
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[0].path, path("A.ini"));
  EXPECT_EQ(files[0].lang, "English");
  EXPECT_EQ(files[0].langId, "EN");
  EXPECT_EQ(files[1].langId, "DE");
  EXPECT_EQ(files[2].langId, "CS");
}

TEST_F(LangFilesTest, ListingAMissingFolderIsEmpty) {
  EXPECT_TRUE(CLang::ListFiles(path("none").c_str(), "*.ini").empty());
}

TEST_F(LangFilesTest, LoadChoosesByLangIdWithoutRegardToCase) {
  dir_.write("de.ini", LanguageFile("DE", "Deutsch"));
  dir_.write("en.ini", LanguageFile("EN", "English"));
  CLang lang;
  ASSERT_TRUE(lang.Load("en", dir_.windows().c_str(), "*.ini", "Kelvra.dll"));
  EXPECT_STREQ(lang.GetFileName(), path("en.ini").c_str());
  EXPECT_STREQ(lang.GetLangId(), "EN");
  EXPECT_STREQ(lang.GetLangName(), "English");
  EXPECT_STREQ(lang.GetSection(), "Kelvra.dll");
  EXPECT_STREQ(lang.GetFileTitle(), "en.ini");
}

TEST_F(LangFilesTest, TheFirstOfTwoFilesWithTheSameLangIdIsLoaded) {
  dir_.write("b.ini", LanguageFile("EN", "English B"));
  dir_.write("a.ini", LanguageFile("EN", "English A"));
  CLang lang;
  ASSERT_TRUE(lang.Load("EN", dir_.windows().c_str(), "*.ini", "Kelvra.dll"));
  EXPECT_STREQ(lang.GetLangName(), "English A");
}

TEST_F(LangFilesTest, LoadWithoutAMatchLeavesTheObjectCleared) {
  dir_.write("en.ini", LanguageFile("EN", "English"));
  CLang lang;
  ASSERT_TRUE(lang.LoadFile(path("en.ini").c_str(), "Kelvra.dll"));
  EXPECT_FALSE(lang.Load("FR", dir_.windows().c_str(), "*.ini", "Kelvra.dll"));
  EXPECT_EQ(lang.GetFileName(), nullptr);
  EXPECT_STREQ(lang.GetLangId(), "");
  EXPECT_STREQ(lang.GetLangName(), "");
  EXPECT_EQ(lang.GetSection(), nullptr);
  EXPECT_STREQ(lang.GetFileTitle(), "");
}

TEST_F(LangFilesTest, LoadFileRefusesAFileWithoutAValidVersionSection) {
  dir_.write("en.ini", LanguageFile("EN", "English"));
  dir_.write("bad.ini", LanguageFile("EN", "English", "", "Wrong"));
  CLang lang;
  ASSERT_TRUE(lang.LoadFile(path("en.ini").c_str(), "Kelvra.dll"));
  EXPECT_FALSE(lang.LoadFile(path("bad.ini").c_str(), "Kelvra.dll"));
  EXPECT_EQ(lang.GetFileName(), nullptr);
  EXPECT_FALSE(lang.LoadFile(path("missing.ini").c_str(), "Kelvra.dll"));
  EXPECT_FALSE(lang.LoadFile(nullptr, "Kelvra.dll"));
}

TEST_F(LangFilesTest, LoadFileAcceptsItsOwnSectionAndLangIdAsArguments) {
  dir_.write("en.ini", LanguageFile("EN", "English"));
  dir_.write("de.ini", LanguageFile("DE", "Deutsch", "[Kelvra.dll]\r\nK=Wert\r\n"));
  CLang lang;
  ASSERT_TRUE(lang.LoadFile(path("en.ini").c_str(), "Kelvra.dll"));
  ASSERT_TRUE(lang.LoadFile(path("de.ini").c_str(), lang.GetSection()));
  EXPECT_STREQ(lang.GetSection(), "Kelvra.dll");
  EXPECT_EQ(lang.GetText("K"), "Wert");
  ASSERT_TRUE(lang.Load(lang.GetLangId(), dir_.windows().c_str(), "*.ini", lang.GetSection()));
  EXPECT_STREQ(lang.GetLangId(), "DE");
  EXPECT_STREQ(lang.GetSection(), "Kelvra.dll");
}

TEST_F(LangFilesTest, AnEmptyBaseSectionIsNotKept) {
  dir_.write("en.ini", LanguageFile("EN", "English"));
  CLang lang;
  ASSERT_TRUE(lang.LoadFile(path("en.ini").c_str(), ""));
  EXPECT_EQ(lang.GetSection(), nullptr);
}

// --- Text lookups -------------------------------------------------------------------

class LangTextTest : public LangTest {
 protected:
  void SetUp() override {
    dir_.write("en.ini", LanguageFile("EN", "English",
                                      "[Kelvra.dll]\r\n"
                                      "PLAIN=Hello\r\n"
                                      "EMPTY=\r\n"
                                      "UNKNOWN_ESCAPE=a\\qb\r\n"
                                      "LINES=line1\\nline2\r\n"
                                      "CONTROLS=a\\tb\\rc\r\n"
                                      "BACKSLASH=c:\\\\dir\r\n"
                                      "TRAILING=end\\\r\n"
                                      "SENTINEL=" +
                                          std::string(CLang::kMissingValue) +
                                          "\r\n"
                                          "LONG=" +
                                          std::string(5000, 'L') +
                                          "\r\n"
                                          "\r\n[Kelvra.dll.IDD_TEST]\r\n"
                                          "PLAIN=In dialog\r\n"));
    ASSERT_TRUE(lang_.LoadFile(path("en.ini").c_str(), "Kelvra.dll"));
  }

  CLang lang_;
};

TEST_F(LangTextTest, EscapesAreResolved) {
  EXPECT_EQ(lang_.GetText("PLAIN"), "Hello");
  EXPECT_EQ(lang_.GetText("UNKNOWN_ESCAPE"), "aqb");
  EXPECT_EQ(lang_.GetText("LINES"), "line1\nline2");
  EXPECT_EQ(lang_.GetText("CONTROLS"), "a\tb\rc");
  EXPECT_EQ(lang_.GetText("BACKSLASH"), "c:\\dir");
  EXPECT_EQ(lang_.GetText("TRAILING"), "end");
}

TEST_F(LangTextTest, ADialogSectionIsFormedFromTheBaseSection) {
  EXPECT_EQ(lang_.GetText("PLAIN", "IDD_TEST"), "In dialog");
  EXPECT_EQ(lang_.GetText("PLAIN", ""), "Hello");
}

TEST_F(LangTextTest, AnEmptyValueIsPresentAndNotReported) {
  LogWatch watch;
  EXPECT_EQ(lang_.GetText("EMPTY"), "");
  EXPECT_EQ(watch.Log(), "");
}

TEST_F(LangTextTest, AMissingKeyGivesEmptyTextAndOneWarning) {
  LogWatch watch;
  EXPECT_EQ(lang_.GetText("IDS_NOPE"), "");
  EXPECT_EQ(lang_.GetText("PLAIN", "IDD_OTHER"), "");
  EXPECT_NE(watch.Err().find(
                " War[0] in CLang.text: value(key=\"IDS_NOPE\", section=\"Kelvra.dll\") is not "
                "exists\r\n"),
            std::string::npos);
  EXPECT_NE(watch.Log().find("value(key=\"PLAIN\", section=\"Kelvra.dll.IDD_OTHER\") is not "
                             "exists"),
            std::string::npos);
}

TEST_F(LangTextTest, TheSentinelTextCountsAsMissing) {
  LogWatch watch;
  EXPECT_EQ(lang_.GetText("SENTINEL"), "");
  EXPECT_NE(watch.Log().find("key=\"SENTINEL\""), std::string::npos);
}

TEST_F(LangTextTest, LongValuesAreCutTo4095Bytes) {
  EXPECT_EQ(lang_.GetText("LONG"), std::string(4095, 'L'));
}

TEST_F(LangTextTest, WithoutAFileEveryKeyIsMissing) {
  LogWatch watch;
  CLang empty;
  EXPECT_EQ(empty.GetText("PLAIN"), "");
  EXPECT_NE(watch.Log().find("value(key=\"PLAIN\", section=\"\") is not exists"),
            std::string::npos);
}

// --- Layout integers ----------------------------------------------------------------

class LangIntegerTest : public LangTest {
 protected:
  int read(const std::string& value, int def = 99) {
    dir_.write("en.ini",
               LanguageFile("EN", "English", "[Kelvra.dll.IDD_X]\r\nK=" + value + "\r\n"));
    EXPECT_TRUE(lang_.LoadFile(path("en.ini").c_str(), "Kelvra.dll"));
    return lang_.integer("K", "IDD_X", def);
  }

  CLang lang_;
};

TEST_F(LangIntegerTest, TermsAreSummedWithTheirSigns) {
  EXPECT_EQ(read("10 + 5"), 15);
  EXPECT_EQ(read("-3"), -3);
  EXPECT_EQ(read("+-2"), -2);
  EXPECT_EQ(read("--4"), 4);
  EXPECT_EQ(read("7-2"), 5);
  EXPECT_EQ(read("\t12"), 12);
  EXPECT_EQ(read("5px"), 5);
  EXPECT_EQ(read("0"), 0);
}

TEST_F(LangIntegerTest, MissingEmptyOrDigitlessValuesGiveTheDefaultSilently) {
  LogWatch watch;
  EXPECT_EQ(read("abc"), 99);
  EXPECT_EQ(read(""), 99);
  EXPECT_EQ(lang_.integer("NOPE", "IDD_X", -1), -1);
  EXPECT_EQ(watch.Log(), "");
}

TEST_F(LangIntegerTest, DigitRunsSplitOnlyByBlanksAreInvalid) {
  LogWatch watch;
  EXPECT_EQ(read("1 2"), 99);
  std::string expected = " Err[0] in CLang::integer: Invalid value(1 2) for \"" + path("en.ini") +
                         "\"::[IDD_X]\\K\r\n";
  EXPECT_NE(watch.Err().find(expected), std::string::npos) << watch.Err();
}

TEST_F(LangIntegerTest, RunsBeyondThirtyTwoBitsAreInvalid) {
  LogWatch watch;
  EXPECT_EQ(read("99999999999999999999"), 99);
  EXPECT_EQ(read("2147483648"), 99);
  EXPECT_EQ(read("2000000000 + 2000000000"), 99);
  EXPECT_EQ(read("2147483647"), 2147483647);
  EXPECT_EQ(read("-2147483648"), -2147483647 - 1);
  EXPECT_NE(watch.Log().find("Invalid value(99999999999999999999)"), std::string::npos);
  EXPECT_NE(watch.Log().find("Invalid value(2000000000 + 2000000000)"), std::string::npos);
}

}  // namespace
