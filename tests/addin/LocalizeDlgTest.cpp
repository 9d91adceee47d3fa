// Localising a dialog and its controls from the language file.
#include <gtest/gtest.h>

#include "AddinTestSupport.h"
#include "addin/CLang.h"
#include "support/TempDir.h"
#include "testkit/Windows.h"

namespace {

using kelvra::test::LogWatch;
using kelvra::test::TempDir;

enum : int { kLabel = 101, kEdit = 102, kButton = 103, kCheck = 104, kRuntime = 105, kGone = 199 };

class LocalizeDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dlg_ = testkit::CreateTestDialog(
        {
            {kLabel, "old label", RECT{10, 20, 110, 40}, 0, true},
            {kEdit, "old edit", RECT{10, 50, 210, 70}, 0, true},
            {kButton, "old button", RECT{10, 80, 90, 100}, BS_MULTILINE | 0x1, true},
            {kCheck, "old check", RECT{10, 110, 90, 130}, 0, false},
            {kRuntime, "old runtime", RECT{10, 140, 90, 160}, BS_MULTILINE, true},
        },
        RECT{200, 100, 600, 400}, "old caption");
  }
  void TearDown() override { testkit::DestroyTestWindow(dlg_); }

  void load(const std::string& section) {
    dir_.write("lang.ini",
               "[version]\r\nsignature=Ostrane.LangIniFile\r\nlang=English\r\n"
               "langid=EN\r\n\r\n[Kelvra.dll.IDD_TEST]\r\n" +
                   section);
    ASSERT_TRUE(lang_.LoadFile(dir_.windowsPath("lang.ini").c_str(), "Kelvra.dll"));
  }

  void localize(const std::vector<LocalizeRecord>& records, UINT option = 0,
                const char* section = "IDD_TEST") {
    lang_.LocalizeDlg(dlg_, static_cast<int>(records.size()), records.data(), section, option);
  }

  HWND item(int id) const { return GetDlgItem(dlg_, id); }

  TempDir dir_;
  CLang lang_;
  HWND dlg_ = nullptr;
};

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// --- Texts -------------------------------------------------------------------------------

using LocalizeTextTest = LocalizeDlgTest;

TEST_F(LocalizeTextTest, CaptionAndControlTextsAreSetAndTrimmed) {
  load("CAPTION=  Export contacts \r\nIDC_LBL=\"  Folder:\t\"\r\nIDC_BTN.CAPTION=Browse...\r\n");
  LogWatch watch;
  localize({{LOCALIZE_LABEL, kLabel, "IDC_LBL", 0}, {LOCALIZE_BUTTON, kButton, "IDC_BTN", 0}});
  EXPECT_EQ(testkit::WindowText(dlg_), "Export contacts");
  EXPECT_EQ(testkit::WindowText(item(kLabel)), "Folder:");
  EXPECT_EQ(testkit::WindowText(item(kButton)), "Browse...");
  EXPECT_EQ(watch.Log(), "");
}

TEST_F(LocalizeTextTest, TheKeyItselfWinsOverItsCaptionForm) {
  load("IDC_LBL=plain\r\nIDC_LBL.CAPTION=caption form\r\nCAPTION=T\r\n");
  localize({{LOCALIZE_LABEL, kLabel, "IDC_LBL", 0}});
  EXPECT_EQ(testkit::WindowText(item(kLabel)), "plain");
}

TEST_F(LocalizeTextTest, EscapesInTextsAreResolved) {
  load("CAPTION=T\r\nIDC_BTN=two\\nlines\r\n");
  localize({{LOCALIZE_BUTTON, kButton, "IDC_BTN", 0}});
  EXPECT_EQ(testkit::WindowText(item(kButton)), "two\nlines");
}

TEST_F(LocalizeTextTest, AMissingLabelTextEmptiesTheControlAndWarns) {
  load("CAPTION=T\r\n");
  LogWatch watch;
  localize({{LOCALIZE_LABEL, kLabel, "IDC_LBL", 0}});
  EXPECT_EQ(testkit::WindowText(item(kLabel)), "");
  EXPECT_NE(watch.Err().find(" War[0] in CLang::LocalizeDlgCtrl: CAPTION is empty or not exists "
                             "for lang.ini::IDD_TEST\\IDC_LBL\r\n"),
            std::string::npos)
      << watch.Err();
}

TEST_F(LocalizeTextTest, AnEmptyAfterTrimmingTextWarnsToo) {
  load("CAPTION=T\r\nIDC_CHK=\"   \"\r\n");
  LogWatch watch;
  localize({{LOCALIZE_CHECKBOX, kCheck, "IDC_CHK", 0}});
  EXPECT_EQ(testkit::WindowText(item(kCheck)), "");
  EXPECT_NE(watch.Log().find("for lang.ini::IDD_TEST\\IDC_CHK"), std::string::npos);
}

TEST_F(LocalizeTextTest, PageFilledKindsAndRuntimeTextsAreNotReported) {
  load("CAPTION=T\r\n");
  LogWatch watch;
  localize({{LOCALIZE_EDIT, kEdit, "IDC_EDIT", 0},
            {2, kCheck, "IDC_KIND2", 0},
            {LOCALIZE_DATETIME, kButton, "IDC_DATE", 0},
            {LOCALIZE_LABEL, kRuntime, "IDC_RUNTIME", LOCALIZE_RUNTIME_TEXT}});
  EXPECT_EQ(testkit::WindowText(item(kEdit)), "");
  EXPECT_EQ(testkit::WindowText(item(kRuntime)), "");
  EXPECT_EQ(watch.Log(), "");
}

TEST_F(LocalizeTextTest, AMissingDialogCaptionWarnsWithoutAKeyUnlessTheOptionSaysSo) {
  load("IDC_LBL=x\r\n");
  LogWatch watch;
  localize({});
  EXPECT_EQ(testkit::WindowText(dlg_), "");
  EXPECT_NE(watch.Log().find("CAPTION is empty or not exists for lang.ini::IDD_TEST\r\n"),
            std::string::npos)
      << watch.Log();
  LogWatch quiet;
  localize({}, LOCALIZE_RUNTIME_TEXT);
  EXPECT_EQ(quiet.Log(), "");
}

TEST_F(LocalizeTextTest, TheDialogFallsBackToItsCaptionForm) {
  load(".CAPTION=Fallback title\r\n");
  localize({});
  EXPECT_EQ(testkit::WindowText(dlg_), "Fallback title");
}

// --- Layout, visibility and style ----------------------------------------------------

using LocalizeLayoutTest = LocalizeDlgTest;

TEST_F(LocalizeLayoutTest, DeltasMoveAndResizeAControlInClientCoordinates) {
  load("CAPTION=T\r\nIDC_EDIT=x\r\nIDC_EDIT.DLEFT=5\r\nIDC_EDIT.DWIDTH=-10\r\n");
  localize({{LOCALIZE_EDIT, kEdit, "IDC_EDIT", 0}});
  RECT r = testkit::WindowRect(item(kEdit));
  EXPECT_TRUE(SameRect(r, RECT{15, 50, 205, 70}))
      << r.left << "," << r.top << "," << r.right << "," << r.bottom;
}

TEST_F(LocalizeLayoutTest, TopAndHeightDeltasAddUp) {
  load("CAPTION=T\r\nIDC_LBL=x\r\nIDC_LBL.DTOP=3 + 2\r\nIDC_LBL.DHEIGHT=-4\r\n");
  localize({{LOCALIZE_LABEL, kLabel, "IDC_LBL", 0}});
  EXPECT_TRUE(SameRect(testkit::WindowRect(item(kLabel)), RECT{10, 25, 110, 41}));
}

TEST_F(LocalizeLayoutTest, TheDialogItselfMovesOnTheScreen) {
  load("CAPTION=T\r\n.DWIDTH=40\r\n.DLEFT=-20\r\n");
  localize({});
  EXPECT_TRUE(SameRect(testkit::WindowRect(dlg_), RECT{180, 100, 620, 400}));
}

TEST_F(LocalizeLayoutTest, WithoutDeltasNothingMoves) {
  load("CAPTION=T\r\nIDC_LBL=x\r\nIDC_LBL.DLEFT=0\r\n");
  localize({{LOCALIZE_LABEL, kLabel, "IDC_LBL", 0}});
  EXPECT_TRUE(SameRect(testkit::WindowRect(item(kLabel)), RECT{10, 20, 110, 40}));
}

TEST_F(LocalizeLayoutTest, AnInvalidDeltaIsReportedAndIgnored) {
  load("CAPTION=T\r\nIDC_LBL=x\r\nIDC_LBL.DLEFT=1 1\r\n");
  LogWatch watch;
  localize({{LOCALIZE_LABEL, kLabel, "IDC_LBL", 0}});
  EXPECT_TRUE(SameRect(testkit::WindowRect(item(kLabel)), RECT{10, 20, 110, 40}));
  EXPECT_NE(watch.Err().find("Invalid value(1 1)"), std::string::npos);
}

TEST_F(LocalizeLayoutTest, VisibleHidesShowsOrLeavesAlone) {
  load(
      "CAPTION=T\r\nIDC_LBL=x\r\nIDC_LBL.VISIBLE=0\r\nIDC_CHK=y\r\nIDC_CHK.VISIBLE=2\r\n"
      "IDC_EDIT=z\r\n");
  localize({{LOCALIZE_LABEL, kLabel, "IDC_LBL", 0},
            {LOCALIZE_CHECKBOX, kCheck, "IDC_CHK", 0},
            {LOCALIZE_EDIT, kEdit, "IDC_EDIT", 0}});
  EXPECT_FALSE(testkit::WindowVisible(item(kLabel)));
  EXPECT_TRUE(testkit::WindowVisible(item(kCheck)));
  EXPECT_TRUE(testkit::WindowVisible(item(kEdit)));
}

TEST_F(LocalizeLayoutTest, MultiLineChangesOnlyButtonKinds) {
  load(
      "CAPTION=T\r\nIDC_BTN=x\r\nIDC_BTN.MULTILINE=0\r\nIDC_CHK=y\r\nIDC_CHK.MULTILINE=1\r\n"
      "IDC_RT.MULTILINE=0\r\n");
  localize({{LOCALIZE_BUTTON, kButton, "IDC_BTN", 0},
            {LOCALIZE_CHECKBOX, kCheck, "IDC_CHK", 0},
            {LOCALIZE_LABEL, kRuntime, "IDC_RT", LOCALIZE_RUNTIME_TEXT}});
  EXPECT_EQ(testkit::WindowStyle(item(kButton)), 0x1);
  EXPECT_EQ(testkit::WindowStyle(item(kCheck)), BS_MULTILINE);
  EXPECT_EQ(testkit::WindowStyle(item(kRuntime)), BS_MULTILINE);
}

TEST_F(LocalizeLayoutTest, AMissingMultiLineKeyKeepsTheStyle) {
  load("CAPTION=T\r\nIDC_BTN=x\r\n");
  localize({{LOCALIZE_BUTTON, kButton, "IDC_BTN", 0}});
  EXPECT_EQ(testkit::WindowStyle(item(kButton)), BS_MULTILINE | 0x1);
}

// --- Faulty tables ---------------------------------------------------------------------

using LocalizeTableTest = LocalizeDlgTest;

TEST_F(LocalizeTableTest, AnEmptyDialogSectionChangesNothing) {
  load("CAPTION=T\r\nIDC_LBL=x\r\n");
  LogWatch watch;
  localize({{LOCALIZE_LABEL, kLabel, "IDC_LBL", 0}}, 0, "");
  localize({{LOCALIZE_LABEL, kLabel, "IDC_LBL", 0}}, 0, nullptr);
  EXPECT_EQ(testkit::WindowText(dlg_), "old caption");
  EXPECT_EQ(testkit::WindowText(item(kLabel)), "old label");
  std::string err = watch.Err();
  size_t first = err.find(" Err[0] in CLang::LocalizeDlg: szDlgSection cant be empty\r\n");
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(err.find("szDlgSection cant be empty", first + 1), std::string::npos);
}

TEST_F(LocalizeTableTest, FaultyRecordsAreReportedAndTheRestIsStillDone) {
  load("CAPTION=T\r\nIDC_LBL=label\r\nIDC_BTN=button\r\n");
  LogWatch watch;
  localize({{LOCALIZE_LABEL, 0, "IDC_ZERO", 0},
            {LOCALIZE_LABEL, kLabel, "IDC_LBL", 0},
            {LOCALIZE_LABEL, kEdit, "", 0},
            {LOCALIZE_LABEL, kGone, "IDC_GONE", 0},
            {LOCALIZE_BUTTON, kButton, "IDC_BTN", 0}});
  EXPECT_EQ(testkit::WindowText(item(kLabel)), "label");
  EXPECT_EQ(testkit::WindowText(item(kButton)), "button");
  EXPECT_EQ(testkit::WindowText(item(kEdit)), "old edit");
  std::string err = watch.Err();
  size_t first =
      err.find("in CLang::LocalizeDlg: arControl[i].ID & arControl[i].Key cant be empty");
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(err.find("arControl[i].ID & arControl[i].Key cant be empty", first + 1),
            std::string::npos);
  EXPECT_NE(err.find(" Err[0] in CLang::LocalizeDlg: Control(IDD_TEST\\IDC_GONE) is not exists "
                     "in dialog\r\n"),
            std::string::npos);
}

}  // namespace
