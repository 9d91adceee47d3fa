// What kelvra-host says when it cannot do what it was asked: zones and clock times it
// does not know, folders it cannot use, a mailbox it cannot save. Each refusal names
// the value and says what would do.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "HostProcess.h"
#include "support/TempDir.h"

namespace kelvra::test {
namespace {

constexpr const char* kEvent =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Test//EN\r\nBEGIN:VEVENT\r\n"
    "UID:refusal-1@example.com\r\nDTSTAMP:20240101T000000Z\r\nDTSTART:20240312T090000\r\n"
    "DTEND:20240312T094500\r\nSUMMARY:Floating\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

// A mailbox of one store with a second calendar and a second contact folder.
constexpr const char* kMailbox =
    "{\"stores\":[{\"name\":\"Personal Folders\",\"folders\":[{\"name\":\"Inbox\"},"
    "{\"name\":\"Calendar\",\"defaultItemType\":1,\"folders\":[{\"name\":\"Trips\","
    "\"defaultItemType\":1}]},{\"name\":\"Contacts\",\"defaultItemType\":2},"
    "{\"name\":\"Clients\",\"defaultItemType\":2}]}]}";

class HostRefusalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Run({"register"}).status, 0);
    dir_.write("event.ics", kEvent);
    dir_.write("mailbox.json", kMailbox);
  }

  HostRun Run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--root", dir_.linuxPath("root")});
    return RunKelvraHost(arguments, dir_.linux());
  }
  HostRun Import(const std::vector<std::string>& more, bool save = false) {
    std::vector<std::string> arguments{"--timezone", "UTC", "--mailbox",
                                       dir_.linuxPath("mailbox.json")};
    if (save) arguments.push_back("--save");
    arguments.insert(arguments.end(), {"import-calendar", "--from", dir_.linuxPath("event.ics")});
    arguments.insert(arguments.end(), more.begin(), more.end());
    return Run(arguments);
  }
  // One line on standard error naming the value and saying what is accepted.
  static void ExpectOneLine(const HostRun& run, int status, const std::vector<std::string>& parts) {
    EXPECT_EQ(run.status, status) << run.err;
    const std::vector<std::string> lines = Lines(run.err);
    ASSERT_EQ(lines.size(), 1u) << run.err;
    for (const std::string& part : parts)
      EXPECT_NE(lines[0].find(part), std::string::npos) << part << " in " << lines[0];
    EXPECT_EQ(run.out, "");
  }
  // The Start the mailbox file gives its calendar's one event.
  std::string ImportedStart() {
    const nlohmann::json mailbox = nlohmann::json::parse(dir_.read("mailbox.json"));
    const nlohmann::json& items = mailbox["stores"][0]["folders"][1]["items"];
    if (items.size() != 1) return "items: " + std::to_string(items.size());
    return items[0].value("Start", "no Start");
  }

  TempDir dir_;
};

TEST_F(HostRefusalTest, ZonesAndClockTimesThatDoNotExistAreUsageErrors) {
  ExpectOneLine(Run({"--now", "2024-02-30T10:00:00", "register"}), 2,
                {"--now 2024-02-30T10:00:00", "YYYY-MM-DDTHH:MM:SS"});
  ExpectOneLine(Run({"--now", "2023-02-29T10:00:00", "register"}), 2, {"2023-02-29T10:00:00"});
  EXPECT_EQ(Run({"--now", "2024-02-29T10:00:00", "register"}).status, 0);
  ExpectOneLine(Run({"--timezone", "Mars/Olympus", "register"}), 2,
                {"--timezone Mars/Olympus", "Windows zone id", "IANA name"});
  ExpectOneLine(Import({"--zone", "Mars/Olympus"}), 2,
                {"--zone Mars/Olympus", "Windows zone id", "IANA name"});
}

TEST_F(HostRefusalTest, ZoneTakesTheNamesTimezoneTakes) {
  // A time without a zone is read in the zone the options page is given: 09:00 in New
  // York (daylight time from March 10) is 13:00 UTC, however the zone is named.
  for (const char* zone :
       {"America/New_York", "Eastern Standard Time", "(UTC-05:00) Eastern Standard Time"}) {
    SCOPED_TRACE(zone);
    dir_.write("mailbox.json", kMailbox);
    const HostRun run = Import({"--zone", zone}, true);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ImportedStart(), "2024-03-12T13:00:00");
  }
}

TEST_F(HostRefusalTest, FoldersThatCannotBeUsedAreNamedWithWhatWouldDo) {
  // As root a folder's mode does not stop a write; /proc takes no file from anyone.
  std::filesystem::create_directories(dir_.linuxPath("locked"));
  std::filesystem::permissions(dir_.linuxPath("locked"), std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::owner_exec);
  const bool lockedStopsWrites = !std::ofstream(dir_.linuxPath("locked/probe"));
  const std::string unwritable = lockedStopsWrites ? dir_.linuxPath("locked") : "/proc";
  for (const char* action : {"export-calendar", "export-contacts"}) {
    ExpectOneLine(Run({action, "--to", unwritable}), 2,
                  {"--to " + unwritable, "cannot be written", "must exist and be writable"});
    ExpectOneLine(Run({action, "--to", dir_.linuxPath("none")}), 2,
                  {dir_.linuxPath("none"), "no such folder", "must exist and be writable"});
  }
  std::filesystem::permissions(dir_.linuxPath("locked"), std::filesystem::perms::owner_all);
  ExpectOneLine(Run({"import-calendar", "--from", dir_.linuxPath("none")}), 2,
                {dir_.linuxPath("none"), "no such file or folder", ".ics or .vcs files"});
  ExpectOneLine(Run({"import-contacts", "--from", dir_.linuxPath("none")}), 2,
                {dir_.linuxPath("none"), "no such file or folder", ".vcf files"});

  HostRun run = Import({"--folder", "//Personal Folders/Holidays"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("--folder //Personal Folders/Holidays: Outlook has no such folder; "
                         "the calendar folders are: \\\\Personal Folders\\Calendar, "
                         "\\\\Personal Folders\\Calendar\\Trips\n"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(run.out.find("result:"), std::string::npos) << run.out;
  run = Run({"--mailbox", dir_.linuxPath("mailbox.json"), "export-contacts", "--to", dir_.linux(),
             "--folder", "\\\\Personal Folders\\Calendar"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("the contact folders are: \\\\Personal Folders\\Contacts, "
                         "\\\\Personal Folders\\Clients\n"),
            std::string::npos)
      << run.err;
}

TEST_F(HostRefusalTest, FailedSaveSaysTheFileWasLeftAndPrintsNoResult) {
  std::filesystem::create_directories(dir_.linuxPath("mailbox.json.new/blocked"));
  const HostRun run = Import({}, true);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot write " + dir_.linuxPath("mailbox.json")), std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("the mailbox file was left as it was"), std::string::npos) << run.err;
  EXPECT_EQ(run.out.find("result:"), std::string::npos) << run.out;
  EXPECT_EQ(dir_.read("mailbox.json"), kMailbox);
}

}  // namespace
}  // namespace kelvra::test
