#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "ContactsTestSupport.h"
#include "addin/CLang.h"
#include "contacts/SupportedEncodingsList.h"
#include "testkit/Operator.h"
#include "win32/windows.h"

namespace {

using kelvra::test::AddinFolder;
using kelvra::test::EnglishTexts;
using Entry = std::tuple<std::string, std::string, int>;

std::vector<Entry> Entries(const SupportedEncodingsList& list) {
  std::vector<Entry> entries;
  for (const auto& entry : list.GetList())
    entries.emplace_back(entry->Name, entry->Charset, entry->CodePage);
  return entries;
}

const std::vector<Entry> kUtf8Only = {{"UTF-8", "UTF-8", 65001}};
const std::vector<Entry> kUtf8AndWestern = {{"UTF-8", "UTF-8", 65001},
                                            {"Western", "windows-1252", 1252}};

class EncodingsListTest : public ::testing::Test {
 protected:
  // The entries read from a file with these bytes, and whether the user was warned.
  std::vector<Entry> Read(const std::string& bytes) {
    folder_.WriteEncodings(bytes);
    SupportedEncodingsList list;
    warned_ = !testkit::MessageBoxes().empty();
    return Entries(list);
  }

  AddinFolder folder_;
  bool warned_ = false;
};

// Good files: every line becomes an entry, in order, and nobody is warned.
class EncodingsFileGrammarTest : public EncodingsListTest {};

TEST_F(EncodingsFileGrammarTest, AcceptsEveryKindOfLineEnd) {
  for (const char* end : {"\r\n", "\n", "\r", "\r\r\n", "\n\n\r"}) {
    std::string file = std::string("UTF-8|UTF-8|65001") + end + "Western|windows-1252|1252" + end;
    EXPECT_EQ(Read(file), kUtf8AndWestern) << "line end of " << std::string(end).size() << " bytes";
    EXPECT_FALSE(warned_);
  }
}

TEST_F(EncodingsFileGrammarTest, ReadsALastLineWithoutLineEnd) {
  EXPECT_EQ(Read("UTF-8|UTF-8|65001\r\nWestern|windows-1252|1252"), kUtf8AndWestern);
  EXPECT_FALSE(warned_);
}

TEST_F(EncodingsFileGrammarTest, IgnoresFieldsAfterTheThird) {
  EXPECT_EQ(Read("UTF-8|UTF-8|65001|extra\nWestern|windows-1252|1252|more|fields\n"),
            kUtf8AndWestern);
  EXPECT_FALSE(warned_);
}

TEST_F(EncodingsFileGrammarTest, ReadsTheCodePageAsALeadingNumber) {
  EXPECT_EQ(Read("Western|windows-1252| 1252x\nNeg|minus|-1\nPlus|plus|+28591\n"),
            (std::vector<Entry>{
                {"Western", "windows-1252", 1252}, {"Neg", "minus", -1}, {"Plus", "plus", 28591}}));
  EXPECT_FALSE(warned_);
}

TEST_F(EncodingsFileGrammarTest, KeepsSpacesInsideFields) {
  EXPECT_EQ(Read(" Western (Windows) | windows-1252 |1252\n"),
            (std::vector<Entry>{{" Western (Windows) ", " windows-1252 ", 1252}}));
}

TEST_F(EncodingsFileGrammarTest, MergesSeparatorRunsBetweenFields) {
  EXPECT_EQ(Read("|UTF-8||UTF-8|||65001\n"), kUtf8Only);
  EXPECT_FALSE(warned_);
}

TEST_F(EncodingsFileGrammarTest, SkipsBlankLinesBetweenGoodLines) {
  EXPECT_EQ(Read("UTF-8|UTF-8|65001\r\n\r\n\n\r\nWestern|windows-1252|1252\r\n\r\n"),
            kUtf8AndWestern);
  EXPECT_FALSE(warned_);
}

TEST_F(EncodingsFileGrammarTest, SkipsLineEndsBeforeTheFirstLine) {
  EXPECT_EQ(Read("\r\nUTF-8|UTF-8|65001\r\nWestern|windows-1252|1252\r\n"), kUtf8AndWestern);
  EXPECT_EQ(Read("\n\n\rUTF-8|UTF-8|65001"), kUtf8Only);
  EXPECT_FALSE(warned_);
}

TEST_F(EncodingsFileGrammarTest, AFileWithoutLinesGivesAnEmptyListWithoutWarning) {
  EXPECT_TRUE(Read("").empty());
  EXPECT_TRUE(Read("\r\n\r\n").empty());
  EXPECT_FALSE(warned_);
}

// Bad files: one bad line discards the whole file for the single UTF-8 entry.
class EncodingsFileFallbackTest : public EncodingsListTest {};

TEST_F(EncodingsFileFallbackTest, AMissingCodePageAfterMergedSeparatorsIsBad) {
  EXPECT_EQ(Read("Western||1252\n"), kUtf8Only);
  EXPECT_TRUE(warned_);
}

TEST_F(EncodingsFileFallbackTest, ACodePageThatReadsAsZeroIsBad) {
  for (const char* line : {"Western|windows-1252|0", "Western|windows-1252|abc",
                           "Western|windows-1252| x1252", "Western|windows-1252|"}) {
    testkit::ClearMessageBoxes();
    EXPECT_EQ(Read(std::string("Cyrillic|windows-1251|1251\n") + line + "\n"), kUtf8Only) << line;
    EXPECT_TRUE(warned_) << line;
  }
}

TEST_F(EncodingsFileFallbackTest, ALineOfBlanksIsBad) {
  EXPECT_EQ(Read("Western|windows-1252|1252\n  \n"), kUtf8Only);
  EXPECT_TRUE(warned_);
}

TEST_F(EncodingsFileFallbackTest, MissingFileFallsBackAndWarnsInTheUsersLanguage) {
  EnglishTexts english;
  SupportedEncodingsList list;
  EXPECT_EQ(Entries(list), kUtf8Only);

  const std::vector<testkit::MessageBoxRecord> boxes = testkit::MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].owner, GetActiveWindow());
  EXPECT_EQ(boxes[0].text, g_Lang.GetText("IDS_ERR_ENC_FILE_NOT_FOUND"));
  EXPECT_FALSE(boxes[0].text.empty());
  EXPECT_EQ(boxes[0].caption, "Kelvra");
  EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}

// Load itself, on a list that already holds the entries of the folder's file.
class EncodingsLoadResultTest : public EncodingsListTest {};

TEST_F(EncodingsLoadResultTest, CountsBadLinesAndKeepsTheGoodOnes) {
  folder_.WriteEncodings("");
  SupportedEncodingsList list;
  folder_.WriteEncodings("A|a|1\nbad\nB|b|2\nC|c|0\n\nD|d|4");
  EXPECT_EQ(list.Load(folder_.Dir().windowsPath(SupportedEncodingsList::kFileName).c_str()), 2u);
  EXPECT_EQ(Entries(list), (std::vector<Entry>{{"A", "a", 1}, {"B", "b", 2}, {"D", "d", 4}}));
}

TEST_F(EncodingsLoadResultTest, AFileThatCannotBeOpenedGivesItsSystemError) {
  folder_.WriteEncodings("");
  SupportedEncodingsList list;
  const std::string missing = folder_.Dir().windowsPath("nothing-here.txt");
  EXPECT_EQ(list.Load(missing.c_str()),
            static_cast<DWORD>(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)));
  const std::string noFolder = folder_.Dir().windowsPath("no-folder\\file.txt");
  EXPECT_EQ(list.Load(noFolder.c_str()),
            static_cast<DWORD>(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)));
  EXPECT_TRUE(list.GetList().empty());
}

}  // namespace
