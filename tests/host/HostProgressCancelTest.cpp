// Cancel on a wizard's progress dialog stops its run: the items not yet done are counted
// as skipped and only those done reach the store or the folder. The runs are long enough
// that a Cancel the run ignored would let them finish.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <vector>

#include "HostProcess.h"
#include "support/TempDir.h"

namespace kelvra::test {
namespace {

using nlohmann::json;

constexpr int kEvents = 3000;

// Event N starts on day N % 28 + 1 of month N / 28 % 12 + 1 of 2024 at 08:00 UTC.
std::string Start(int n) {
  char text[32];
  std::snprintf(text, sizeof text, "2024-%02d-%02dT08:00:00", n / 28 % 12 + 1, n % 28 + 1);
  return text;
}

std::string ManyEvents() {
  std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Test//EN\r\n";
  for (int n = 0; n < kEvents; ++n) {
    std::string start = Start(n);
    start.erase(
        std::remove_if(start.begin(), start.end(), [](char c) { return c == '-' || c == ':'; }),
        start.end());
    text += "BEGIN:VEVENT\r\nUID:event-" + std::to_string(n) +
            "@example.com\r\nDTSTAMP:20240101T000000Z\r\nDTSTART:" + start +
            "Z\r\nDURATION:PT30M\r\nSUMMARY:Event " + std::to_string(n) + "\r\nEND:VEVENT\r\n";
  }
  return text + "END:VCALENDAR\r\n";
}

// "result: ... imported=N ... skipped=M": the two numbers by name.
int Count(const std::string& result, const std::string& name) {
  std::smatch match;
  if (!std::regex_search(result, match, std::regex(" " + name + "=(\\d+)"))) return -1;
  return std::stoi(match[1]);
}

class HostProgressCancelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Run({"register"}).status, 0);
    dir_.write("many.ics", ManyEvents());
    dir_.write("mailbox.json",
               "{\"stores\":[{\"name\":\"Personal Folders\",\"folders\":[{\"name\":\"Inbox\"},"
               "{\"name\":\"Calendar\",\"defaultItemType\":1}]}]}");
    // The dialog's Cancel, clicked as soon as the dialog shows.
    dir_.write("cancel.txt", "dialog 245: click 2\ndialog 239: click 2\n");
  }

  HostRun Run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--root", dir_.linuxPath("root"), "--timezone", "UTC"});
    return RunKelvraHost(arguments, dir_.linux());
  }
  static std::string ResultOf(const HostRun& run) {
    const std::vector<std::string> lines = Lines(run.out);
    return lines.empty() ? "" : lines.back();
  }

  TempDir dir_;
};

TEST_F(HostProgressCancelTest, CancelledImportStoresOnlyWhatItImportedAndSkipsTheRest) {
  const HostRun run =
      Run({"--mailbox", dir_.linuxPath("mailbox.json"), "--save", "--answers",
           dir_.linuxPath("cancel.txt"), "import-calendar", "--from", dir_.linuxPath("many.ics")});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string result = ResultOf(run);
  const int imported = Count(result, "imported");
  EXPECT_EQ(Count(result, "events"), kEvents) << result;
  EXPECT_EQ(Count(result, "failed"), 0) << result;
  EXPECT_LT(imported, kEvents) << result;
  EXPECT_EQ(Count(result, "skipped"), kEvents - imported) << result;

  // The file's first events, in its order, with their times; none after them.
  const json mailbox = json::parse(dir_.read("mailbox.json"));
  const json& items = mailbox["stores"][0]["folders"][1]["items"];
  ASSERT_EQ(static_cast<int>(items.size()), imported);
  for (int n = 0; n < imported; ++n) {
    EXPECT_EQ(items[n].value("Subject", ""), "Event " + std::to_string(n));
    EXPECT_EQ(items[n].value("Start", ""), Start(n));
    EXPECT_EQ(items[n].value("Duration", 0), 30);
  }
}

TEST_F(HostProgressCancelTest, CancelledExportWritesOnlyWhatItExportedAndSkipsTheRest) {
  ASSERT_EQ(Run({"--mailbox", dir_.linuxPath("mailbox.json"), "--save", "import-calendar", "--from",
                 dir_.linuxPath("many.ics")})
                .status,
            0);
  std::filesystem::create_directories(dir_.linuxPath("out"));
  const HostRun run =
      Run({"--mailbox", dir_.linuxPath("mailbox.json"), "--answers", dir_.linuxPath("cancel.txt"),
           "export-calendar", "--to", dir_.linuxPath("out"), "--format", "20", "--file-per-event"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string result = ResultOf(run);
  const int exported = Count(result, "exported");
  EXPECT_EQ(Count(result, "selected"), kEvents) << result;
  EXPECT_LT(exported, kEvents) << result;
  EXPECT_EQ(Count(result, "skipped"), kEvents - exported) << result;
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir_.linuxPath("out")))
    files += entry.path().extension() == ".ics";
  EXPECT_EQ(static_cast<int>(files), exported);
}

}  // namespace
}  // namespace kelvra::test
