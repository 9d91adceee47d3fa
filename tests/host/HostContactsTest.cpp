// The contact wizards end to end through kelvra-host: the demo mailbox exported in both
// vCard versions and imported into an empty mailbox.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>

#include "HostProcess.h"
#include "support/TempDir.h"
#include "testkit/Store.h"

namespace kelvra::test {
namespace {

// The fields every contact of the demo mailbox brings back from a file.
const char* const kFields[] = {"FirstName",       "LastName",
                               "CompanyName",     "JobTitle",
                               "Email1Address",   "BusinessTelephoneNumber",
                               "HomeAddressCity", "BusinessAddressStreet"};

using Contacts = std::map<std::string, std::map<std::string, std::string>>;

class HostContactsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Run({"register"}).status, 0);
    // The standard empty mailbox: the demo's folders, no items.
    testkit::ResetMailbox();
    testkit::SaveMailboxFile(dir_.linuxPath("empty.json"));
  }
  void TearDown() override { testkit::ResetMailbox(); }

  HostRun Run(std::vector<std::string> arguments) {
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
  static std::string WindowsPath(const std::string& linuxPath) {
    std::string path = "Z:" + linuxPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
  }
  static std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static std::size_t FilesIn(const std::string& folder) {
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      count += entry.path().extension() == ".vcf";
    return count;
  }
  // The contacts of a mailbox file by FullName, with the compared fields.
  static Contacts ContactsOf(const std::string& mailbox) {
    testkit::LoadMailboxFile(mailbox);
    Contacts contacts;
    for (const auto& item : testkit::FindFolder("Personal Folders/Contacts")->Items()) {
      if (testkit::Utf8(item->MessageClass()) != "IPM.Contact") continue;
      auto& fields = contacts[testkit::Text(item, "FullName")];
      for (const char* field : kFields) fields[field] = testkit::Text(item, field);
    }
    return contacts;
  }

  static void ExpectSameContacts(const Contacts& actual, const Contacts& expected) {
    EXPECT_EQ(actual.size(), expected.size());
    for (const auto& [name, fields] : expected) {
      auto found = actual.find(name);
      if (found == actual.end()) {
        ADD_FAILURE() << "missing contact " << name;
        continue;
      }
      for (const auto& [field, value] : fields) {
        // An Exchange address goes out as its SMTP address where the address book has one.
        if (field == "Email1Address" && value.rfind("/o=", 0) == 0) continue;
        EXPECT_EQ(found->second.at(field), value) << name << " " << field;
      }
    }
  }

  TempDir dir_;
};

TEST_F(HostContactsTest, BothVersionsComeBackWholeAndTwiceImportedSkipsAll) {
  const Contacts demo = ContactsOf(KELVRA_SOURCE_DIR "/resources/demo-mailbox.json");
  ASSERT_GE(demo.size(), 5u);
  const std::string n = std::to_string(demo.size());
  for (const std::string format : {"21", "30"}) {
    SCOPED_TRACE("vCard " + format);
    const std::string out = Folder("out" + format);
    HostRun exported =
        Run({"export-contacts", "--to", out, "--format", format, "--file-per-contact"});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(ResultOf(exported),
              "result: selected=" + n + " exported=" + n + " failed=0 skipped=0");
    EXPECT_EQ(FilesIn(out), demo.size());

    const std::string mailbox = dir_.linuxPath("import" + format + ".json");
    std::filesystem::copy_file(dir_.linuxPath("empty.json"), mailbox);
    HostRun imported = Run({"--mailbox", mailbox, "--save", "import-contacts", "--from", out});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(ResultOf(imported),
              "result: files=" + n + " contacts=" + n + " imported=" + n + " failed=0 skipped=0");
    ExpectSameContacts(ContactsOf(mailbox), demo);

    HostRun again =
        Run({"--mailbox", mailbox, "--save", "import-contacts", "--from", out, "--conflict", "0"});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(ResultOf(again),
              "result: files=" + n + " contacts=" + n + " imported=0 failed=0 skipped=" + n);
    EXPECT_EQ(ContactsOf(mailbox).size(), demo.size());
  }
}

TEST_F(HostContactsTest, CommandBarsOfOlderOutlookRunTheSameWizards) {
  const std::string out = Folder("out");
  HostRun exported =
      Run({"--outlook", "12.0.0.6423", "export-contacts", "--to", out, "--one-file"});
  ASSERT_EQ(exported.status, 0) << exported.err;
  EXPECT_TRUE(std::regex_match(
      ResultOf(exported), std::regex("result: selected=(\\d+) exported=\\1 failed=0 skipped=0")))
      << exported.out;
  ASSERT_EQ(FilesIn(out), 1u);

  HostRun imported = Run({"--outlook", "11.0.0.5510", "--mailbox", dir_.linuxPath("empty.json"),
                          "import-contacts", "--from", out + "/Contacts.vcf", "--conflict", "2"});
  ASSERT_EQ(imported.status, 0) << imported.err;
  EXPECT_TRUE(std::regex_match(
      ResultOf(imported),
      std::regex("result: files=1 contacts=(\\d+) imported=\\1 failed=0 skipped=0")))
      << imported.out;
}

TEST_F(HostContactsTest, PageThatRefusesItsAnswersEndsTheWizardCancelled) {
  HostRun run =
      Run({"export-contacts", "--to", Folder("out"), "--folder", "\\\\Personal Folders\\Calendar"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Calendar"), std::string::npos) << run.err;
  EXPECT_EQ(run.out.find("result:"), std::string::npos) << run.out;
  EXPECT_EQ(FilesIn(dir_.linuxPath("out")), 0u);
}

TEST_F(HostContactsTest, SelectedContactsOfTheChosenFolderAreExported) {
  HostRun run = Run({"export-contacts", "--to", Folder("out"), "--folder",
                     "//personal folders/contacts", "--selected", "--encoding", "windows-1252"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(std::regex_match(ResultOf(run),
                               std::regex("result: selected=\\d+ exported=[1-9]\\d* failed=0 .*")))
      << run.out;
}

TEST_F(HostContactsTest, MessageBoxesOfTheRunArePrintedWithoutVerbose) {
  HostRun run = Run({"import-contacts", "--from", Folder("nothing")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("kelvra-host: message: No vCard files (*.vcf) were found to import.\n"),
            std::string::npos)
      << run.err;
}

TEST_F(HostContactsTest, FailuresAndFilesWithoutCardsAreReported) {
  const std::string in = Folder("in");
  const std::string card = "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lee;Ann\r\nEND:VCARD\r\n";
  std::ofstream(in + "/a.vcf", std::ios::binary) << card;
  // A truncated file: its second card has no END:VCARD.
  std::ofstream(in + "/b.vcf", std::ios::binary) << "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Kim;Bo\r\nEND:"
                                                    "VCARD\r\nBEGIN:VCARD\r\nVERSION:2.1\r\nN:Ki";
  std::ofstream(in + "/c.vcf", std::ios::binary) << "Name: Ann Lee\r\n";
  std::ofstream(in + "/notes.txt", std::ios::binary) << "no card";
  const std::string mailbox = dir_.linuxPath("mailbox.json");
  std::filesystem::copy_file(dir_.linuxPath("empty.json"), mailbox);
  HostRun run =
      Run({"--mailbox", mailbox, "import-contacts", "--from", in, "--from", in + "/notes.txt"});
  EXPECT_EQ(run.status, 4) << run.err;
  EXPECT_EQ(ResultOf(run), "result: files=4 contacts=3 imported=2 failed=1 skipped=0");
  const std::regex failed(
      "kelvra-host: 1 contact failed; the add-in's log: (.*KelvraAddin\\.log)\n");
  std::smatch match;
  ASSERT_TRUE(std::regex_search(run.err, match, failed)) << run.err;
  EXPECT_TRUE(std::filesystem::exists(match[1].str())) << match[1];
  EXPECT_NE(run.err.find("kelvra-host: " + in + "/c.vcf holds no card\n"), std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("kelvra-host: " + in + "/notes.txt holds no card\n"), std::string::npos)
      << run.err;
  EXPECT_EQ(run.err.find("a.vcf holds"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("b.vcf holds"), std::string::npos) << run.err;
}

TEST_F(HostContactsTest, VerboseShowsTheAddInsWarningsOfTheRun) {
  const std::string in = Folder("in");
  std::ofstream(in + "/ann.vcf", std::ios::binary)
      << "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann Lee\r\nN:Lee;Ann;;;\r\nEMAIL:a@x.org\r\n"
         "EMAIL:b@x.org\r\nEMAIL:c@x.org\r\nEMAIL:d@x.org\r\nEND:VCARD\r\n";
  const std::string mailbox = dir_.linuxPath("mailbox.json");
  std::filesystem::copy_file(dir_.linuxPath("empty.json"), mailbox);
  const std::string dropped = "EMAIL:d@x.org of card(Ann Lee)";
  HostRun quiet = Run({"--mailbox", mailbox, "import-contacts", "--from", in});
  ASSERT_EQ(quiet.status, 0) << quiet.err;
  EXPECT_EQ(quiet.out.find(dropped), std::string::npos) << quiet.out;
  HostRun verbose =
      Run({"--mailbox", mailbox, "-v", "import-contacts", "--from", in, "--conflict", "0"});
  ASSERT_EQ(verbose.status, 0) << verbose.err;
  // Only this run's warnings: the first run's line is in the file already.
  const std::vector<std::string> lines = Lines(verbose.out);
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [&](const std::string& line) {
                            return line.rfind("log: ", 0) == 0 &&
                                   line.find(dropped) != std::string::npos;
                          }),
            1)
      << verbose.out;
}

TEST_F(HostContactsTest, VerboseShowsWhatTheAnswersChangedAsEachDialogCloses) {
  const std::string out = Folder("out");
  HostRun run = Run({"-v", "export-contacts", "--to", out, "--format", "30", "--one-file"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("dialog 225 \"Kelvra - Export options\" closes\n"
                         "  244 radio [ ] \"vCard 2.1 (Recommended)\"\n"
                         "  245 radio [x] \"vCard 3.0\"\n"
                         "dialog 224 \"Kelvra - Export contacts to files\" closes\n"
                         "  229 edit \"" +
                         WindowsPath(out) + "\"\n"),
            std::string::npos)
      << run.out;
}

TEST_F(HostContactsTest, EachExportWritesTheFormatItWasGiven) {
  // The options page keeps the last choice in the root's registry: every run must
  // still write the version it asks for.
  int run = 0;
  for (const std::string format : {"30", "21", "30", "21"}) {
    SCOPED_TRACE("run " + std::to_string(++run) + ", vCard " + format);
    const std::string out = Folder("out" + std::to_string(run));
    HostRun exported = Run({"export-contacts", "--to", out, "--format", format, "--one-file"});
    ASSERT_EQ(exported.status, 0) << exported.err;
    const std::string text = ReadText(out + "/Contacts.vcf");
    const std::string version = format == "30" ? "3.0" : "2.1";
    const std::string other = format == "30" ? "2.1" : "3.0";
    EXPECT_NE(text.find("\r\nVERSION:" + version + "\r\n"), std::string::npos);
    EXPECT_EQ(text.find("VERSION:" + other), std::string::npos);
  }
}

}  // namespace
}  // namespace kelvra::test
