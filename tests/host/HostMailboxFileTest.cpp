// The mailbox file kelvra-host saves, read as docs/mailbox-format.md documents it: what
// an import stores is in the file as the object model's properties, and what a file
// held comes back with its keys.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "HostProcess.h"
#include "support/TempDir.h"

namespace kelvra::test {
namespace {

using nlohmann::json;

const std::vector<std::string> kClock = {"--timezone", "W. Europe Standard Time", "--now",
                                         "2024-03-15T09:30:00"};

// Keys the writer adds to what a file gave: the entry ids it made, the message class
// and FullName the object model derives, the members and arrays of a complete file and
// the pattern keys whose defaults a file may leave out.
const std::set<std::string> kAddedKeys = {
    "entryId",   "EntryID",        "MessageClass",    "FullName",    "folders",
    "items",     "addressBook",    "defaultItemType", "DayOfMonth",  "DayOfWeekMask",
    "Instance",  "MonthOfYear",    "Interval",        "Occurrences", "PatternEndDate",
    "NoEndDate", "RecurrenceType", "Duration",        "StartTime",   "PatternStartDate"};

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every object of `before` is in `after` with all its keys, and with none besides
// those the writer documents; where lists differ in length the common part is compared.
void ExpectKeysKept(const json& before, const json& after, const std::string& path) {
  if (before.is_object()) {
    ASSERT_TRUE(after.is_object()) << path;
    for (const auto& [key, value] : before.items()) {
      EXPECT_TRUE(after.contains(key)) << path << "/" << key << " was lost";
      if (after.contains(key)) ExpectKeysKept(value, after[key], path + "/" + key);
    }
    for (const auto& [key, value] : after.items())
      EXPECT_TRUE(before.contains(key) || kAddedKeys.count(key) != 0)
          << path << "/" << key << " was added";
  } else if (before.is_array() && after.is_array()) {
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i)
      ExpectKeysKept(before[i], after[i], path + "/" + std::to_string(i));
  }
}

class HostMailboxFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Run({"register"}).status, 0); }

  HostRun Run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), kClock.begin(), kClock.end());
    arguments.insert(arguments.begin(), {"--root", dir_.linuxPath("root")});
    return RunKelvraHost(arguments, dir_.linux());
  }
  json Read(const std::string& name) const { return json::parse(dir_.read(name)); }
  // The demo mailbox's calendar, by subject.
  static std::map<std::string, json> EventsOf(const json& mailbox) {
    std::map<std::string, json> events;
    for (const json& folder : mailbox["stores"][0]["folders"])
      if (folder["name"] == "Calendar")
        for (const json& item : folder["items"]) events[item["Subject"]] = item;
    return events;
  }

  TempDir dir_;
};

TEST_F(HostMailboxFileTest, ImportedAppointmentsHaveTheirTimesWhereTheFileDocumentsThem) {
  const std::string demo = KELVRA_SOURCE_DIR "/resources/demo-mailbox.json";
  const json source = json::parse(ReadText(demo));
  std::filesystem::create_directories(dir_.linuxPath("out"));
  ASSERT_EQ(Run({"export-calendar", "--to", dir_.linuxPath("out"), "--one-file"}).status, 0);
  // The demo's folders without their items: every event of the file is imported new.
  json empty = source;
  for (json& folder : empty["stores"][0]["folders"]) folder.erase("items");
  dir_.write("mailbox.json", empty.dump());
  const HostRun run = Run({"--mailbox", dir_.linuxPath("mailbox.json"), "--save", "import-calendar",
                           "--from", dir_.linuxPath("out")});
  ASSERT_EQ(run.status, 0) << run.err;

  const std::map<std::string, json> expected = EventsOf(source);
  const std::map<std::string, json> saved = EventsOf(Read("mailbox.json"));
  ASSERT_EQ(saved.size(), expected.size());
  for (const auto& [subject, event] : expected) {
    SCOPED_TRACE(subject);
    ASSERT_EQ(saved.count(subject), 1u);
    const json& item = saved.at(subject);
    // The demo gives an all-day event by its days; the file keeps the long form.
    auto longForm = [](const std::string& date) {
      return date.size() == 10 ? date + "T00:00:00" : date;
    };
    EXPECT_EQ(item.value("Start", ""), longForm(event["Start"]));
    EXPECT_EQ(item.value("End", ""), longForm(event["End"]));
    EXPECT_EQ(item.value("AllDayEvent", false), event.value("AllDayEvent", false));
  }
}

TEST_F(HostMailboxFileTest, ASavedDemoMailboxKeepsItsKeys) {
  const std::string demo = KELVRA_SOURCE_DIR "/resources/demo-mailbox.json";
  const json source = json::parse(ReadText(demo));
  dir_.write("mailbox.json", source.dump(2));
  // A card into the contacts makes the run save the mailbox; the rest stays as loaded.
  dir_.write("card.vcf", "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lee;Ann\r\nEND:VCARD\r\n");
  const HostRun run = Run({"--mailbox", dir_.linuxPath("mailbox.json"), "--save", "import-contacts",
                           "--from", dir_.linuxPath("card.vcf")});
  ASSERT_EQ(run.status, 0) << run.err;
  const json saved = Read("mailbox.json");
  ASSERT_NE(saved.dump(), source.dump());
  ExpectKeysKept(source, saved, "");
  EXPECT_EQ(EventsOf(saved).size(), EventsOf(source).size());
}

}  // namespace
}  // namespace kelvra::test
