// The add-in inside kelvra-host: registration kept in the saved registry, the ribbon,
// the Kelvra application's commands and the dialogs they open.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "HostProcess.h"
#include "support/TempDir.h"
#include "testkit/Registry.h"

namespace kelvra::test {
namespace {

class HostAddInTest : public ::testing::Test {
 protected:
  void TearDown() override { testkit::ResetRegistry(); }

  HostRun Run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--root", dir_.linuxPath("root")});
    return RunKelvraHost(arguments, dir_.linux());
  }
  // The registry the host saved, loaded into this process.
  void LoadSavedRegistry() {
    testkit::ResetRegistry();
    ASSERT_TRUE(testkit::LoadRegistry(dir_.linuxPath("root/registry.txt")));
  }
  static bool HasLine(const HostRun& run, const std::string& line) {
    std::vector<std::string> lines = Lines(run.out);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  std::string WriteAnswers(const std::string& text) {
    dir_.write("answers.txt", text);
    return dir_.linuxPath("answers.txt");
  }

  TempDir dir_;
};

TEST_F(HostAddInTest, RegisterAndUnregisterChangeTheSavedRegistry) {
  ASSERT_EQ(Run({"register"}).status, 0);
  LoadSavedRegistry();
  std::optional<std::string> clsid =
      testkit::ReadString(HKEY_CLASSES_ROOT, "Kelvra.Connect\\CLSID", "");
  ASSERT_TRUE(clsid);
  EXPECT_EQ(testkit::ReadString(HKEY_CLASSES_ROOT, "Kelvra.Connect.1", ""), "Connect Class");
  std::optional<std::string> server =
      testkit::ReadString(HKEY_CLASSES_ROOT, "CLSID\\" + *clsid + "\\InprocServer32", "");
  ASSERT_TRUE(server);
  EXPECT_NE(server->find("Kelvra.dll"), std::string::npos) << *server;

  ASSERT_EQ(Run({"unregister"}).status, 0);
  LoadSavedRegistry();
  EXPECT_FALSE(testkit::KeyExists(HKEY_CLASSES_ROOT, "CLSID\\" + *clsid));
}

TEST_F(HostAddInTest, ActionsNeedTheRegisteredAddIn) {
  HostRun run = Run({"ribbon", "Ostrane.Kelvra.btnSyncAll"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("register"), std::string::npos) << run.err;
}

TEST_F(HostAddInTest, MailboxWithoutInboxStartsOnTheFirstFolderOfTheStore) {
  ASSERT_EQ(Run({"register"}).status, 0);
  dir_.write(
      "no-inbox.json",
      "{\"stores\":[{\"name\":\"Personal Folders\",\"folders\":[{\"name\":\"Contacts\","
      "\"defaultItemType\":2,\"items\":[{\"FirstName\":\"Anna\",\"LastName\":\"Berg\"}]}]}]}");
  HostRun sync =
      Run({"--mailbox", dir_.linuxPath("no-inbox.json"), "ribbon", "Ostrane.Kelvra.btnSyncAll"});
  EXPECT_EQ(sync.status, 0) << sync.err;
  EXPECT_TRUE(HasLine(sync, "app: SyncAll")) << sync.out;
}

TEST_F(HostAddInTest, OutlookCallsThatFailAtStartUpAreNamed) {
  ASSERT_EQ(Run({"register"}).status, 0);
  dir_.write("no-folders.json", "{\"stores\":[{\"name\":\"Personal Folders\"}]}");
  HostRun empty =
      Run({"--mailbox", dir_.linuxPath("no-folders.json"), "ribbon", "Ostrane.Kelvra.btnSyncAll"});
  EXPECT_EQ(empty.status, 1);
  EXPECT_TRUE(std::regex_search(
      empty.err, std::regex("kelvra-host: Outlook call MAPIFolder\\.Folders\\.Item\\(1\\) "
                            "failed: 0x[0-9A-F]{8}\n")))
      << empty.err;
  dir_.write("mail-only.json",
             "{\"stores\":[{\"name\":\"Personal Folders\",\"folders\":[{\"name\":\"Inbox\"}]}]}");
  HostRun selected = Run({"--mailbox", dir_.linuxPath("mail-only.json"), "export-contacts", "--to",
                          dir_.linux(), "--selected"});
  EXPECT_EQ(selected.status, 1);
  EXPECT_NE(
      selected.err.find("kelvra-host: Outlook call Namespace.GetDefaultFolder(10) failed: 0x"),
      std::string::npos)
      << selected.err;
}

TEST_F(HostAddInTest, RibbonButtonsReachTheKelvraApplication) {
  ASSERT_EQ(Run({"register"}).status, 0);
  HostRun sync = Run({"ribbon", "Ostrane.Kelvra.btnSyncAll"});
  EXPECT_EQ(sync.status, 0) << sync.err;
  EXPECT_EQ(Lines(sync.out), (std::vector<std::string>{"app: ShowForm,Welcome", "app: SyncAll"}));
  // The command line may spell an id in any case.
  EXPECT_TRUE(HasLine(Run({"ribbon", "ostrane.kelvra.btnopenkelvra"}), "app: ShowForm,Main"));

  HostRun unknown = Run({"ribbon", "Ostrane.Kelvra.btnNothing"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("btnNothing"), std::string::npos);
}

TEST_F(HostAddInTest, RibbonIsAskedForOnceTheAddInChoseItsLanguage) {
  ASSERT_EQ(Run({"register"}).status, 0);
  // GetCustomUI comes after OnConnection: the tab shows the language file's label.
  HostRun run = Run({"-v", "ribbon", "Ostrane.Kelvra.btnSyncAll"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(HasLine(run, "ribbon x:Ostrane.ExportImport.tab \"Kelvra\"")) << run.out;
  EXPECT_TRUE(HasLine(run, "ribbon Ostrane.Kelvra.btnSyncAll \"Synchronize All\"")) << run.out;
}

TEST_F(HostAddInTest, OlderOutlookHasCommandBarsInsteadOfTheRibbon) {
  ASSERT_EQ(Run({"register"}).status, 0);
  HostRun sync = Run({"--outlook", "12.0.0.6423", "-v", "button", "SyncAll"});
  EXPECT_EQ(sync.status, 0) << sync.err;
  EXPECT_TRUE(HasLine(sync, "app: SyncAll")) << sync.out;
  EXPECT_NE(sync.out.find("parameter=\"ExportC\""), std::string::npos)
      << sync.out;  // the bars, under -v

  EXPECT_EQ(Run({"--outlook", "12.0.0.6423", "ribbon", "Ostrane.Kelvra.btnSyncAll"}).status, 2);
  EXPECT_EQ(Run({"button", "SyncAll"}).status, 2);  // Outlook 2010: no add-in controls on the bars
  EXPECT_EQ(Run({"--outlook", "9.0.0.2416", "button", "NoSuchParameter"}).status, 2);
}

TEST_F(HostAddInTest, ProfileItemsOfTheDynamicMenuCanBePressed) {
  ASSERT_EQ(Run({"register"}).status, 0);
  // The Kelvra application keeps its profiles in the user's registry.
  LoadSavedRegistry();
  testkit::WriteString(HKEY_CURRENT_USER, "Software\\Ostrane\\Kelvra\\Profiles\\P1", "Key", "k1");
  testkit::WriteString(HKEY_CURRENT_USER, "Software\\Ostrane\\Kelvra\\Profiles\\P1", "Name",
                       "Laptop");
  ASSERT_TRUE(testkit::SaveRegistry(dir_.linuxPath("root/registry.txt")));
  HostRun run = Run({"ribbon", "Ostrane.Kelvra.btnRunProfile.k1"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(HasLine(run, "app: Sync,k1")) << run.out;
}

TEST_F(HostAddInTest, VerboseRibbonListingHoldsTheProfileItems) {
  ASSERT_EQ(Run({"register"}).status, 0);
  LoadSavedRegistry();
  testkit::WriteString(HKEY_CURRENT_USER, "Software\\Ostrane\\Kelvra\\Profiles\\P1", "Key", "k1");
  testkit::WriteString(HKEY_CURRENT_USER, "Software\\Ostrane\\Kelvra\\Profiles\\P1", "Name",
                       "Laptop");
  ASSERT_TRUE(testkit::SaveRegistry(dir_.linuxPath("root/registry.txt")));
  HostRun run = Run({"-v", "ribbon", "Ostrane.Kelvra.btnSyncAll"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(HasLine(run, "ribbon Ostrane.Kelvra.btnRunProfile.k1 \"Laptop\"")) << run.out;
}

TEST_F(HostAddInTest, ApplicationCommandOpensTheActionChoice) {
  ASSERT_EQ(Run({"register"}).status, 0);
  HostRun unanswered = Run({"app-command", "ShowForm,SelectAction"});
  EXPECT_EQ(unanswered.status, 1);
  EXPECT_NE(unanswered.err.find("dialog 273 has no answer"), std::string::npos) << unanswered.err;

  HostRun cancelled = Run({"-v", "--answers", WriteAnswers("dialog 273: escape\n"), "app-command",
                           "ShowForm,SelectAction"});
  EXPECT_EQ(cancelled.status, 0) << cancelled.err;
  EXPECT_NE(cancelled.out.find("dialog 273 "), std::string::npos) << cancelled.out;
}

TEST_F(HostAddInTest, ActionChoiceOpensTheChosenWizard) {
  ASSERT_EQ(Run({"register"}).status, 0);
  HostRun run = Run({"-v", "--answers",
                     WriteAnswers("# export contacts, then give up on its first page\n"
                                  "dialog 273: click 373\n"
                                  "dialog 224: escape\n"),
                     "app-command", "ShowForm,SelectAction"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("dialog 224 "), std::string::npos) << run.out;
}

TEST_F(HostAddInTest, AnswerThatCannotBeDoneIsReported) {
  ASSERT_EQ(Run({"register"}).status, 0);
  HostRun run = Run({"--answers", WriteAnswers("dialog 273: click 9999\n"), "app-command",
                     "ShowForm,SelectAction"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot click 9999"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("stayed open"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace kelvra::test
