// The library log: nothing before it is configured, its line format, which kinds go
// to which file, levels, the version line, trimming and lines from several threads.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "sharestore/common/CLog.h"
#include "sharestore/tessaly/Tessaly.h"
#include "support/TempDir.h"
#include "testkit/Clock.h"
#include "testkit/Debug.h"

namespace kelvra::test {
namespace {

class LibraryLogTest : public ::testing::Test {
 protected:
  void SetUp() override { testkit::SetLocalTime(SYSTEMTIME{2026, 3, 0, 4, 7, 8, 9, 0}); }
  void TearDown() override {
    log_.reset();
    testkit::UseRealClock();
  }
  std::string LogPath() const { return dir_.windowsPath("lib.log"); }
  std::string ErrPath() const { return dir_.windowsPath("lib.err"); }

  TempDir dir_;
  std::unique_ptr<CLog> log_ = std::make_unique<CLog>();
};

TEST_F(LibraryLogTest, NothingIsWrittenBeforeConfiguration) {
  testkit::ClearDebugOutput();
  log_->LogError("T", 1, "lost");
  EXPECT_EQ(2, log_->LogInfo(2, "T", "kept back"));
  log_.reset();
  EXPECT_TRUE(testkit::DebugOutput().empty());
  EXPECT_TRUE(std::filesystem::is_empty(dir_.linux()));
}

TEST_F(LibraryLogTest, LineFormatAndCodes) {
  ASSERT_EQ(0, log_->InitLog(nullptr, LogPath().c_str(), false, 3));
  log_->LogError("CTessaly::Init", 0, "plain %d", 5);
  log_->LogError("CTessaly::Init", -1, "coded");
  log_->Assert(false, "Tag", 0);
  log_->Assert(true, "Tag", 1);
  EXPECT_EQ(0, log_->LogInfo(3, "Info", "x"));
  EXPECT_EQ(4, log_->LogInfo(4, "Info", "y"));
  const std::string text = dir_.read("lib.log");
  EXPECT_EQ(
      "04/03/2026 07:08:09 Inf in InitLog: Version = 1.0.0.1\r\n"
      "04/03/2026 07:08:09 Err in CTessaly::Init: plain 5\r\n"
      "04/03/2026 07:08:09 Err[0xffffffff] in CTessaly::Init: coded\r\n"
      "04/03/2026 07:08:09 Err in Tag: ASSERT failed in line 0\r\n"
      "04/03/2026 07:08:09 Inf in Info: x\r\n",
      text);
  EXPECT_FALSE(dir_.exists("lib.err"));
}

TEST_F(LibraryLogTest, ErrorsAlsoGoToTheErrorFileWithTheVersion) {
  ASSERT_NE(nullptr, g_hModule);
  ASSERT_EQ(0, log_->InitLog(ErrPath().c_str(), LogPath().c_str(), false, 2));
  log_->LogError("T", 2, "bad");
  log_->LogInfo(1, "T", "fine");
  EXPECT_EQ("1.0.0.1 04/03/2026 07:08:09 Err[0x2] in T: bad\r\n", dir_.read("lib.err"));
  EXPECT_EQ(
      "04/03/2026 07:08:09 Inf in InitLog: Version = 1.0.0.1\r\n"
      "04/03/2026 07:08:09 Err[0x2] in T: bad\r\n"
      "04/03/2026 07:08:09 Inf in T: fine\r\n",
      dir_.read("lib.log"));
  // Level 1 keeps the version line back, and the export says so.
  EXPECT_EQ(2, Tessaly_ConfigLog(nullptr, nullptr, 0, 1));
  EXPECT_EQ(0, Tessaly_ConfigLog(nullptr, nullptr, 0, 2));
  Tessaly_ConfigLog(nullptr, nullptr, 0, 1);
}

TEST_F(LibraryLogTest, DebugOutputGetsThreeStrings) {
  testkit::ClearDebugOutput();
  log_->InitLog(nullptr, nullptr, true, 1);
  log_->LogError("T", 0, "m");
  const std::vector<std::string> expected{"04/03/2026 07:08:09 Err in T: ", "m", "\n"};
  EXPECT_EQ(expected, testkit::DebugOutput());
}

TEST_F(LibraryLogTest, LongMessagesAreCut) {
  log_->InitLog(nullptr, LogPath().c_str(), false, 1);
  log_->LogError(std::string(600, 't').c_str(), 0, "%s", std::string(600, 'm').c_str());
  const std::string text = dir_.read("lib.log");
  EXPECT_EQ(511u + 511u + 2u, text.size());
}

TEST_F(LibraryLogTest, TrimmingKeepsTheLastLinesOfTheTail) {
  std::string big;
  for (int i = 0; big.size() <= 0xE0000; ++i) big += "line " + std::to_string(i) + "\r\n";
  big.resize(0xE0000 + 1);
  dir_.write("lib.log", big);
  dir_.write("exact.log", std::string(0xE0000, 'x'));
  log_->InitLog(nullptr, dir_.windowsPath("exact.log").c_str(), false, 1);
  EXPECT_EQ(0xE0000u, std::filesystem::file_size(dir_.linuxPath("exact.log")));
  log_->InitLog(nullptr, LogPath().c_str(), false, 1);
  const std::string trimmed = dir_.read("lib.log");
  const std::size_t start = big.find("\r\n", big.size() - 0x70000) + 2;
  EXPECT_EQ(big.substr(start), trimmed);
  EXPECT_FALSE(dir_.exists("lib.log1"));
}

TEST_F(LibraryLogTest, LinesFromSeveralThreadsStayWhole) {
  log_->InitLog(nullptr, LogPath().c_str(), false, 1);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([this, t] {
      for (int i = 0; i < 200; ++i)
        log_->LogError("T", 0, "thread %d line %d %s", t, i, std::string(100, 'a' + t).c_str());
    });
  for (std::thread& thread : threads) thread.join();
  std::ifstream in(dir_.linuxPath("lib.log"));
  std::string line;
  int lines = 0;
  while (std::getline(in, line)) {
    ++lines;
    ASSERT_EQ(0u, line.find("04/03/2026 07:08:09 Err in T: thread ")) << line;
    ASSERT_EQ('\r', line.back());
  }
  EXPECT_EQ(800, lines);
}

}  // namespace
}  // namespace kelvra::test
