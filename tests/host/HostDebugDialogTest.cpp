// The debug dialog through kelvra-host: --debug-button gives the command bars their
// DEBUG item, and the answers file drives the dialog and what it opens.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostProcess.h"
#include "support/TempDir.h"
#include "testkit/Registry.h"

namespace kelvra::test {
namespace {

class HostDebugDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Run({"register"}).status, 0); }
  void TearDown() override { testkit::ResetRegistry(); }

  HostRun Run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--root", dir_.linuxPath("root")});
    return RunKelvraHost(arguments, dir_.linux());
  }
  std::string WriteAnswers(const std::string& text) {
    dir_.write("answers.txt", text);
    return dir_.linuxPath("answers.txt");
  }
  static bool Printed(const HostRun& run, const std::string& text) {
    return run.out.find(text) != std::string::npos;
  }

  TempDir dir_;
};

TEST_F(HostDebugDialogTest, TheDebugItemExistsOnlyWithTheOption) {
  HostRun without = Run({"--outlook", "11.0", "button", "DEBUG"});
  EXPECT_EQ(without.status, 2);
  EXPECT_NE(without.err.find("no control DEBUG"), std::string::npos) << without.err;

  HostRun with = Run({"--outlook", "11.0", "--debug-button", "-v", "--answers",
                      WriteAnswers("dialog 132: click 2\n"), "button", "DEBUG"});
  EXPECT_EQ(with.status, 0) << with.err;
  EXPECT_TRUE(Printed(with, "caption=\"DEBUG\" tag=\"Ostrane.Kelvra.DEBUG\"")) << with.out;
  EXPECT_TRUE(Printed(with, "dialog 132 \"DEBUG Kelvra\"")) << with.out;

  // The value stays in the root's registry, as on a developer's machine.
  testkit::ResetRegistry();
  ASSERT_TRUE(testkit::LoadRegistry(dir_.linuxPath("root/registry.txt")));
  EXPECT_EQ(testkit::ReadDword(HKEY_CURRENT_USER, "Software\\Ostrane\\Kelvra", "DebugButton"), 1u);
  EXPECT_EQ(Run({"--outlook", "11.0", "--answers", WriteAnswers("dialog 132: click 2\n"), "button",
                 "DEBUG"})
                .status,
            0);
}

TEST_F(HostDebugDialogTest, AnswersShowOnePageAndCloseBoth) {
  HostRun run =
      Run({"--outlook", "11.0", "--debug-button", "-v", "--answers",
           WriteAnswers("dialog 132: select 221 IDD_VCARD_EXPORT_FINISH; click 389; click 2\n"
                        "dialog 227: click 2\n"),
           "button", "DEBUG"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Printed(run, "dialog 227 ")) << run.out;
  EXPECT_TRUE(Printed(run, "\"12\"")) << run.out;  // the sample count of the finish page
}

TEST_F(HostDebugDialogTest, AnswersCancelTheProgressDialogItOpens) {
  HostRun run =
      Run({"--outlook", "11.0", "--debug-button", "-v", "--answers",
           WriteAnswers("dialog 132: select 221 IDD_VCARD_IMPORT_PROGRESS; click 389; click 2\n"
                        "dialog 231: click 2\n"),
           "button", "DEBUG"});
  EXPECT_EQ(run.status, 0) << run.err;
  // The dialog took the Cancel: it waits for its run to stop.
  EXPECT_TRUE(Printed(run,
                      "dialog 231 \"Kelvra - Import contacts from files: Importing in "
                      "progress...\" closes\n  2 button \"Please wait...\"\n"))
      << run.out;
}

TEST_F(HostDebugDialogTest, AnUnansweredPageIsCancelledAndReported) {
  HostRun run = Run({"--outlook", "11.0", "--debug-button", "--answers",
                     WriteAnswers("dialog 132: select 221 IDD_EVENT_LABELS; click 389; click 2\n"),
                     "button", "DEBUG"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("dialog 270 has no answer"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace kelvra::test
