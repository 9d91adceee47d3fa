// The add-in's two log files: line shapes, levels, trimming and concurrent writers.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>

#include "AddinTestSupport.h"
#include "addin/CLib.h"
#include "addin/CLogTimer.h"
#include "support/TempDir.h"
#include "testkit/Clock.h"
#include "testkit/Files.h"
#include "testkit/Modules.h"
#include "testkit/Registry.h"

namespace {

using kelvra::test::AddinFolder;
using kelvra::test::AddinModule;
using kelvra::test::ReadWholeFile;
using kelvra::test::SetOptionBytes;
using kelvra::test::SetOptionDword;
using kelvra::test::TempDir;

constexpr const char* kStartMark = ":Start:\r\nVersion=1.0.0.1\r\n";
constexpr const char* kTime = "07/12/2026 09:05:03";

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ResetRegistry();
    testkit::SetAppDataFolder(appData_.windows());
    testkit::SetLocalTime(SYSTEMTIME{2026, 12, 1, 7, 9, 5, 3, 0});
  }
  void TearDown() override {
    testkit::ResetFiles();
    testkit::ResetRegistry();
    testkit::FailVersionInfo(false);
  }

  std::string folder() const { return appData_.linux() + "/Ostrane/Kelvra"; }
  std::string logPath() const { return folder() + "/KelvraAddin.log"; }
  std::string errPath() const { return folder() + "/KelvraAddin.err"; }
  std::string logText() const { return ReadWholeFile(logPath()); }
  std::string errText() const { return ReadWholeFile(errPath()); }

  void seed(const std::string& path, const std::string& bytes) const {
    std::filesystem::create_directories(folder());
    std::ofstream(path, std::ios::binary) << bytes;
  }

  TempDir appData_;
};

// Lines of 64 bytes ending in CR LF, cut to exactly size bytes.
std::string LinesOfSize(size_t size, const char* end = "\r\n") {
  std::string text;
  for (int i = 0; text.size() < size; ++i) {
    std::ostringstream line;
    line << "line " << i << ' ';
    std::string body = line.str();
    body.resize(64 - std::strlen(end), 'x');
    text += body + end;
  }
  text.resize(size);
  return text;
}

// --- Where the files go and how they begin and end ---------------------------------

using LogFilesTest = LogTest;

TEST_F(LogFilesTest, InitCreatesBothFilesUnderAppDataWithStartMarkInLogOnly) {
  {
    CLib lib;
    EXPECT_FALSE(lib.IsLogEnabled());
    lib.Init(AddinModule());
    EXPECT_TRUE(lib.IsLogEnabled());
    EXPECT_STREQ(lib.GetVersion(), "1.0.0.1");
    EXPECT_EQ(logText(), kStartMark);
    EXPECT_TRUE(std::filesystem::exists(errPath()));
    EXPECT_EQ(errText(), "");
  }
  EXPECT_EQ(logText(), std::string(kStartMark) + ":End:\r\n\r\n");
  EXPECT_EQ(errText(), "");
}

TEST_F(LogFilesTest, WithoutAppDataFolderTheFilesGoBesideTheAddin) {
  TempDir moduleFolder;
  std::string original = AddinFolder();
  testkit::SetModuleFolder("Kelvra.dll", moduleFolder.windows());
  testkit::FailAppDataFolder(true);
  {
    CLib lib;
    lib.Init(AddinModule());
    lib.WriteLog("here", 0, "T::F", LOG_INF, 1);
  }
  testkit::SetModuleFolder("Kelvra.dll", original);
  EXPECT_NE(moduleFolder.read("KelvraAddin.log").find("in T::F: here"), std::string::npos);
  EXPECT_TRUE(moduleFolder.exists("KelvraAddin.err"));
  EXPECT_FALSE(std::filesystem::exists(folder()));
}

TEST_F(LogFilesTest, AnEmptyAppDataFolderCountsAsMissing) {
  TempDir moduleFolder;
  std::string original = AddinFolder();
  testkit::SetModuleFolder("Kelvra.dll", moduleFolder.windows());
  testkit::SetAppDataFolder("");
  {
    CLib lib;
    lib.Init(AddinModule());
  }
  testkit::SetModuleFolder("Kelvra.dll", original);
  EXPECT_TRUE(moduleFolder.exists("KelvraAddin.log"));
}

TEST_F(LogFilesTest, UnreadableVersionLeavesTheVersionTextEmpty) {
  testkit::FailVersionInfo(true);
  CLib lib;
  lib.Init(AddinModule());
  lib.WriteLog("w", 1, "T::F", LOG_WAR, 1);
  EXPECT_EQ(logText().rfind(":Start:\r\nVersion=\r\n", 0), 0u);
  EXPECT_EQ(errText(), std::string(" ") + kTime + " War[1] in T::F: w\r\n");
}

TEST_F(LogFilesTest, ASecondInitAppendsAnotherStartMark) {
  CLib lib;
  lib.Init(AddinModule());
  lib.Init(AddinModule());
  EXPECT_EQ(logText(), std::string(kStartMark) + kStartMark);
}

// --- Shapes of the lines -------------------------------------------------------------

using LogLineTest = LogTest;

TEST_F(LogLineTest, WarningGoesToBothFilesAndTheErrorLineBeginsWithTheVersion) {
  CLib lib;
  lib.Init(AddinModule());
  lib.WriteLog("disk full", -2147024784, "CvCardExport::Execute", LOG_WAR, 1);
  EXPECT_EQ(logText(), std::string(kStartMark) + kTime +
                           " War[-2147024784] in CvCardExport::Execute: disk full\r\n");
  EXPECT_EQ(errText(), std::string("1.0.0.1 ") + kTime +
                           " War[-2147024784] in CvCardExport::Execute: disk full\r\n");
}

TEST_F(LogLineTest, ErrorGoesToBothFiles) {
  CLib lib;
  lib.Init(AddinModule());
  lib.WriteLog("bad", 5, "F", LOG_ERR, 1);
  EXPECT_NE(logText().find(std::string(kTime) + " Err[5] in F: bad\r\n"), std::string::npos);
  EXPECT_EQ(errText(), std::string("1.0.0.1 ") + kTime + " Err[5] in F: bad\r\n");
}

TEST_F(LogLineTest, InformationAndUnknownKindsAreInfAndStayOutOfTheErrorFile) {
  CLib lib;
  lib.Init(AddinModule());
  lib.WriteLog("one", 0, "F", LOG_INF, 1);
  lib.WriteLog("zero", 0, "F", 0, 1);
  lib.WriteLog("four", 0, "F", 4, 1);
  EXPECT_EQ(logText(), std::string(kStartMark) + kTime + " Inf[0] in F: one\r\n" + kTime +
                           " Inf[0] in F: zero\r\n" + kTime + " Inf[0] in F: four\r\n");
  EXPECT_EQ(errText(), "");
}

TEST_F(LogLineTest, TimeIsDayMonthFullYear) {
  testkit::SetLocalTime(SYSTEMTIME{2027, 1, 6, 2, 23, 0, 9, 500});
  CLib lib;
  lib.Init(AddinModule());
  lib.WriteLog("m", 0, "F", LOG_INF, 1);
  EXPECT_NE(logText().find("02/01/2027 23:00:09 Inf[0] in F: m\r\n"), std::string::npos);
}

TEST_F(LogLineTest, NothingIsWrittenBeforeInit) {
  CLib lib;
  EXPECT_EQ(lib.WriteLog("m", 0, "F", LOG_ERR, 1), 0);
  EXPECT_FALSE(std::filesystem::exists(folder()));
}

TEST_F(LogLineTest, LogFormatsAndCutsAt1023Characters) {
  CLib lib;
  lib.Init(AddinModule());
  lib.Log(3, "F", LOG_INF, 1, "n=%d s=%s", 7, "x");
  lib.Log(0, "G", LOG_INF, 1, "%s", std::string(2000, 'a').c_str());
  std::string text = logText();
  EXPECT_NE(text.find(" Inf[3] in F: n=7 s=x\r\n"), std::string::npos);
  EXPECT_NE(text.find(" Inf[0] in G: " + std::string(1023, 'a') + "\r\n"), std::string::npos);
  EXPECT_EQ(text.find(std::string(1024, 'a')), std::string::npos);
}

// --- The level ---------------------------------------------------------------------

using LogLevelTest = LogTest;

TEST_F(LogLevelTest, DefaultLevelWritesLevelOneOnly) {
  CLib lib;
  lib.Init(AddinModule());
  EXPECT_EQ(lib.GetLogLevel(), 1);
  lib.WriteLog("one", 0, "F", LOG_ERR, 1);
  lib.WriteLog("two", 0, "F", LOG_ERR, 2);
  EXPECT_NE(logText().find("in F: one"), std::string::npos);
  EXPECT_EQ(logText().find("in F: two"), std::string::npos);
  EXPECT_EQ(errText().find("in F: two"), std::string::npos);
}

TEST_F(LogLevelTest, LevelZeroSilencesEveryLineButKeepsTheMarks) {
  SetOptionDword(HKEY_CURRENT_USER, "LogLevel", 0);
  {
    CLib lib;
    lib.Init(AddinModule());
    lib.WriteLog("e", 0, "F", LOG_ERR, 1);
    lib.Log(0, "F", LOG_ERR, 1, "%s", "f");
  }
  EXPECT_EQ(logText(), std::string(kStartMark) + ":End:\r\n\r\n");
  EXPECT_EQ(errText(), "");
}

TEST_F(LogLevelTest, UserLevelWinsOverMachineLevel) {
  SetOptionDword(HKEY_CURRENT_USER, "LogLevel", 3);
  SetOptionDword(HKEY_LOCAL_MACHINE, "LogLevel", 0);
  CLib lib;
  lib.Init(AddinModule());
  EXPECT_EQ(lib.GetLogLevel(), 3);
  lib.WriteLog("three", 0, "F", LOG_INF, 3);
  EXPECT_NE(logText().find("in F: three"), std::string::npos);
}

TEST_F(LogLevelTest, OutOfRangeUserLevelKeepsOneAndIgnoresTheMachine) {
  SetOptionDword(HKEY_CURRENT_USER, "LogLevel", 5);
  SetOptionDword(HKEY_LOCAL_MACHINE, "LogLevel", 3);
  CLib lib;
  lib.Init(AddinModule());
  EXPECT_EQ(lib.GetLogLevel(), 1);
}

TEST_F(LogLevelTest, StringUserLevelFallsThroughToTheMachine) {
  SetOptionBytes(HKEY_CURRENT_USER, "LogLevel", std::string("3", 2), REG_SZ);
  SetOptionDword(HKEY_LOCAL_MACHINE, "LogLevel", 2);
  CLib lib;
  lib.Init(AddinModule());
  EXPECT_EQ(lib.GetLogLevel(), 2);
}

TEST_F(LogLevelTest, MissingUserValueFallsThroughToTheMachine) {
  SetOptionDword(HKEY_LOCAL_MACHINE, "LogLevel", 3);
  CLib lib;
  lib.Init(AddinModule());
  EXPECT_EQ(lib.GetLogLevel(), 3);
}

TEST_F(LogLevelTest, KeysThatDenyWritingAreStillRead) {
  SetOptionDword(HKEY_LOCAL_MACHINE, "LogLevel", 3);
  testkit::DenyAccess(HKEY_LOCAL_MACHINE, "Software\\Ostrane\\Kelvra",
                      KEY_SET_VALUE | KEY_CREATE_SUB_KEY);
  {
    CLib lib;
    lib.Init(AddinModule());
    EXPECT_EQ(lib.GetLogLevel(), 3);
  }
  SetOptionDword(HKEY_CURRENT_USER, "LogLevel", 2);
  testkit::DenyAccess(HKEY_CURRENT_USER, "Software\\Ostrane\\Kelvra",
                      KEY_SET_VALUE | KEY_CREATE_SUB_KEY);
  CLib lib;
  lib.Init(AddinModule());
  EXPECT_EQ(lib.GetLogLevel(), 2);
}

TEST_F(LogLevelTest, KeysThatDenyReadingLeaveTheDefault) {
  SetOptionDword(HKEY_CURRENT_USER, "LogLevel", 3);
  SetOptionDword(HKEY_LOCAL_MACHINE, "LogLevel", 2);
  testkit::DenyAccess(HKEY_CURRENT_USER, "Software\\Ostrane\\Kelvra", KEY_QUERY_VALUE);
  testkit::DenyAccess(HKEY_LOCAL_MACHINE, "Software\\Ostrane\\Kelvra", KEY_QUERY_VALUE);
  CLib lib;
  lib.Init(AddinModule());
  EXPECT_EQ(lib.GetLogLevel(), 1);
}

// --- Trimming when a file is opened ------------------------------------------------------

using LogTrimTest = LogTest;

TEST_F(LogTrimTest, LogAtTheLimitIsLeftWhole) {
  std::string old = LinesOfSize(0xE0000);
  seed(logPath(), old);
  CLib lib;
  lib.Init(AddinModule());
  EXPECT_EQ(logText(), old + kStartMark);
}

TEST_F(LogTrimTest, LogOneByteOverKeepsTheLinesAfterHalfTheLimitFromTheEnd) {
  std::string old = LinesOfSize(0xE0001);
  size_t offset = old.size() - 0x70000;
  ASSERT_NE(offset % 64, 62u);  // the offset falls inside a line, not on its CR LF
  size_t firstWholeLine = (offset / 64 + 1) * 64;
  seed(logPath(), old);
  CLib lib;
  lib.Init(AddinModule());
  EXPECT_EQ(logText(), old.substr(firstWholeLine) + kStartMark);
  EXPECT_FALSE(std::filesystem::exists(logPath() + "1"));
}

TEST_F(LogTrimTest, ErrorFileIsTrimmedAgainstItsOwnLimit) {
  std::string old = LinesOfSize(0x20000 + 100);
  size_t offset = old.size() - 0x10000;
  size_t firstWholeLine = (offset / 64 + 1) * 64;
  seed(errPath(), old);
  CLib lib;
  lib.Init(AddinModule());
  std::string kept = errText();
  EXPECT_EQ(kept, old.substr(firstWholeLine));
  EXPECT_NEAR(static_cast<double>(kept.size()), 0x10000, 64);
}

TEST_F(LogTrimTest, ErrorFileAtItsLimitIsLeftWhole) {
  std::string old = LinesOfSize(0x20000);
  seed(errPath(), old);
  CLib lib;
  lib.Init(AddinModule());
  EXPECT_EQ(errText(), old);
}

TEST_F(LogTrimTest, ACarriageReturnLineFeedIsPreferredToAnEarlierBareLineFeed) {
  std::string old(0xE0001, 'x');
  size_t offset = old.size() - 0x70000;
  old[offset + 10] = '\n';
  old[offset + 20] = '\r';
  old[offset + 21] = '\n';
  seed(logPath(), old);
  CLib lib;
  lib.Init(AddinModule());
  EXPECT_EQ(logText(), old.substr(offset + 22) + kStartMark);
}

TEST_F(LogTrimTest, BareLineFeedsAreLineEndsToo) {
  std::string old = LinesOfSize(0xE0001, "\n");
  size_t offset = old.size() - 0x70000;
  seed(logPath(), old);
  CLib lib;
  lib.Init(AddinModule());
  EXPECT_EQ(logText(), old.substr((offset / 64 + 1) * 64) + kStartMark);
}

TEST_F(LogTrimTest, WithoutALineEndInTheScannedBytesTheCopyStartsAfterThem) {
  std::string old(0xE0001, 'x');
  size_t offset = old.size() - 0x70000;
  old[offset + 4095] = '\n';  // just beyond the scanned bytes
  seed(logPath(), old);
  CLib lib;
  lib.Init(AddinModule());
  EXPECT_EQ(logText(), old.substr(offset + 4095) + kStartMark);
}

TEST_F(LogTrimTest, ATemporaryFileThatCannotBeWrittenLeavesTheLogWhole) {
  std::string old = LinesOfSize(0xE0001);
  seed(logPath(), old);
  std::filesystem::create_directory(logPath() + "1");
  CLib lib;
  lib.Init(AddinModule());
  EXPECT_EQ(logText(), old + kStartMark);
}

TEST_F(LogTrimTest, AStaleTemporaryFileIsReplaced) {
  std::string old = LinesOfSize(0xE0001);
  size_t offset = old.size() - 0x70000;
  seed(logPath(), old);
  seed(logPath() + "1", "stale");
  CLib lib;
  lib.Init(AddinModule());
  EXPECT_EQ(logText(), old.substr((offset / 64 + 1) * 64) + kStartMark);
  EXPECT_FALSE(std::filesystem::exists(logPath() + "1"));
}

// --- Writers on two threads ----------------------------------------------------------

using LogThreadTest = LogTest;

TEST_F(LogThreadTest, ConcurrentWritersProduceWholeLines) {
  CLib lib;
  lib.Init(AddinModule());
  constexpr int kLines = 1500;
  auto writer = [&lib](int id) {
    for (int i = 0; i < kLines; ++i)
      lib.Log(i, id == 1 ? "T::One" : "T::Two", LOG_WAR, 1, "message %d of writer %d", i, id);
  };
  std::thread one(writer, 1);
  std::thread two(writer, 2);
  one.join();
  two.join();

  std::regex line(R"(07/12/2026 09:05:03 War\[(\d+)\] in T::(One|Two): message \1 of writer [12])");
  std::istringstream in(logText());
  std::string l;
  int count = 0;
  while (std::getline(in, l)) {
    if (l == ":Start:\r" || l == "Version=1.0.0.1\r") continue;
    ASSERT_FALSE(l.empty());
    ASSERT_EQ(l.back(), '\r');
    l.pop_back();
    ASSERT_TRUE(std::regex_match(l, line)) << l;
    ++count;
  }
  EXPECT_EQ(count, 2 * kLines);
}

TEST_F(LogThreadTest, ReopeningWhileAnotherThreadWritesLosesNoLine) {
  CLib lib;
  lib.Init(AddinModule());
  constexpr int kLines = 1000;
  std::thread writer([&lib] {
    for (int i = 0; i < kLines; ++i) lib.WriteLog("steady", i, "T::W", LOG_INF, 1);
  });
  for (int i = 0; i < 40; ++i) lib.Init(AddinModule());
  writer.join();

  std::istringstream in(logText());
  std::string l;
  int lines = 0;
  int starts = 0;
  while (std::getline(in, l)) {
    if (l == ":Start:\r") ++starts;
    if (l.find(" Inf[") != std::string::npos) {
      EXPECT_NE(l.find(" in T::W: steady\r"), std::string::npos) << l;
      ++lines;
    }
  }
  EXPECT_EQ(lines, kLines);
  EXPECT_EQ(starts, 41);
}

// --- The printf-style fronts on the global log -------------------------------------------

class LogFrontTest : public ::testing::Test {
 protected:
  void SetUp() override { testkit::ResetRegistry(); }
};

TEST_F(LogFrontTest, ErrAndWarWriteTheirKindsAtLevelOne) {
  kelvra::test::LogWatch watch;
  g_LogTimer.Err("CX::Err", 7, "value %d of %s", 5, "six");
  g_LogTimer.War("CX::War", -1, "%s", "careful");
  EXPECT_NE(watch.Log().find(" Err[7] in CX::Err: value 5 of six\r\n"), std::string::npos);
  EXPECT_NE(watch.Log().find(" War[-1] in CX::War: careful\r\n"), std::string::npos);
  EXPECT_NE(watch.Err().find(" Err[7] in CX::Err: value 5 of six\r\n"), std::string::npos);
  EXPECT_NE(watch.Err().find(" War[-1] in CX::War: careful\r\n"), std::string::npos);
}

TEST_F(LogFrontTest, InfCarriesItsLevelAndCodeZero) {
  kelvra::test::LogWatch watch;
  g_LogTimer.Inf(1, "CX::Inf", "shown %d", 1);
  g_LogTimer.Inf(2, "CX::Inf", "hidden %d", 2);
  EXPECT_NE(watch.Log().find(" Inf[0] in CX::Inf: shown 1\r\n"), std::string::npos);
  EXPECT_EQ(watch.Log().find("hidden"), std::string::npos);
  EXPECT_EQ(watch.Err(), "");
}

TEST_F(LogFrontTest, MessagesAreCutAt511Characters) {
  kelvra::test::LogWatch watch;
  g_LogTimer.War("CX::Long", 0, "%s", std::string(700, 'b').c_str());
  EXPECT_NE(watch.Log().find(": " + std::string(511, 'b') + "\r\n"), std::string::npos);
}

TEST_F(LogFrontTest, AssertLogsOnlyAFailedCondition) {
  kelvra::test::LogWatch watch;
  g_LogTimer.Assert(true, "CX::Check", 10);
  g_LogTimer.Assert(false, "CX::Check", 123);
  EXPECT_EQ(watch.Log().find("line 10"), std::string::npos);
  EXPECT_NE(watch.Log().find(" Err[0] in CX::Check: ASSERT failed in line 123\r\n"),
            std::string::npos);
}

}  // namespace
