// Dialog templates as the resource generator compiles them from a script.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/TempDir.h"

namespace {

class DialogScriptTest : public ::testing::Test {
 protected:
  bool Generate(const std::string& script) {
    dir.write("script.rc", script);
    std::string command = std::string("'") + KELVRA_RUNTIME_DIR + "/../tools/rcgen/rcgen' '" +
                          dir.linuxPath("script.rc") + "' Probe.dll '" + dir.linuxPath("out.cpp") +
                          "' 2> '" + dir.linuxPath("stderr.txt") + "'";
    int status = std::system(command.c_str());
    error = dir.read("stderr.txt");
    output = dir.exists("out.cpp") ? dir.read("out.cpp") : "";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  bool Has(const std::string& text) const { return output.find(text) != std::string::npos; }

  kelvra::test::TempDir dir;
  std::string output;
  std::string error;
};

TEST_F(DialogScriptTest, ControlsGetTheirStatementsDefaultStyleWithAdditionsAndRemovals) {
  ASSERT_TRUE(
      Generate("100 DIALOGEX 0, 0, 50, 40\n"
               "STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP\n"
               "CAPTION \"Cap\"\n"
               "FONT 8, \"MS Shell Dlg\", 400, 1, 0x1\n"
               "BEGIN\n"
               "  LTEXT \"hidden\",7,1,2,3,4,NOT WS_VISIBLE | SS_NOTIFY, WS_EX_STATICEDGE\n"
               "  PUSHBUTTON \"OK\",IDOK,5,6,7,8\n"
               "  EDITTEXT 9,1,1,10,10,ES_AUTOHSCROLL | NOT WS_BORDER\n"
               "  CONTROL 272,IDC_STATIC,\"Static\",SS_BITMAP,0,0,10,20\n"
               "  CONTROL \"\",11,\"msctls_progress32\",WS_BORDER,1,2,3,4\n"
               "END\n"))
      << error;
  EXPECT_TRUE(Has("{7, \"Static\"sv, \"hidden\"sv, 0, 0x40020100, 0x20000, 1, 2, 3, 4}")) << output;
  EXPECT_TRUE(Has("{1, \"Button\"sv, \"OK\"sv, 0, 0x50010000, 0x0, 5, 6, 7, 8}")) << output;
  EXPECT_TRUE(Has("{9, \"Edit\"sv, \"\"sv, 0, 0x50010080, 0x0, 1, 1, 10, 10}")) << output;
  EXPECT_TRUE(Has("{-1, \"Static\"sv, \"\"sv, 272, 0x5000000E, 0x0, 0, 0, 10, 20}")) << output;
  EXPECT_TRUE(Has("{11, \"msctls_progress32\"sv, \"\"sv, 0, 0x50800000")) << output;
  // CAPTION adds WS_CAPTION and FONT adds DS_SETFONT to the dialog's style.
  EXPECT_TRUE(
      Has("{100, 0x80C000C0, 0x0, 0, 0, 50, 40, \"Cap\"sv, \"MS Shell Dlg\"sv, 8, 400, 1, "
          "kDialog100Controls}"))
      << output;
  EXPECT_TRUE(Has(".dialogs = kDialogs,")) << output;
}

TEST_F(DialogScriptTest, IconsAndBitmapsAreNotedByIdOnly) {
  ASSERT_TRUE(
      Generate("#define IDI_A 280\n"
               "IDI_A ICON \"res\\\\a.ico\"\n"
               "272 BITMAP DISCARDABLE \"banner.bmp\"\n"
               "NAMED ICON \"named.ico\"\n"))
      << error;
  EXPECT_TRUE(Has("{kelvra::resources::ImageKind::kIcon, 280, \"res\\\\a.ico\"sv}")) << output;
  EXPECT_TRUE(Has("{kelvra::resources::ImageKind::kBitmap, 272, \"banner.bmp\"sv}")) << output;
  EXPECT_FALSE(Has("named.ico")) << output;
}

TEST_F(DialogScriptTest, FaultsInADialogAreReportedWithTheirLine) {
  EXPECT_FALSE(Generate("100 DIALOG 0, 0, 5, 5\nBEGIN\n  SLIDER \"x\",1,0,0,1,1\nEND\n"));
  EXPECT_NE(error.find("script.rc:3: error: unknown control statement 'SLIDER'"), std::string::npos)
      << error;
  EXPECT_FALSE(Generate("100 DIALOG 0, 0, 5, 5\nBEGIN\nEND\n100 DIALOG 0, 0, 5, 5\nBEGIN\nEND\n"));
  EXPECT_NE(error.find("script.rc:4: error: dialog 100 is defined twice"), std::string::npos)
      << error;
  EXPECT_FALSE(Generate("100 DIALOG 0, 0, 5, 5\nSTYLE WS_NOSUCH\nBEGIN\nEND\n"));
  EXPECT_NE(error.find("unknown symbol 'WS_NOSUCH'"), std::string::npos) << error;
}

}  // namespace
