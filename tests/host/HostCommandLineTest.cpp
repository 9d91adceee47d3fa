// The host's command line as scripts use it: usage errors, the mailbox, the root folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "HostProcess.h"
#include "support/TempDir.h"
#include "testkit/Registry.h"
#include "testkit/ZoneList.h"

namespace kelvra::test {
namespace {

class HostCommandLineTest : public ::testing::Test {
 protected:
  HostRun Run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--root", dir_.linuxPath("root")});
    return RunKelvraHost(arguments, dir_.linux());
  }

  static void ExpectUsageError(const HostRun& run, const std::string& mention) {
    EXPECT_EQ(run.status, 2) << run.err;
    std::vector<std::string> lines = Lines(run.err);
    ASSERT_EQ(lines.size(), 1u) << run.err;
    EXPECT_EQ(lines[0].rfind("kelvra-host: ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(mention), std::string::npos) << lines[0];
    EXPECT_EQ(run.out, "");
  }

  TempDir dir_;
};

TEST_F(HostCommandLineTest, UsageErrorsExitWithTwoAndOneLine) {
  ExpectUsageError(Run({}), "no action");
  ExpectUsageError(Run({"--bogus", "register"}), "--bogus");
  ExpectUsageError(Run({"frobnicate"}), "frobnicate");
  ExpectUsageError(Run({"--mailbox"}), "--mailbox needs a value");
  ExpectUsageError(Run({"--save", "register"}), "--save");
  ExpectUsageError(Run({"--outlook", "8.0.0.1", "register"}), "--outlook");
  ExpectUsageError(Run({"--acp", "utf8", "register"}), "--acp");
  ExpectUsageError(Run({"register", "extra"}), "register takes no arguments");
  ExpectUsageError(Run({"ribbon"}), "ribbon takes one control");
  ExpectUsageError(Run({"app-command", "a", "b"}), "app-command takes one TEXT");
}

TEST_F(HostCommandLineTest, HelpPrintsTheUsageAndVersionTheAddInsVersion) {
  for (const char* option : {"--help", "-h"}) {
    SCOPED_TRACE(option);
    // Neither an action nor a root folder is needed.
    const HostRun run =
        RunKelvraHost({option}, dir_.linux(), {{"XDG_DATA_HOME", ""}, {"HOME", ""}});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.rfind("usage: kelvra-host [options] ACTION", 0), 0u) << run.out;
    for (const char* mention : {"export-contacts --to DIR", "import-contacts --from PATH",
                                "--version", "4 completed with failures"})
      EXPECT_NE(run.out.find(mention), std::string::npos) << mention;
  }
  const HostRun version = RunKelvraHost({"--version"}, dir_.linux());
  EXPECT_EQ(version.status, 0) << version.err;
  EXPECT_TRUE(std::regex_match(version.out, std::regex("Kelvra \\d+\\.\\d+\\.\\d+\\.\\d+\n")))
      << version.out;
}

TEST_F(HostCommandLineTest, WizardActionsCheckTheirOptions) {
  ExpectUsageError(Run({"export-contacts"}), "--to");
  ExpectUsageError(Run({"export-contacts", "--to", dir_.linuxPath("missing")}), "no such folder");
  ExpectUsageError(Run({"export-contacts", "--to", dir_.linux(), "--format", "22"}), "21 or 30");
  ExpectUsageError(Run({"export-contacts", "--to", dir_.linux(), "--encoding", "EBCDIC-42"}),
                   "EBCDIC-42");
  ExpectUsageError(
      Run({"export-contacts", "--to", dir_.linux(), "--one-file", "--file-per-contact"}),
      "exclude each other");
  ExpectUsageError(Run({"export-contacts", "--to", dir_.linux(), "--colour"}), "--colour");
  ExpectUsageError(Run({"import-contacts"}), "--from");
  ExpectUsageError(Run({"import-contacts", "--from", dir_.linuxPath("none.vcf")}), "none.vcf");
  ExpectUsageError(Run({"import-contacts", "--from", dir_.linux(), "--conflict", "3"}),
                   "0, 1 or 2");
  ExpectUsageError(Run({"import-contacts", "--from"}), "--from needs a value");
}

TEST_F(HostCommandLineTest, AnswersFileMustBeReadableAndWellFormed) {
  ExpectUsageError(Run({"--answers", dir_.linuxPath("none.txt"), "register"}), "cannot be read");
  dir_.write("answers.txt", "msgbox: IDOK\ndialog 273: wiggle 5\n");
  ExpectUsageError(Run({"--answers", dir_.linuxPath("answers.txt"), "register"}), "line 2");
}

TEST_F(HostCommandLineTest, UnreadableMailboxExitsWithThree) {
  HostRun missing = Run({"--mailbox", dir_.linuxPath("none.json"), "register"});
  EXPECT_EQ(missing.status, 3);
  EXPECT_NE(missing.err.find("none.json"), std::string::npos) << missing.err;
  dir_.write("bad.json", "{\"stores\": [{\"nmae\": \"x\"}]}");
  HostRun bad = Run({"--mailbox", dir_.linuxPath("bad.json"), "register"});
  EXPECT_EQ(bad.status, 3);
  EXPECT_EQ(Lines(bad.err).size(), 1u) << bad.err;
}

TEST_F(HostCommandLineTest, MailboxIsWrittenOnlyWithSaveAndOnlyWhenTheActionChangedIt) {
  const std::string compact =
      "{\"stores\":[{\"name\":\"Personal "
      "Folders\",\"folders\":[{\"name\":\"Inbox\"},{\"name\":\"Contacts\","
      "\"defaultItemType\":2,\"items\":[{\"FirstName\":\"Anna\",\"LastName\":\"Berg\"}]}]}]}";
  dir_.write("mailbox.json", compact);
  dir_.write("card.vcf", "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lee;Ann\r\nEND:VCARD\r\n");
  const std::string mailbox = dir_.linuxPath("mailbox.json");
  const std::string card = dir_.linuxPath("card.vcf");
  ASSERT_EQ(Run({"register"}).status, 0);
  ASSERT_EQ(Run({"--mailbox", mailbox, "--save", "register"}).status, 0);
  EXPECT_EQ(dir_.read("mailbox.json"), compact);
  // A cancelled run: the page does not take a folder that is not there.
  EXPECT_EQ(Run({"--mailbox", mailbox, "--save", "import-contacts", "--from", card, "--folder",
                 "//Personal Folders/None"})
                .status,
            1);
  EXPECT_EQ(dir_.read("mailbox.json"), compact);
  ASSERT_EQ(Run({"--mailbox", mailbox, "import-contacts", "--from", card}).status, 0);
  EXPECT_EQ(dir_.read("mailbox.json"), compact);

  ASSERT_EQ(Run({"--mailbox", mailbox, "--save", "import-contacts", "--from", card}).status, 0);
  const std::string saved = dir_.read("mailbox.json");
  EXPECT_NE(saved.find("\"Berg\""), std::string::npos);
  EXPECT_NE(saved.find("\"Lee\""), std::string::npos);
  const auto written = std::filesystem::last_write_time(mailbox);
  // The same card again is skipped: nothing changed, nothing is written.
  ASSERT_EQ(Run({"--mailbox", mailbox, "--save", "import-contacts", "--from", card}).status, 0);
  EXPECT_EQ(dir_.read("mailbox.json"), saved);
  EXPECT_EQ(std::filesystem::last_write_time(mailbox), written);
}

TEST_F(HostCommandLineTest, FailedSaveLeavesTheMailboxWhole) {
  const std::string compact =
      "{\"stores\":[{\"name\":\"Personal "
      "Folders\",\"folders\":[{\"name\":\"Inbox\"},{\"name\":\"Contacts\","
      "\"defaultItemType\":2}]}]}";
  dir_.write("mailbox.json", compact);
  dir_.write("card.vcf", "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lee;Ann\r\nEND:VCARD\r\n");
  ASSERT_EQ(Run({"register"}).status, 0);
  // Where the new content would go first stands a folder that cannot be written as a file.
  std::filesystem::create_directories(dir_.linuxPath("mailbox.json.new/blocked"));
  HostRun run = Run({"--mailbox", dir_.linuxPath("mailbox.json"), "--save", "import-contacts",
                     "--from", dir_.linuxPath("card.vcf")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot write"), std::string::npos) << run.err;
  EXPECT_EQ(dir_.read("mailbox.json"), compact);
}

TEST_F(HostCommandLineTest, RootDefaultsToTheDataHome) {
  ASSERT_EQ(
      RunKelvraHost({"register"}, dir_.linux(), {{"XDG_DATA_HOME", dir_.linuxPath("data")}}).status,
      0);
  EXPECT_TRUE(std::filesystem::exists(dir_.linuxPath("data/kelvra-host/registry.txt")));
  ASSERT_EQ(RunKelvraHost({"register"}, dir_.linux(),
                          {{"XDG_DATA_HOME", ""}, {"HOME", dir_.linuxPath("home")}})
                .status,
            0);
  EXPECT_TRUE(
      std::filesystem::exists(dir_.linuxPath("home/.local/share/kelvra-host/registry.txt")));
}

TEST_F(HostCommandLineTest, SavedRegistryHoldsTheZoneList) {
  ASSERT_EQ(Run({"register"}).status, 0);
  testkit::ResetRegistry();
  ASSERT_TRUE(testkit::LoadRegistry(dir_.linuxPath("root/registry.txt")));
  EXPECT_TRUE(testkit::ReadDword(HKEY_LOCAL_MACHINE,
                                 std::string(testkit::kTimeZonesKey) + "\\W. Europe Standard Time",
                                 "Index"));
  testkit::ResetRegistry();
}

}  // namespace
}  // namespace kelvra::test
