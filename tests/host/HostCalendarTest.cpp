// The export-events wizard end to end through kelvra-host: the demo mailbox's calendar
// in both formats, one file and a file per event, against golden files; the filter
// options as the pages take them; what the pages cannot take.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>

#include "HostProcess.h"
#include "support/TempDir.h"
#include "testkit/Store.h"

namespace kelvra::test {
namespace {

const std::vector<std::string> kClock = {"--timezone", "W. Europe Standard Time", "--now",
                                         "2024-03-15T09:30:00"};

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// New appointments get a new id on every export: the ids are compared by their form.
std::string WithoutNewIds(const std::string& text) {
  static const std::regex id("UID:040000008200E00074C5B7101A82E008[0-9A-F]{80}");
  return std::regex_replace(text, id, "UID:<new id>");
}

class HostCalendarTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Run({"register"}).status, 0); }

  HostRun Run(std::vector<std::string> arguments, bool withClock = true) {
    if (withClock) arguments.insert(arguments.begin(), kClock.begin(), kClock.end());
    arguments.insert(arguments.begin(), {"--root", dir_.linuxPath("root")});
    return RunKelvraHost(arguments, dir_.linux());
  }
  std::string Folder(const std::string& name) {
    std::filesystem::create_directories(dir_.linuxPath(name));
    return dir_.linuxPath(name);
  }
  static std::string ResultOf(const HostRun& run) {
    std::vector<std::string> lines = Lines(run.out);
    return lines.empty() ? "" : lines.back();
  }
  static std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      names.insert(entry.path().filename().string());
    return names;
  }
  // Every file of the folder equals its golden twin, line by line.
  static void ExpectGolden(const std::string& folder, const std::string& golden) {
    const std::string goldenFolder = KELVRA_TEST_DATA_DIR "/calendar/host/" + golden;
    EXPECT_EQ(Names(folder), Names(goldenFolder));
    for (const std::string& name : Names(goldenFolder)) {
      const std::vector<std::string> expected =
          Lines(WithoutNewIds(ReadText(goldenFolder + "/" + name)));
      const std::vector<std::string> actual = Lines(WithoutNewIds(ReadText(folder + "/" + name)));
      EXPECT_EQ(actual, expected) << golden << "/" << name;
    }
  }

  TempDir dir_;
};

TEST_F(HostCalendarTest, TheDemoCalendarInBothFormatsMatchesTheGoldenFiles) {
  const struct {
    const char* name;
    const char* format;
    const char* files;
  } cases[] = {{"ics1", "20", "--one-file"},
               {"vcs1", "10", "--one-file"},
               {"icsn", "20", "--file-per-event"},
               {"vcsn", "10", "--file-per-event"}};
  for (const auto& each : cases) {
    const HostRun run =
        Run({"export-calendar", "--to", Folder(each.name), "--format", each.format, each.files});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ResultOf(run), "result: selected=4 exported=4 failed=0 skipped=0");
    ExpectGolden(dir_.linuxPath(each.name), each.name);
  }
}

TEST_F(HostCalendarTest, FilterOptionsGoThroughTheFilterPage) {
  // Company holiday is an all-day event; Dentist is private.
  HostRun run = Run({"export-calendar", "--to", Folder("a"), "--skip-all-day", "--skip-private"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ResultOf(run), "result: selected=4 exported=2 failed=0 skipped=2");
  // Dentist and an occurrence of both series lie in March; Company holiday does not.
  run = Run({"export-calendar", "--to", Folder("b"), "--between", "2024-03-01", "2024-03-31"});
  EXPECT_EQ(ResultOf(run), "result: selected=4 exported=3 failed=0 skipped=1");
  run = Run({"export-calendar", "--to", Folder("c"), "--include-categories", "holiday"});
  EXPECT_EQ(ResultOf(run), "result: selected=4 exported=1 failed=0 skipped=3");
  // Without filter options "Export All" takes everything, whatever the stored filter.
  run = Run({"export-calendar", "--to", Folder("d")});
  EXPECT_EQ(ResultOf(run), "result: selected=4 exported=4 failed=0 skipped=0");
}

TEST_F(HostCalendarTest, TheDateWindowTakesTheSeriesThatRunInIt) {
  // Both series began in January: the weekly one runs on, the monthly one has
  // occurrences until December.
  HostRun run = Run({"export-calendar", "--to", Folder("june"), "--file-per-event", "--between",
                     "2024-06-01", "2024-06-30"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ResultOf(run), "result: selected=4 exported=2 failed=0 skipped=2");
  EXPECT_EQ(Names(dir_.linuxPath("june")),
            (std::set<std::string>{"20240105140000_Monthly report.vcs",
                                   "20240108100000_Team meeting.vcs"}));
  // After the monthly series' last occurrence only the weekly one is left.
  run = Run({"export-calendar", "--to", Folder("next year"), "--file-per-event", "--between",
             "2025-01-01", "2025-01-31"});
  EXPECT_EQ(ResultOf(run), "result: selected=4 exported=1 failed=0 skipped=3");
  EXPECT_EQ(Names(dir_.linuxPath("next year")),
            std::set<std::string>{"20240108100000_Team meeting.vcs"});
}

TEST_F(HostCalendarTest, LabelsNeedAnOutlookThatKeepsThem) {
  HostRun run = Run({"export-calendar", "--to", Folder("a"), "--exclude-labels", "4,8"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("labels cannot be chosen"), std::string::npos) << run.err;
  run = Run({"--outlook", "11.0", "export-calendar", "--to", Folder("b"), "--include-labels", "3"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ResultOf(run), "result: selected=4 exported=0 failed=0 skipped=4");
}

TEST_F(HostCalendarTest, ExportedCalendarsComeBackAndASecondImportKeepsWhatIsThere) {
  testkit::ResetMailbox();
  testkit::SaveMailboxFile(dir_.linuxPath("empty.json"));
  for (const char* format : {"20", "10"}) {
    const std::string out = Folder(std::string("out") + format);
    ASSERT_EQ(Run({"export-calendar", "--to", out, "--format", format, "--one-file"}).status, 0);
    HostRun run = Run({"--mailbox", dir_.linuxPath("empty.json"), "--save", "import-calendar",
                       "--from", out, "--conflict", "2"});
    EXPECT_EQ(run.status, 0) << run.err;
    // The first format brings the four events; the second finds them all there.
    EXPECT_EQ(ResultOf(run), std::string(format) == "20"
                                 ? "result: files=1 events=4 imported=4 failed=0 skipped=0"
                                 : "result: files=1 events=4 imported=0 failed=0 skipped=4");
  }
  testkit::LoadMailboxFile(dir_.linuxPath("empty.json"));
  EXPECT_EQ(testkit::FindFolder("Personal Folders/Calendar")->Items().size(), 4u);
  testkit::ResetMailbox();
}

TEST_F(HostCalendarTest, AnImportWithFailedEventsExitsWithFour) {
  testkit::ResetMailbox();
  testkit::SaveMailboxFile(dir_.linuxPath("empty.json"));
  const std::string in = Folder("in");
  std::ofstream(in + "/mixed.ics", std::ios::binary)
      << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
         "BEGIN:VEVENT\r\nSUMMARY:No start\r\nEND:VEVENT\r\n"
         "BEGIN:VEVENT\r\nSUMMARY:Fine\r\nDTSTART:20240320T090000Z\r\nEND:VEVENT\r\n"
         "END:VCALENDAR\r\n";
  const HostRun run =
      Run({"--mailbox", dir_.linuxPath("empty.json"), "import-calendar", "--from", in});
  EXPECT_EQ(run.status, 4) << run.err;
  EXPECT_EQ(ResultOf(run), "result: files=1 events=2 imported=1 failed=1 skipped=0");
  EXPECT_NE(run.err.find("1 event failed"), std::string::npos) << run.err;
  testkit::ResetMailbox();
}

TEST_F(HostCalendarTest, FilesWithoutEventsAreNamed) {
  testkit::ResetMailbox();
  testkit::SaveMailboxFile(dir_.linuxPath("empty.json"));
  const std::string in = Folder("in");
  std::ofstream(in + "/a.ics", std::ios::binary)
      << "begin:vcalendar\r\nversion:2.0\r\nbegin:vevent\r\nsummary:Fine\r\n"
         "dtstart:20240320T090000Z\r\nend:vevent\r\nend:vcalendar\r\n";
  std::ofstream(in + "/b.ics", std::ios::binary) << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
  std::ofstream(in + "/c.vcs", std::ios::binary) << "BEGIN:VCARD\r\nN:Lee;Ann\r\nEND:VCARD\r\n";
  std::ofstream(in + "/d.vcs", std::ios::binary) << "";
  std::ofstream(in + "/notes.txt", std::ios::binary) << "no event";
  const HostRun run =
      Run({"--mailbox", dir_.linuxPath("empty.json"), "-v", "import-calendar", "--from", in});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ResultOf(run), "result: files=4 events=1 imported=1 failed=0 skipped=0");
  for (const char* file : {"b.ics", "c.vcs", "d.vcs"}) {
    EXPECT_NE(run.err.find("kelvra-host: " + in + "/" + file + " holds no calendar event\n"),
              std::string::npos)
        << run.err;
    // -v shows the add-in's own warning about the file too.
    EXPECT_NE(run.out.find(std::string(file) + ") holds no calendar event"), std::string::npos)
        << run.out;
  }
  EXPECT_EQ(run.err.find("a.ics holds"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("notes.txt"), std::string::npos) << run.err;
  testkit::ResetMailbox();
}

TEST_F(HostCalendarTest, BadClockZoneAndFormatAreUsageErrors) {
  EXPECT_EQ(Run({"--timezone", "Atlantis", "export-calendar", "--to", Folder("a")}, false).status,
            2);
  EXPECT_EQ(
      Run({"--now", "2024-13-01T00:00:00", "export-calendar", "--to", Folder("a")}, false).status,
      2);
  EXPECT_EQ(Run({"export-calendar", "--to", Folder("a"), "--format", "21"}).status, 2);
  EXPECT_EQ(Run({"export-calendar", "--to", Folder("a"), "--between", "2024-01-01"}).status, 2);
  // An IANA name maps to its Windows zone.
  EXPECT_EQ(
      Run({"--timezone", "Europe/Berlin", "export-calendar", "--to", Folder("b")}, false).status,
      0);
}

}  // namespace
}  // namespace kelvra::test
