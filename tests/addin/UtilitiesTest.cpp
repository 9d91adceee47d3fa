// The shared utilities: file names, paths, buffers, registry strings, temporary files,
// the list separator, label names, versions and the open-file dialog.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "AddinTestSupport.h"
#include "addin/Application.h"
#include "addin/CLang.h"
#include "addin/CMultiPath.h"
#include "addin/COLFolder.h"
#include "addin/CharBuffer.h"
#include "addin/FitExportFilePath.h"
#include "addin/GetEventLabelNames.h"
#include "addin/GetExistingFolder.h"
#include "addin/GetModuleVersion.h"
#include "addin/GetOutlookVersion.h"
#include "addin/GetTempFileName2.h"
#include "addin/ListSeparator.h"
#include "addin/MakeExportFileName.h"
#include "addin/OutputFile.h"
#include "addin/RegString.h"
#include "addin/ShowOpenFileDialog.h"
#include "addin/WrittenFilesMap.h"
#include "com/ComObject.h"
#include "outlook/outlook.h"
#include "support/TempDir.h"
#include "testkit/Bruvel.h"
#include "testkit/Files.h"
#include "testkit/Locale.h"
#include "testkit/Modules.h"
#include "testkit/Outlook.h"
#include "testkit/Registry.h"
#include "testkit/Store.h"

namespace {

using kelvra::test::AddinFolder;
using kelvra::test::AddinModule;
using kelvra::test::LogWatch;
using kelvra::test::SetOptionBytes;
using kelvra::test::TempDir;
using kelvra::test::WindowsPath;

// --- MakeExportFileName ---------------------------------------------------------------

TEST(MakeExportFileNameTest, ForbiddenCharactersBecomeUnderscoresAndTrailingBlanksGo) {
  EXPECT_EQ(MakeExportFileName("a:b?c "), "a_b_c");
  EXPECT_EQ(MakeExportFileName("\t\r\n\\/:*?\"<>|"), "____________");
  EXPECT_EQ(MakeExportFileName("Smith, John  \v"), "Smith, John");
  EXPECT_EQ(MakeExportFileName("tab\t"), "tab_");
  EXPECT_EQ(MakeExportFileName("   "), "");
  EXPECT_EQ(MakeExportFileName(nullptr), "");
}

TEST(MakeExportFileNameTest, DeviceNamesLoseTheirLastLetter) {
  EXPECT_EQ(MakeExportFileName("CON"), "CO_");
  EXPECT_EQ(MakeExportFileName("Con.txt"), "Co_.txt");
  EXPECT_EQ(MakeExportFileName("nul.vcf"), "nu_.vcf");
  EXPECT_EQ(MakeExportFileName("con "), "co_");
  EXPECT_EQ(MakeExportFileName("prn"), "pr_");
  EXPECT_EQ(MakeExportFileName("AUX.ics"), "AU_.ics");
  EXPECT_EQ(MakeExportFileName("com1"), "com_");
  EXPECT_EQ(MakeExportFileName("COM9.vcf"), "COM_.vcf");
  EXPECT_EQ(MakeExportFileName("lpt1"), "lpt_");
  EXPECT_EQ(MakeExportFileName("Lpt9.vcs"), "Lpt_.vcs");
}

TEST(MakeExportFileNameTest, WordsThatOnlyBeginLikeADeviceAreKept) {
  EXPECT_EQ(MakeExportFileName("nullify"), "nullify");
  EXPECT_EQ(MakeExportFileName("console"), "console");
  EXPECT_EQ(MakeExportFileName("com0"), "com0");
  EXPECT_EQ(MakeExportFileName("com10.vcf"), "com10.vcf");
  EXPECT_EQ(MakeExportFileName("lpt"), "lpt");
  EXPECT_EQ(MakeExportFileName("auxiliary.vcf"), "auxiliary.vcf");
  EXPECT_EQ(MakeExportFileName("my con.vcf"), "my con.vcf");
}

// --- FitExportFilePath ------------------------------------------------------------------

class FitExportFilePathTest : public ::testing::Test {
 protected:
  void TearDown() override { testkit::SetAcp(0); }
  // A folder whose paths leave room for a name of exactly `room` bytes.
  static std::string FolderLeaving(size_t room) {
    return "C:\\" + std::string(MAX_PATH - 1 - room - 4, 'f');
  }
};

TEST_F(FitExportFilePathTest, ANameThatFitsIsCombinedAsItIs) {
  EXPECT_EQ(FitExportFilePath("C:\\out", "Meeting", 1, "(2).ics"), "C:\\out\\Meeting(2).ics");
}

TEST_F(FitExportFilePathTest, ALongNameLosesItsEndButKeepsItsTail) {
  const std::string folder = FolderLeaving(20);
  const std::string path = FitExportFilePath(folder, std::string(300, 'n'), 1, "(12).vcs");
  EXPECT_EQ(path, folder + "\\" + std::string(12, 'n') + "(12).vcs");
  EXPECT_EQ(path.size(), static_cast<size_t>(MAX_PATH - 1));
  // Blanks that the cut leaves at the end go, as in any export name.
  EXPECT_EQ(FitExportFilePath(FolderLeaving(11), "Lunch  with the whole team", 1, ".ics"),
            FolderLeaving(11) + "\\Lunch.ics");
}

TEST_F(FitExportFilePathTest, TheCutKeepsWholeCharactersOfTheAnsiCodePage) {
  const std::string folder = FolderLeaving(9);
  // UTF-8: "\xC3\xBC" is one character.
  testkit::SetAcp(65001);
  std::string umlauts;
  for (int i = 0; i < 10; ++i) umlauts += "\xC3\xBC";
  EXPECT_EQ(FitExportFilePath(folder, "a" + umlauts, 1, ".vcs"),
            folder + "\\a\xC3\xBC\xC3\xBC.vcs");
  // Shift-JIS: a double-byte character whose second byte is an ASCII letter.
  testkit::SetAcp(932);
  std::string kana;
  for (int i = 0; i < 10; ++i) kana += "\x83\x41";
  EXPECT_EQ(FitExportFilePath(folder, "a" + kana, 1, ".vcs"), folder + "\\a\x83\x41\x83\x41.vcs");
}

TEST_F(FitExportFilePathTest, WithoutRoomForTheKeptPartThePathIsEmptyAndLogged) {
  LogWatch watch;
  const std::string folder = FolderLeaving(9);
  EXPECT_EQ(FitExportFilePath(folder, "20260504090000_Standup", 14, ".vcs"), "");
  EXPECT_NE(watch.Err().find("FitExportFilePath"), std::string::npos) << watch.Err();
  EXPECT_EQ(FitExportFilePath(FolderLeaving(12), "20260504", 8, ".vcs"),
            FolderLeaving(12) + "\\20260504.vcs");
}

// --- OutputFile --------------------------------------------------------------------------

class OutputFileTest : public ::testing::Test {
 protected:
  void TearDown() override { testkit::ResetFiles(); }
  // The temporary files of output files in the process's current folder.
  static int StrayFiles() {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("."))
      if (entry.path().filename().string().rfind("kel", 0) == 0) ++count;
    return count;
  }
  TempDir dir_;
};

TEST_F(OutputFileTest, TheTargetAppearsOnlyWhenTheFileIsWhole) {
  dir_.write("out.ics", "previous");
  OutputFile file;
  ASSERT_TRUE(file.Create(dir_.windowsPath("out.ics")));
  EXPECT_TRUE(file.Append("BEGIN:VCALENDAR\r\n"));
  EXPECT_EQ(dir_.read("out.ics"), "previous");
  file.Discard();
  EXPECT_EQ(dir_.read("out.ics"), "previous");
  ASSERT_TRUE(file.Create(dir_.windowsPath("out.ics")));
  EXPECT_TRUE(file.Append("new"));
  testkit::InjectShortWrite(2);
  EXPECT_FALSE(file.Append("broken"));
  EXPECT_TRUE(file.Commit());
  EXPECT_EQ(dir_.read("out.ics"), "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.linux()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(OutputFileTest, AnEmptyTargetIsRefusedAndLogged) {
  const int stray = StrayFiles();
  LogWatch watch;
  OutputFile file;
  EXPECT_FALSE(file.Create(""));
  EXPECT_FALSE(file.IsOpen());
  EXPECT_FALSE(file.Commit());
  EXPECT_EQ(StrayFiles(), stray);
  EXPECT_NE(watch.Err().find("OutputFile::Create"), std::string::npos) << watch.Err();
}

// --- CharBuffer -------------------------------------------------------------------------

TEST(CharBufferTest, CapacityBelowOneBecomes256) {
  CharBuffer zero(0);
  CharBuffer negative(-5);
  CharBuffer small(8);
  EXPECT_EQ(zero.GetCapacity(), 256);
  EXPECT_EQ(negative.GetCapacity(), 256);
  EXPECT_EQ(small.GetCapacity(), 8);
  EXPECT_STREQ(zero.GetData(), "");
  EXPECT_EQ(zero.GetLength(), 0);
}

TEST(CharBufferTest, GrowingAddsASixteenthOrAtLeast128) {
  CharBuffer buffer(0);
  std::string text(300, 'x');
  ASSERT_TRUE(buffer.Append(text.c_str()));
  EXPECT_EQ(buffer.GetCapacity(), 301 + 128);
  EXPECT_EQ(buffer.GetLength(), 300);
  std::string more(4000, 'y');
  ASSERT_TRUE(buffer.Append(more.c_str()));
  EXPECT_EQ(buffer.GetCapacity(), 4301 + 4301 / 16);
  EXPECT_EQ(std::string(buffer.GetData()), text + more);
}

TEST(CharBufferTest, AnExactFitDoesNotGrow) {
  CharBuffer buffer(4);
  ASSERT_TRUE(buffer.Append("ab"));
  ASSERT_TRUE(buffer.Append("c"));
  EXPECT_EQ(buffer.GetCapacity(), 4);
  EXPECT_STREQ(buffer.GetData(), "abc");
  ASSERT_TRUE(buffer.Append("d"));
  EXPECT_EQ(buffer.GetCapacity(), 5 + 128);
  EXPECT_STREQ(buffer.GetData(), "abcd");
}

TEST(CharBufferTest, ANullStringAppendsNothing) {
  CharBuffer buffer(16);
  buffer.Append("keep");
  EXPECT_TRUE(buffer.Append(nullptr));
  EXPECT_STREQ(buffer.GetData(), "keep");
  EXPECT_EQ(buffer.GetLength(), 4);
}

// --- CMultiPath --------------------------------------------------------------------------

class MultiPathTest : public ::testing::Test {
 protected:
  std::vector<std::string> paths(const CMultiPath& list) {
    std::vector<std::string> all;
    for (int i = 0; i < list.GetCount(); ++i) all.push_back(list.GetAt(i));
    return all;
  }
  TempDir dir_;
};

TEST_F(MultiPathTest, QuotedAndUnquotedPathsAreSplit) {
  CMultiPath list;
  list.Parse("\"C:\\My Files\\a.vcf\" C:\\b.vcf", false);
  EXPECT_EQ(paths(list), (std::vector<std::string>{"C:\\My Files\\a.vcf", "C:\\b.vcf"}));
  list.Parse("\"x y\"\t\"z\"w", false);
  EXPECT_EQ(paths(list), (std::vector<std::string>{"x y", "z", "w"}));
}

TEST_F(MultiPathTest, TextWithoutQuotesIsOnePathBlanksIncluded) {
  CMultiPath list;
  list.Parse("  C:\\My Files\\a b.vcf ", false);
  EXPECT_EQ(paths(list), (std::vector<std::string>{"C:\\My Files\\a b.vcf"}));
}

TEST_F(MultiPathTest, AnUnterminatedQuoteStillGivesItsPath) {
  CMultiPath list;
  list.Parse("\"a.vcf\" \"b c.vcf", false);
  EXPECT_EQ(paths(list), (std::vector<std::string>{"a.vcf", "b c.vcf"}));
}

TEST_F(MultiPathTest, ParsingReplacesTheListAndEmptyTextEmptiesIt) {
  CMultiPath list;
  list.Parse("\"a\" \"b\"", false);
  list.Parse("", false);
  EXPECT_EQ(list.GetCount(), 0);
  list.Parse("\"a\"", false);
  list.Parse(nullptr, false);
  EXPECT_EQ(list.GetCount(), 0);
  list.Parse("\"\" \"   \"", false);
  EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(MultiPathTest, CheckKeepsOnlyExistingPaths) {
  dir_.write("here.vcf", "x");
  CMultiPath list;
  std::string text =
      "\"" + dir_.windowsPath("here.vcf") + "\" \"" + dir_.windowsPath("gone.vcf") + "\"";
  list.Parse(text.c_str(), true);
  EXPECT_EQ(paths(list), (std::vector<std::string>{dir_.windowsPath("here.vcf")}));
}

TEST_F(MultiPathTest, AddTrimsBlanksThenQuotes) {
  CMultiPath list;
  EXPECT_TRUE(list.Add("  \"C:\\a.vcf\"\t", false));
  EXPECT_FALSE(list.Add(" \"\" ", false));
  EXPECT_FALSE(list.Add("", false));
  EXPECT_FALSE(list.Add(dir_.windowsPath("gone").c_str(), true));
  EXPECT_EQ(paths(list), (std::vector<std::string>{"C:\\a.vcf"}));
}

TEST_F(MultiPathTest, AllExistNamesTheFirstMissingPath) {
  dir_.write("a", "");
  dir_.write("c", "");
  CMultiPath list;
  int index = 7;
  EXPECT_FALSE(list.AllExist(index));
  EXPECT_EQ(index, -1);
  list.Add(dir_.windowsPath("a").c_str(), false);
  list.Add(dir_.windowsPath("b").c_str(), false);
  list.Add(dir_.windowsPath("c").c_str(), false);
  EXPECT_FALSE(list.AllExist(index));
  EXPECT_EQ(index, 1);
  dir_.write("b", "");
  EXPECT_TRUE(list.AllExist(index));
}

// --- Registry strings ---------------------------------------------------------------------

class RegStringTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ResetRegistry();
    g_hInstance = AddinModule();
  }
  void TearDown() override { testkit::ResetRegistry(); }
};

TEST_F(RegStringTest, AWrittenStringReadsBack) {
  SetOptionBytes(HKEY_CURRENT_USER, "Other", "", REG_SZ);  // the key exists
  std::size_t keys = testkit::OpenKeyCount();
  WriteRegString("LANG", "DE");
  EXPECT_EQ(testkit::ReadValue(HKEY_CURRENT_USER, "Software\\Ostrane\\Kelvra", "LANG")->data,
            std::string("DE", 3));
  EXPECT_EQ(ReadRegString("LANG", "EN", false), "DE");
  EXPECT_EQ(testkit::OpenKeyCount(), keys);
}

TEST_F(RegStringTest, MissingKeyValueOrWrongTypeGivesTheDefault) {
  EXPECT_EQ(ReadRegString("LANG", "EN", false), "EN");
  SetOptionBytes(HKEY_CURRENT_USER, "Number", std::string(4, '\1'), REG_DWORD);
  EXPECT_EQ(ReadRegString("LANG", "EN", false), "EN");
  EXPECT_EQ(ReadRegString("Number", "EN", false), "EN");
  SetOptionBytes(HKEY_CURRENT_USER, "Blob", "abc", REG_BINARY);
  EXPECT_EQ(ReadRegString("Blob", "EN", false), "EN");
  EXPECT_EQ(ReadRegString("LANG", nullptr, false), "");
}

TEST_F(RegStringTest, AnEmptyValueGivesTheDefaultAndAnEmptyTextDoesNot) {
  SetOptionBytes(HKEY_CURRENT_USER, "NoBytes", "", REG_SZ);
  SetOptionBytes(HKEY_CURRENT_USER, "EmptyText", std::string("", 1), REG_SZ);
  EXPECT_EQ(ReadRegString("NoBytes", "dflt", false), "dflt");
  EXPECT_EQ(ReadRegString("EmptyText", "dflt", false), "");
}

TEST_F(RegStringTest, TheTextEndsAtTheStoredSizeOrItsFirstNul) {
  SetOptionBytes(HKEY_CURRENT_USER, "Unterminated", "abc", REG_SZ);
  SetOptionBytes(HKEY_CURRENT_USER, "Embedded", std::string("ab\0cd", 6), REG_SZ);
  SetOptionBytes(HKEY_CURRENT_USER, "Expand", std::string("%TEMP%\\x", 9), REG_EXPAND_SZ);
  EXPECT_EQ(ReadRegString("Unterminated", "", false), "abc");
  EXPECT_EQ(ReadRegString("Embedded", "", false), "ab");
  EXPECT_EQ(ReadRegString("Expand", "", false), "%TEMP%\\x");
}

TEST_F(RegStringTest, AValueLongerThanTheBufferReadsAsMissing) {
  SetOptionBytes(HKEY_CURRENT_USER, "Long", std::string(5000, 'a') + '\0', REG_SZ);
  SetOptionBytes(HKEY_CURRENT_USER, "Fits", std::string(4095, 'b') + '\0', REG_SZ);
  EXPECT_EQ(ReadRegString("Long", "dflt", false), "dflt");
  EXPECT_EQ(ReadRegString("Fits", "dflt", false), std::string(4095, 'b'));
}

TEST_F(RegStringTest, TheMachineFlagReadsTheMachineHive) {
  SetOptionBytes(HKEY_CURRENT_USER, "LANG", std::string("DE", 3), REG_SZ);
  SetOptionBytes(HKEY_LOCAL_MACHINE, "LANG", std::string("FR", 3), REG_SZ);
  EXPECT_EQ(ReadRegString("LANG", "", true), "FR");
  EXPECT_EQ(ReadRegString("LANG", "", false), "DE");
}

TEST_F(RegStringTest, WritingNeverCreatesTheKey) {
  WriteRegString("LANG", "EN");
  EXPECT_FALSE(testkit::KeyExists(HKEY_CURRENT_USER, "Software\\Ostrane\\Kelvra"));
  EXPECT_EQ(ReadRegString("LANG", "none", false), "none");
}

TEST_F(RegStringTest, AKeyDeniedForWritingStoresNothing) {
  SetOptionBytes(HKEY_CURRENT_USER, "LANG", std::string("DE", 3), REG_SZ);
  testkit::DenyAccess(HKEY_CURRENT_USER, "Software\\Ostrane\\Kelvra", KEY_SET_VALUE);
  WriteRegString("LANG", "EN");
  EXPECT_EQ(ReadRegString("LANG", "", false), "DE");
}

// --- GetExistingFolder ------------------------------------------------------------------

class ExistingFolderTest : public ::testing::Test {
 protected:
  void TearDown() override { testkit::ResetFiles(); }
  TempDir dir_;
};

TEST_F(ExistingFolderTest, AFolderIsReturnedAsGiven) {
  std::string given = dir_.windows() + "\\";
  EXPECT_EQ(GetExistingFolder(given.c_str()), given);
  std::string quoted = "\"" + dir_.windows() + "\"";
  EXPECT_EQ(GetExistingFolder(quoted.c_str()), quoted);
}

TEST_F(ExistingFolderTest, MissingPartsAreStrippedUntilAFolderRemains) {
  std::filesystem::create_directory(dir_.linuxPath("sub"));
  std::string path = dir_.windowsPath("sub") + "\\x\\y\\file.vcf";
  EXPECT_EQ(GetExistingFolder(path.c_str()), dir_.windowsPath("sub"));
  std::string quoted = "\" " + dir_.windowsPath("sub") + "\\new\\ \"";
  EXPECT_EQ(GetExistingFolder(quoted.c_str()), dir_.windowsPath("sub"));
}

TEST_F(ExistingFolderTest, AFileThreeLevelsBelowAnExistingDriveGivesTheDriveRoot) {
  testkit::SetHostRoot(dir_.linux());
  EXPECT_EQ(GetExistingFolder("C:\\a\\b\\c.txt"), "C:\\");
}

TEST_F(ExistingFolderTest, NothingLeftGivesEmptyText) {
  EXPECT_EQ(GetExistingFolder("nowhere\\at\\all"), "");
  EXPECT_EQ(GetExistingFolder(""), "");
  EXPECT_EQ(GetExistingFolder(nullptr), "");
}

TEST_F(ExistingFolderTest, UncPathsEndAtTheirServer) {
  EXPECT_EQ(GetExistingFolder("\\\\server"), "\\\\server");
  EXPECT_EQ(GetExistingFolder("\"\\\\server\\\""), "\\\\server");
  EXPECT_EQ(GetExistingFolder("\\\\server\\share\\dir\\file.vcf"), "\\\\server");
}

// --- GetTempFileName2 -----------------------------------------------------------------------

class TempFileNameTest : public ::testing::Test {
 protected:
  void TearDown() override { testkit::ResetFiles(); }
  TempDir dir_;
};

TEST_F(TempFileNameTest, ANewEmptyFileIsCreatedInTheGivenFolder) {
  std::string name = GetTempFileName2(dir_.windows().c_str(), "vcf");
  ASSERT_FALSE(name.empty());
  EXPECT_EQ(name.rfind(dir_.windows() + "\\vcf", 0), 0u) << name;
  std::string linuxName = testkit::ToLinuxPath(name);
  EXPECT_TRUE(std::filesystem::is_regular_file(linuxName));
  EXPECT_EQ(std::filesystem::file_size(linuxName), 0u);
  EXPECT_NE(GetTempFileName2(dir_.windows().c_str(), "vcf"), name);
}

TEST_F(TempFileNameTest, WithoutAFolderTheSystemTemporaryFolderIsUsed) {
  testkit::SetTempPath(dir_.windows());
  std::string name = GetTempFileName2(nullptr, "tmp");
  EXPECT_EQ(name.rfind(dir_.windows() + "\\tmp", 0), 0u) << name;
}

TEST_F(TempFileNameTest, AFailureIsLoggedWithTheSystemError) {
  LogWatch watch;
  EXPECT_EQ(GetTempFileName2(dir_.windowsPath("missing").c_str(), "tmp"), "");
  EXPECT_NE(watch.Err().find(" Err[3] in GetTempFileName2: Failed\r\n"), std::string::npos)
      << watch.Err();
}

// --- List separator and label names ----------------------------------------------------

class ListSeparatorTest : public ::testing::Test {
 protected:
  void TearDown() override {
    testkit::FailLocaleInfo(false);
    testkit::SetListSeparator(",");
  }
};

TEST_F(ListSeparatorTest, TheUsersSeparatorIsAnswered) {
  EXPECT_EQ(GetListSeparator(), ",");
  EXPECT_EQ(GetListSeparatorW(), u",");
  testkit::SetListSeparator("|");
  EXPECT_EQ(GetListSeparator(), "|");
  EXPECT_EQ(GetListSeparatorW(), u"|");
}

TEST_F(ListSeparatorTest, AFailingLocaleGivesASemicolon) {
  testkit::SetListSeparator("|");
  testkit::FailLocaleInfo(true);
  EXPECT_EQ(GetListSeparator(), ";");
  EXPECT_EQ(GetListSeparatorW(), u";");
}

TEST_F(ListSeparatorTest, CategoryNamesAreJoinedAnewEachPassedThroughTheEscape) {
  const auto bracketed = [](std::basic_string_view<WCHAR> name) {
    return u"[" + std::basic_string<WCHAR>(name) + u"]";
  };
  EXPECT_EQ(JoinCategoryNames(u"Work; Home;;Trip", u";", u',', bracketed),
            u"[Work],[ Home],[],[Trip]");
  // Only the whole separator separates.
  EXPECT_EQ(JoinCategoryNames(u"A; B;C", u"; ", u',', bracketed), u"[A],[B;C]");
  EXPECT_EQ(JoinCategoryNames(u"A,B", u"", u',', bracketed), u"[A,B]");
}

// --- WrittenFilesMap -----------------------------------------------------------------------

TEST(WrittenFilesMapTest, PathsComeBackInTheOrderTheyWereWritten) {
  WrittenFilesMap files;
  const std::vector<std::string> paths = {"C:\\z.ics", "C:\\a.ics", "C:\\m.ics", "C:\\b.ics",
                                          "C:\\y.ics", "C:\\c.ics", "C:\\x.ics"};
  for (const std::string& path : paths) AddWrittenFile(files, path);
  // Written again (an overwritten file): it keeps its first place.
  AddWrittenFile(files, "C:\\a.ics");
  EXPECT_EQ(files.size(), paths.size());
  EXPECT_EQ(WrittenInOrder(files), paths);
}

class EventLabelNamesTest : public ListSeparatorTest {
 protected:
  void SetUp() override {
    std::string english = std::string(KELVRA_SOURCE_DIR) + "/resources/EN.ini";
    ASSERT_TRUE(g_Lang.LoadFile(WindowsPath(english).c_str(), "Kelvra.dll"));
  }
  void TearDown() override {
    g_Lang.Clear();
    ListSeparatorTest::TearDown();
  }
};

TEST_F(EventLabelNamesTest, ChosenLabelsAreJoinedBySeparatorAndBlank) {
  EXPECT_EQ(GetEventLabelNames(0x5), "Important, Personal");
  EXPECT_EQ(GetEventLabelNames(0x200), "Phone Call");
  EXPECT_EQ(GetEventLabelNames(0x3FF),
            "Important, Business, Personal, Vacation, Must Attend, Travel Required, "
            "Needs Preparation, Birthday, Anniversary, Phone Call");
  testkit::SetListSeparator(";");
  EXPECT_EQ(GetEventLabelNames(0x180), "Birthday; Anniversary");
}

TEST_F(EventLabelNamesTest, NoChosenLabelGivesEmptyText) {
  EXPECT_EQ(GetEventLabelNames(0), "");
  EXPECT_EQ(GetEventLabelNames(0xFFFFFC00), "");
}

TEST_F(EventLabelNamesTest, AMissingNameKeepsItsPlaceInTheList) {
  g_Lang.Clear();
  EXPECT_EQ(GetEventLabelNames(0x3), ", ");
}

// --- Versions ------------------------------------------------------------------------------

class ModuleVersionTest : public ::testing::Test {
 protected:
  void SetUp() override { g_hInstance = AddinModule(); }
  void TearDown() override { testkit::FailVersionInfo(false); }
};

TEST_F(ModuleVersionTest, ProductVersionWordsAreRead) {
  int major = 0, minor = 9, revision = 9;
  ASSERT_TRUE(GetModuleVersion(major, minor, revision));
  EXPECT_EQ(major, 1);
  EXPECT_EQ(minor, 0);
  EXPECT_EQ(revision, 1);
}

TEST_F(ModuleVersionTest, AnUnreadableVersionGivesOneZeroZero) {
  testkit::FailVersionInfo(true);
  int major = 0, minor = 9, revision = 9;
  EXPECT_FALSE(GetModuleVersion(major, minor, revision));
  EXPECT_EQ(major, 1);
  EXPECT_EQ(minor, 0);
  EXPECT_EQ(revision, 0);
}

class FakeApplication : public kelvra::ComObject<Outlook::_Application> {
 public:
  STDMETHODIMP get_Version(BSTR* version) override {
    ++reads;
    if (FAILED(failure)) return failure;
    *version = SysAllocString(text.c_str());
    return S_OK;
  }
  STDMETHODIMP get_Session(Outlook::_NameSpace**) override { return E_NOTIMPL; }
  STDMETHODIMP raw_GetNamespace(BSTR, Outlook::_NameSpace**) override { return E_NOTIMPL; }
  STDMETHODIMP raw_CreateItem(Outlook::OlItemType, IDispatch**) override { return E_NOTIMPL; }
  std::u16string text = u"14.0.0.4760";
  HRESULT failure = S_OK;
  int reads = 0;
};

class OutlookVersionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_nOutlookVersion = -1;
    app_ = new FakeApplication;
    hold_ = app_;
  }
  void TearDown() override {
    g_Application = nullptr;
    g_nOutlookVersion = -1;
  }

  FakeApplication* app_ = nullptr;
  Outlook::_ApplicationPtr hold_;
};

TEST_F(OutlookVersionTest, TheMajorVersionIsReadOnceAndCached) {
  g_Application = app_;
  EXPECT_EQ(GetOutlookVersion(), 14);
  app_->text = u"9.0.0.2711";
  EXPECT_EQ(GetOutlookVersion(), 14);
  EXPECT_EQ(app_->reads, 1);
}

TEST_F(OutlookVersionTest, AVersionWithoutAPointIsZeroAndStaysZero) {
  app_->text = u"14";
  g_Application = app_;
  EXPECT_EQ(GetOutlookVersion(), 0);
  app_->text = u"14.0";
  EXPECT_EQ(GetOutlookVersion(), 0);
  EXPECT_EQ(app_->reads, 1);
}

TEST_F(OutlookVersionTest, AnEmptyVersionIsZero) {
  app_->text = u"";
  g_Application = app_;
  EXPECT_EQ(GetOutlookVersion(), 0);
}

TEST_F(OutlookVersionTest, WithoutAnApplicationNothingIsCached) {
  EXPECT_EQ(GetOutlookVersion(), 0);
  EXPECT_EQ(g_nOutlookVersion, -1);
  g_Application = app_;
  EXPECT_EQ(GetOutlookVersion(), 14);
}

TEST_F(OutlookVersionTest, AFailedReadIsZeroAndNotCached) {
  app_->failure = E_FAIL;
  g_Application = app_;
  EXPECT_EQ(GetOutlookVersion(), 0);
  app_->failure = S_OK;
  app_->text = u"12.0.6423.1000";
  EXPECT_EQ(GetOutlookVersion(), 12);
}

// --- COLFolder ------------------------------------------------------------------------------

class FakeSession : public kelvra::ComObject<IDispatch> {};

class FakeFolder : public kelvra::ComObject<Outlook::MAPIFolder> {
 public:
  FakeFolder(std::u16string name, IDispatch* parent) : name(std::move(name)), parent(parent) {}

  STDMETHODIMP get_Name(BSTR* out) override {
    if (failName) return E_FAIL;
    *out = SysAllocString(name.c_str());
    return S_OK;
  }
  STDMETHODIMP get_Parent(IDispatch** out) override {
    if (failParent) return E_FAIL;
    *out = parent;
    if (parent) parent->AddRef();
    return S_OK;
  }
  STDMETHODIMP get_Class(Outlook::OlObjectClass* out) override {
    if (failClass) return E_FAIL;
    *out = Outlook::olFolder;
    return S_OK;
  }
  STDMETHODIMP get_Items(Outlook::_Items**) override { return E_NOTIMPL; }
  STDMETHODIMP get_Folders(Outlook::_Folders**) override { return E_NOTIMPL; }
  STDMETHODIMP get_EntryID(BSTR*) override { return E_NOTIMPL; }
  STDMETHODIMP get_StoreID(BSTR*) override { return E_NOTIMPL; }
  STDMETHODIMP get_DefaultItemType(Outlook::OlItemType*) override { return E_NOTIMPL; }
  STDMETHODIMP get_Application(Outlook::_Application**) override { return E_NOTIMPL; }

  std::u16string name;
  IDispatchPtr parent;
  bool failName = false;
  bool failParent = false;
  bool failClass = false;
};

class OLFolderTest : public ::testing::Test {
 protected:
  OLFolderTest() {
    session_ = new FakeSession;
    holdSession_ = session_;
    store_ = new FakeFolder(u"Personal Folders", session_);
    holdStore_ = store_;
    contacts_ = new FakeFolder(u"Contacts", store_);
    holdContacts_ = contacts_;
    friends_ = new FakeFolder(u"Friends", contacts_);
    holdFriends_ = friends_;
  }
  void TearDown() override { testkit::SetAcp(0); }

  FakeSession* session_;
  FakeFolder* store_;
  FakeFolder* contacts_;
  FakeFolder* friends_;
  IDispatchPtr holdSession_;
  Outlook::MAPIFolderPtr holdStore_, holdContacts_, holdFriends_;
};

TEST_F(OLFolderTest, APathRunsFromTheStoreDown) {
  EXPECT_STREQ(COLFolder(store_).GetPath(), "\\\\Personal Folders");
  EXPECT_STREQ(COLFolder(contacts_).GetPath(), "\\\\Personal Folders\\Contacts");
  EXPECT_STREQ(COLFolder(friends_).GetPath(), "\\\\Personal Folders\\Contacts\\Friends");
}

TEST_F(OLFolderTest, TheFolderIsBorrowed) {
  ULONG before = friends_->RefCount();
  {
    COLFolder folder(friends_);
    folder.GetPath();
  }
  EXPECT_EQ(friends_->RefCount(), before);
}

TEST_F(OLFolderTest, AFailedReadEmptiesThatStepsPath) {
  contacts_->failName = true;
  EXPECT_STREQ(COLFolder(contacts_).GetPath(), "");
  EXPECT_STREQ(COLFolder(friends_).GetPath(), "\\Friends");
  contacts_->failName = false;
  store_->failClass = true;
  EXPECT_STREQ(COLFolder(contacts_).GetPath(), "");
  store_->failClass = false;
  friends_->failParent = true;
  EXPECT_STREQ(COLFolder(friends_).GetPath(), "");
}

TEST_F(OLFolderTest, ThePathIsReadAnewOnEachCall) {
  COLFolder folder(contacts_);
  std::string first = folder.GetPath();
  contacts_->name = u"Kontakte";
  EXPECT_EQ(first, "\\\\Personal Folders\\Contacts");
  EXPECT_STREQ(folder.GetPath(), "\\\\Personal Folders\\Kontakte");
}

TEST_F(OLFolderTest, ThePathIsInTheAnsiCodePage) {
  contacts_->name = u"Caf\u00e9";
  EXPECT_STREQ(COLFolder(contacts_).GetPath(), "\\\\Personal Folders\\Caf\xc3\xa9");
  testkit::SetAcp(1252);
  EXPECT_STREQ(COLFolder(contacts_).GetPath(), "\\\\Personal Folders\\Caf\xe9");
}

TEST_F(OLFolderTest, CopyPathCutsToTheBuffer) {
  COLFolder folder(contacts_);
  char buffer[260];
  std::memset(buffer, 'z', sizeof buffer);
  folder.CopyPath(buffer, 8);
  EXPECT_STREQ(buffer, "\\\\Perso");
  folder.CopyPath(buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "\\\\Personal Folders\\Contacts");
}

// --- Against the stand-in Outlook ------------------------------------------------------------

class StandInOutlookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ResetMailbox();
    g_nOutlookVersion = -1;
  }
  void TearDown() override {
    g_Application = nullptr;
    g_nOutlookVersion = -1;
    testkit::ResetMailbox();
  }
};

TEST_F(StandInOutlookTest, TheMajorVersionOfEachOutlookIsRead) {
  for (int major : {9, 11, 14}) {
    testkit::SetOutlookVersion(major);
    Outlook::_ApplicationPtr app = testkit::CreateOutlookApplication();
    g_Application = app;
    g_nOutlookVersion = -1;
    EXPECT_EQ(GetOutlookVersion(), major);
  }
}

TEST_F(StandInOutlookTest, TheDefaultContactsFolderLiesBelowItsStore) {
  Outlook::_ApplicationPtr app = testkit::CreateOutlookApplication();
  Outlook::MAPIFolderPtr contacts = app->GetSession()->GetDefaultFolder(Outlook::olFolderContacts);
  std::size_t live = testkit::LiveOutlookObjects();
  {
    COLFolder folder(contacts);
    EXPECT_STREQ(folder.GetPath(), "\\\\Personal Folders\\Contacts");
  }
  EXPECT_EQ(testkit::LiveOutlookObjects(), live);
}

// --- The open-file dialog of the helper library ------------------------------------------

class OpenFileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    original_ = AddinFolder();
    testkit::ResetBruvel();
  }
  void TearDown() override {
    testkit::SetModuleFolder("Kelvra.dll", original_);
    testkit::ResetBruvel();
  }
  void installLibrary() { testkit::SetModuleFolder("Kelvra.dll", WindowsPath(KELVRA_RUNTIME_DIR)); }

  std::string original_;
};

TEST_F(OpenFileDialogTest, TheLibrarysAnswerIsReturnedAndItsArgumentsPassedUnchanged) {
  installLibrary();
  testkit::SetBruvelAnswer("\"C:\\a.vcf\" \"C:\\b.vcf\"");
  char* answer = ShowOpenFileDialog("C:\\start.vcf", 512, "VCard (*.vcf)|*.vcf||");
  ASSERT_NE(answer, nullptr);
  EXPECT_STREQ(answer, "\"C:\\a.vcf\" \"C:\\b.vcf\"");
  EXPECT_EQ(LocalFree(answer), nullptr);
  auto calls = testkit::BruvelCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].initial, "C:\\start.vcf");
  EXPECT_EQ(calls[0].maxLength, 512);
  EXPECT_EQ(calls[0].filter, "VCard (*.vcf)|*.vcf||");
}

TEST_F(OpenFileDialogTest, TheLibraryIsFreedAfterEveryCall) {
  installLibrary();
  ShowOpenFileDialog("", 512, "VCal (*.vcs;*.ics)|*.vcs;*.ics||");
  ShowOpenFileDialog("", 512, "VCal (*.vcs;*.ics)|*.vcs;*.ics||");
  EXPECT_EQ(testkit::BruvelLoads(), 2);
  EXPECT_EQ(testkit::BruvelUnloads(), 2);
}

TEST_F(OpenFileDialogTest, CancelGivesNull) {
  installLibrary();
  testkit::SetBruvelAnswer(std::nullopt);
  EXPECT_EQ(ShowOpenFileDialog("", 512, "VCard (*.vcf)|*.vcf||"), nullptr);
  EXPECT_EQ(testkit::BruvelCalls().size(), 1u);
}

TEST_F(OpenFileDialogTest, AMissingLibraryGivesNullAndLogsNothing) {
  TempDir empty;
  testkit::SetModuleFolder("Kelvra.dll", empty.windows());
  LogWatch watch;
  testkit::SetBruvelAnswer("C:\\a.vcf");
  EXPECT_EQ(ShowOpenFileDialog("", 512, "VCard (*.vcf)|*.vcf||"), nullptr);
  EXPECT_TRUE(testkit::BruvelCalls().empty());
  EXPECT_EQ(watch.Log(), "");
}

TEST_F(OpenFileDialogTest, ALibraryWithoutTheExportGivesNull) {
  // Any loadable library without the export will do: the maths library is at hand.
  Dl_info info{};
  ASSERT_NE(dladdr(reinterpret_cast<void*>(static_cast<double (*)(double)>(&::cos)), &info), 0);
  TempDir other;
  std::filesystem::copy_file(info.dli_fname, other.linuxPath("Bruvel.dll"));
  testkit::SetModuleFolder("Kelvra.dll", other.windows());
  testkit::SetBruvelAnswer("C:\\a.vcf");
  EXPECT_EQ(ShowOpenFileDialog("", 512, "VCard (*.vcf)|*.vcf||"), nullptr);
  EXPECT_TRUE(testkit::BruvelCalls().empty());
}

}  // namespace
