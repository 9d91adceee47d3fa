// The finish pages of the two contact wizards: status and counts, colours, fonts and
// links, the open-folder choice and the export's mail of the written files.
#include <gtest/gtest.h>

#include <filesystem>

#include "ContactPageFixture.h"
#include "contacts/CDlgVCardExportFinish.h"
#include "contacts/CDlgVCardImportFinish.h"
#include "testkit/KelvraApp.h"
#include "testkit/Mail.h"
#include "testkit/Operator.h"
#include "testkit/Outlook.h"
#include "testkit/Windows.h"

namespace kelvra::test {
namespace {

using testkit::ControlText;
using testkit::IsChecked;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kUntouched = RGB(1, 2, 3);

// The text colour the page gives a control's label, and whether it paints it on the
// window colour.
COLORREF TextColourOf(HWND dlg, int id) {
  HDC dc = CreateCompatibleDC(nullptr);
  SetTextColor(dc, kUntouched);
  const LRESULT brush = SendMessageA(dlg, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), GetSysColorBrush(COLOR_WINDOW)) << id;
  EXPECT_EQ(testkit::BackColorOf(dc), GetSysColor(COLOR_WINDOW)) << id;
  const COLORREF colour = testkit::TextColorOf(dc);
  DeleteDC(dc);
  return colour;
}

// The middle of a control, in the dialog's client coordinates.
POINT MiddleOf(HWND dlg, int id) {
  const RECT rect = testkit::WindowRect(GetDlgItem(dlg, id));
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// --- Export ------------------------------------------------------------------------

class ExportFinishPageTest : public ContactPageTest {
 protected:
  // Runs the page with the counts over Files() and the map, answered by script.
  void Run(int exported, int failed, int skipped, testkit::DialogScript script,
           const WrittenFilesMap* written = nullptr) {
    CDlgVCardExportFinish page(App(), Key(), exported + failed + skipped, exported, failed, skipped,
                               Files().windows().c_str(), written);
    Answer(IDD_VCARD_EXPORT_FINISH, std::move(script));
    EXPECT_EQ(page.DoModal(nullptr), IDCANCEL);
  }
};

TEST_F(ExportFinishPageTest, TheStatusFollowsFailuresAndSkippedAndTheCountsAreShown) {
  const struct {
    int failed;
    int skipped;
    const char* status;
  } cases[] = {{0, 0, "Export completed successfully."},
               {0, 3, "Export completed; some items were skipped."},
               {2, 0, "Export completed with errors."},
               {2, 3, "Export completed with errors; some items were skipped."}};
  for (const auto& c : cases) {
    Run(5, c.failed, c.skipped, [&](HWND d) {
      EXPECT_EQ(ControlText(d, IDC_LBL_STATUS), c.status);
      EXPECT_EQ(ControlText(d, IDC_LBL_NUM_SELECTED), std::to_string(5 + c.failed + c.skipped));
      EXPECT_EQ(ControlText(d, IDC_LBL_NUM_EXPORTED), "5");
      EXPECT_EQ(ControlText(d, IDC_LBL_NUM_FAILURES), std::to_string(c.failed));
      EXPECT_EQ(ControlText(d, IDC_LBL_NUM_SKIPPED), std::to_string(c.skipped));
      testkit::SetCheck(d, IDC_CHK_OPEN_FOLDER, false);
      testkit::Click(d, IDCANCEL);
    });
  }
}

TEST_F(ExportFinishPageTest, FailuresAndSkippedShowRedAndTheLinksBlue) {
  Run(1, 2, 3, [](HWND d) {
    EXPECT_EQ(TextColourOf(d, IDC_LBL_NUM_FAILURES), kRed);
    EXPECT_EQ(TextColourOf(d, IDC_LBL_NUM_SKIPPED), kRed);
    EXPECT_EQ(TextColourOf(d, IDC_LBL_NUM_EXPORTED), kUntouched);
    EXPECT_EQ(TextColourOf(d, IDC_LBL_WHY_SKIPPED), kBlue);
    EXPECT_EQ(TextColourOf(d, IDC_LNK_OPEN_FOLDER), kBlue);
    testkit::SetCheck(d, IDC_CHK_OPEN_FOLDER, false);
    testkit::Click(d, IDCANCEL);
  });
  Run(1, 0, 0, [](HWND d) {
    EXPECT_EQ(TextColourOf(d, IDC_LBL_NUM_FAILURES), kUntouched);
    EXPECT_EQ(TextColourOf(d, IDC_LBL_NUM_SKIPPED), kUntouched);
    testkit::SetCheck(d, IDC_CHK_OPEN_FOLDER, false);
    testkit::Click(d, IDCANCEL);
  });
}

TEST_F(ExportFinishPageTest, TheTitleIsBoldTheLinksUnderlinedAndTheFontsGoWithThePage) {
  const int before = testkit::GdiObjectCount();
  Run(1, 0, 0, [](HWND d) {
    const HFONT title = testkit::Control(d, IDC_LABEL_BOLD).font;
    const HFONT why = testkit::Control(d, IDC_LBL_WHY_SKIPPED).font;
    ASSERT_NE(title, nullptr);
    ASSERT_NE(why, nullptr);
    EXPECT_EQ(testkit::FontOf(title).lfWeight, 700);
    EXPECT_TRUE(testkit::FontOf(why).lfUnderline);
    EXPECT_EQ(testkit::Control(d, IDC_LNK_OPEN_FOLDER).font, why);
    testkit::SetCheck(d, IDC_CHK_OPEN_FOLDER, false);
    testkit::Click(d, IDCANCEL);
  });
  EXPECT_EQ(testkit::GdiObjectCount(), before);
}

TEST_F(ExportFinishPageTest, CloseOpensTheFolderWhenCheckedAndTheChoicesAreStored) {
  Run(1, 0, 0, [](HWND d) {
    EXPECT_TRUE(IsChecked(d, IDC_CHK_OPEN_FOLDER));
    EXPECT_FALSE(IsChecked(d, IDC_CHK_OPEN_EMAIL));
    testkit::Click(d, IDCANCEL);
  });
  auto opened = testkit::ShellExecutes();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].operation, "open");
  EXPECT_EQ(opened[0].file, Files().windows());
  EXPECT_EQ(opened[0].showCommand, SW_SHOWNORMAL);
  EXPECT_EQ(StoredDword("Contacts.Export.OpenFolder"), 1u);
  EXPECT_EQ(StoredDword("Contacts.Export.OpenMail"), 0u);

  testkit::ClearShellExecutes();
  Run(1, 0, 0, [](HWND d) {
    testkit::SetCheck(d, IDC_CHK_OPEN_FOLDER, false);
    testkit::PressEscape(d);
  });
  EXPECT_TRUE(testkit::ShellExecutes().empty());
  EXPECT_EQ(StoredDword("Contacts.Export.OpenFolder"), 0u);
  Run(1, 0, 0, [](HWND d) {
    EXPECT_FALSE(IsChecked(d, IDC_CHK_OPEN_FOLDER));
    testkit::Click(d, IDCANCEL);
  });
}

TEST_F(ExportFinishPageTest, TheLinksOpenTheFolderAndAskForHelpAtOnce) {
  ASSERT_TRUE(testkit::StartKelvraApp());
  Run(1, 0, 1, [](HWND d) {
    testkit::ClickAt(d, MiddleOf(d, IDC_LNK_OPEN_FOLDER));
    EXPECT_EQ(testkit::ShellExecutes().size(), 1u);
    testkit::ClickAt(d, MiddleOf(d, IDC_LBL_WHY_SKIPPED));
    testkit::ClickAt(d, MiddleOf(d, IDC_LBL_STATUS));
    EXPECT_EQ(testkit::ShellExecutes().size(), 1u);
    EXPECT_TRUE(IsWindow(d));
    testkit::SetCheck(d, IDC_CHK_OPEN_FOLDER, false);
    testkit::Click(d, IDCANCEL);
  });
  const auto received = testkit::KelvraAppReceived();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].text, "ShowContextHelp,Item_Skipping_during_Import_Export.htm");
}

TEST_F(ExportFinishPageTest, TheHandCursorShowsOverTheLinksOnly) {
  Run(1, 0, 0, [](HWND d) {
    const HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    SetCursor(nullptr);
    SendMessageA(d, WM_SETCURSOR, reinterpret_cast<WPARAM>(GetDlgItem(d, IDC_LBL_STATUS)),
                 MAKELONG(1, WM_MOUSEMOVE));
    EXPECT_NE(testkit::CurrentCursor(), hand);
    for (int link : {IDC_LNK_OPEN_FOLDER, IDC_LBL_WHY_SKIPPED}) {
      SetCursor(nullptr);
      SendMessageA(d, WM_SETCURSOR, reinterpret_cast<WPARAM>(GetDlgItem(d, link)),
                   MAKELONG(1, WM_MOUSEMOVE));
      EXPECT_EQ(testkit::CurrentCursor(), hand) << link;
    }
    testkit::SetCheck(d, IDC_CHK_OPEN_FOLDER, false);
    testkit::Click(d, IDCANCEL);
  });
}

TEST_F(ExportFinishPageTest, TheMailOptionAttachesEveryWrittenFileToADisplayedMail) {
  Files().write("Ann Archer.vcf", "BEGIN:VCARD\r\nEND:VCARD\r\n");
  Files().write("Bob Baker.vcf", "BEGIN:VCARD\r\nEND:VCARD\r\n");
  const WrittenFilesMap written{{Files().windowsPath("Ann Archer.vcf"), 0},
                                {Files().windowsPath("Bob Baker.vcf"), 0}};
  Run(
      2, 0, 0,
      [](HWND d) {
        EXPECT_TRUE(testkit::Control(d, IDC_CHK_OPEN_EMAIL).enabled);
        testkit::SetCheck(d, IDC_CHK_OPEN_EMAIL, true);
        testkit::SetCheck(d, IDC_CHK_OPEN_FOLDER, false);
        testkit::Click(d, IDCANCEL);
      },
      &written);
  const auto mails = testkit::Mails();
  ASSERT_EQ(mails.size(), 1u);
  EXPECT_TRUE(mails[0].displayed);
  EXPECT_FALSE(mails[0].modal);
  std::vector<std::string> inMapOrder;
  for (const auto& file : written) inMapOrder.push_back(file.first);
  EXPECT_EQ(mails[0].attachmentPaths, inMapOrder);
  ASSERT_EQ(mails[0].attachmentNames.size(), 2u);
  EXPECT_EQ(StoredDword("Contacts.Export.OpenMail"), 1u);
}

TEST_F(ExportFinishPageTest, WithNothingExportedTheMailOptionIsDisabledAndNoMailIsMade) {
  StoreDword("Contacts.Export.OpenMail", 1);
  const WrittenFilesMap written;
  Run(
      0, 1, 0,
      [](HWND d) {
        const testkit::ControlState mail = testkit::Control(d, IDC_CHK_OPEN_EMAIL);
        EXPECT_FALSE(mail.enabled);
        EXPECT_EQ(mail.check, static_cast<UINT>(BST_CHECKED));
        testkit::SetCheck(d, IDC_CHK_OPEN_FOLDER, false);
        testkit::Click(d, IDCANCEL);
      },
      &written);
  EXPECT_TRUE(testkit::Mails().empty());
  EXPECT_EQ(StoredDword("Contacts.Export.OpenMail"), 1u);
}

TEST_F(ExportFinishPageTest, AFileTheMailCannotTakeIsLogged) {
  StoreDword("Contacts.Export.OpenMail", 1);
  const WrittenFilesMap written{{Files().windowsPath("gone.vcf"), 0}};
  Run(
      1, 0, 0,
      [](HWND d) {
        testkit::SetCheck(d, IDC_CHK_OPEN_FOLDER, false);
        testkit::Click(d, IDCANCEL);
      },
      &written);
  const auto mails = testkit::Mails();
  ASSERT_EQ(mails.size(), 1u);
  EXPECT_TRUE(mails[0].attachmentPaths.empty());
  const std::string log = Log().Lines();
  EXPECT_NE(log.find("CDlgVCardExportFinish::OpenMail"), std::string::npos);
  EXPECT_NE(log.find("_com_error("), std::string::npos);
}

// --- Import ------------------------------------------------------------------------

class ImportFinishPageTest : public ContactPageTest {
 protected:
  void Run(int failed, int skipped, testkit::DialogScript script) {
    CDlgVCardImportFinish page(Key(), 3, 7, 7 - failed - skipped, failed, skipped, Folder("Other"));
    Answer(IDD_VCARD_IMPORT_FINISH, std::move(script));
    EXPECT_EQ(page.DoModal(nullptr), IDCANCEL);
  }
  static std::string Shown(const Outlook::_ExplorerPtr& explorer) {
    return std::string(explorer->GetCurrentFolder()->GetName());
  }
};

TEST_F(ImportFinishPageTest, FilesAndContactsShareOneFieldBesideTheStatusAndColours) {
  Run(2, 1, [](HWND d) {
    EXPECT_EQ(ControlText(d, IDC_LBL_NUM_SELECTED), "3/7");
    EXPECT_EQ(ControlText(d, IDC_LBL_NUM_IMPORTED), "4");
    EXPECT_EQ(ControlText(d, IDC_LBL_NUM_FAILURES), "2");
    EXPECT_EQ(ControlText(d, IDC_LBL_NUM_SKIPPED), "1");
    EXPECT_EQ(ControlText(d, IDC_LBL_STATUS),
              "Import completed with errors; some items were skipped.");
    EXPECT_EQ(TextColourOf(d, IDC_LBL_NUM_FAILURES), kRed);
    EXPECT_EQ(TextColourOf(d, IDC_LBL_NUM_SKIPPED), kRed);
    EXPECT_EQ(TextColourOf(d, IDC_LNK_OPEN_FOLDER), kBlue);
    testkit::SetCheck(d, IDC_CHK_OPEN_FOLDER, false);
    testkit::Click(d, IDCANCEL);
  });
  Run(0, 0, [](HWND d) {
    EXPECT_EQ(ControlText(d, IDC_LBL_STATUS), "Import completed successfully.");
    testkit::SetCheck(d, IDC_CHK_OPEN_FOLDER, false);
    testkit::Click(d, IDCANCEL);
  });
}

TEST_F(ImportFinishPageTest, CloseShowsTheTargetFolderWhenCheckedAndStoresTheChoice) {
  Outlook::_ExplorerPtr explorer = ShowInExplorer("Contacts", {});
  Run(0, 0, [](HWND d) {
    testkit::SetCheck(d, IDC_CHK_OPEN_FOLDER, false);
    testkit::Click(d, IDCANCEL);
  });
  EXPECT_EQ(Shown(explorer), "Contacts");
  EXPECT_EQ(StoredDword("Contacts.Import.OpenFolder"), 0u);
  Run(0, 0, [](HWND d) {
    EXPECT_FALSE(IsChecked(d, IDC_CHK_OPEN_FOLDER));
    testkit::SetCheck(d, IDC_CHK_OPEN_FOLDER, true);
    testkit::Click(d, IDCANCEL);
  });
  EXPECT_EQ(Shown(explorer), "Other");
  EXPECT_EQ(StoredDword("Contacts.Import.OpenFolder"), 1u);
}

TEST_F(ImportFinishPageTest, TheOpenFolderLinkShowsTheFolderAtOnce) {
  Outlook::_ExplorerPtr explorer = ShowInExplorer("Contacts", {});
  Run(0, 0, [&](HWND d) {
    testkit::ClickAt(d, MiddleOf(d, IDC_LNK_OPEN_FOLDER));
    EXPECT_EQ(Shown(explorer), "Other");
    testkit::SetCheck(d, IDC_CHK_OPEN_FOLDER, false);
    testkit::Click(d, IDCANCEL);
  });
}

TEST_F(ImportFinishPageTest, WithoutAnExplorerTheFolderIsNotShownAndAWarningIsLogged) {
  Run(0, 0, [](HWND d) { testkit::Click(d, IDCANCEL); });
  EXPECT_NE(Log().Lines().find("CDlgVCardImportFinish::_ShowFolder"), std::string::npos);
  EXPECT_EQ(StoredDword("Contacts.Import.OpenFolder"), 1u);
}

}  // namespace
}  // namespace kelvra::test
