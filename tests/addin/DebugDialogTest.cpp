// The debug dialog, answered by the operator: its two lists, every dialog it shows and
// the language it shows them in, the slide show, the help topic and the hidden
// foreground button.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "ConnectTestSupport.h"
#include "addin/Application.h"
#include "addin/CDlgDebug.h"
#include "addin/CLang.h"
#include "addin/ShowSampleProgress.h"
#include "contacts/DovantCharConverter.h"
#include "resource.h"
#include "testkit/Clock.h"
#include "testkit/Dialogs.h"
#include "testkit/Files.h"
#include "testkit/KelvraApp.h"
#include "testkit/Mail.h"
#include "testkit/Operator.h"
#include "testkit/Outlook.h"
#include "testkit/Registry.h"
#include "testkit/Store.h"
#include "testkit/Watchdog.h"
#include "testkit/Windows.h"

namespace kelvra::test {
namespace {

using testkit::Control;
using testkit::ControlText;

struct ListedDialog {
  int id;
  const char* symbol;
};

// The list as the dialog shows it, in order.
constexpr ListedDialog kListed[] = {
    {270, "IDD_EVENT_LABELS"},          {273, "IDD_SELECT_ACTION"},
    {238, "IDD_VCAL_EXPORT"},           {241, "IDD_VCAL_EXPORT_OPTIONS"},
    {268, "IDD_VCAL_EXPORT_FILTER"},    {239, "IDD_VCAL_EXPORT_PROGRESS"},
    {240, "IDD_VCAL_EXPORT_FINISH"},    {242, "IDD_VCAL_IMPORT"},
    {244, "IDD_VCAL_IMPORT_OPTIONS"},   {271, "IDD_VCAL_IMPORT_FILTER"},
    {245, "IDD_VCAL_IMPORT_PROGRESS"},  {243, "IDD_VCAL_IMPORT_FINISH"},
    {224, "IDD_VCARD_EXPORT"},          {225, "IDD_VCARD_EXPORT_OPTIONS"},
    {226, "IDD_VCARD_EXPORT_PROGRESS"}, {227, "IDD_VCARD_EXPORT_FINISH"},
    {228, "IDD_VCARD_IMPORT"},          {230, "IDD_VCARD_IMPORT_OPTIONS"},
    {231, "IDD_VCARD_IMPORT_PROGRESS"}, {229, "IDD_VCARD_IMPORT_FINISH"},
};

// The calendar wizard pages of the list.
constexpr ListedDialog kCalendarExportPages[] = {
    {238, "IDD_VCAL_EXPORT"},
    {241, "IDD_VCAL_EXPORT_OPTIONS"},
    {268, "IDD_VCAL_EXPORT_FILTER"},
    {240, "IDD_VCAL_EXPORT_FINISH"},
};
constexpr ListedDialog kCalendarImportPages[] = {
    {242, "IDD_VCAL_IMPORT"},
    {244, "IDD_VCAL_IMPORT_OPTIONS"},
    {271, "IDD_VCAL_IMPORT_FILTER"},
    {243, "IDD_VCAL_IMPORT_FINISH"},
};

constexpr DWORD kProgressTicks = kSampleStepMs;

// The handle text as the dialog reads it.
std::string HandleText(HWND wnd) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(wnd)));
  return text;
}

// One round of the calling thread's messages, as a modal loop does.
void HandleSentMessages() {
  MSG msg;
  if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    DispatchMessageA(&msg);
  else
    std::this_thread::yield();
}

class DebugDialogTest : public ConnectTest {
 protected:
  void SetUp() override {
    ConnectTest::SetUp();
    // The pages' encoding lists come from the file beside the add-in.
    std::filesystem::copy_file(std::string(KELVRA_RUNTIME_DIR) + "/supportedEncodings.txt",
                               m_folder.linuxPath("supportedEncodings.txt"));
    LoadLanguage("EN.ini");
    m_converter = std::make_unique<DovantCharConverter>();
    g_CharConverter = m_converter.get();
    g_Application = m_app;
    // Sleep moves the frozen clock at once: a sample progress run takes no real time.
    testkit::SetTickCount(0);
    testkit::ClearMessageBoxes();
    testkit::ClearForegroundCalls();
    testkit::ClearMails();
  }
  void TearDown() override {
    g_Application = nullptr;
    g_CharConverter = nullptr;
    m_converter.reset();
    testkit::UseRealClock();
    testkit::SetMessageBoxHandler(nullptr);
    testkit::ClearMails();
    ConnectTest::TearDown();
  }

  void LoadLanguage(const std::string& name) const {
    ASSERT_TRUE(g_Lang.LoadFile(m_folder.windowsPath(name).c_str(), "Kelvra.dll"));
  }
  // The English file as a second language, "Testish", with two texts of its own.
  void WriteTestishFile() const {
    std::string text = ReadWholeFile(m_folder.linuxPath("EN.ini"));
    const auto replace = [&](const std::string& from, const std::string& to) {
      const std::size_t at = text.find(from);
      ASSERT_NE(at, std::string::npos) << from;
      text.replace(at, from.size(), to);
    };
    replace("lang=English", "lang=Testish");
    replace("langid=EN", "langid=XX");
    replace("IDS_EVENT_LABEL1=Important", "IDS_EVENT_LABEL1=Wichtig");
    replace("IDS_PROGR_EXPORT=Exporting", "IDS_PROGR_EXPORT=Exportiert");
    m_folder.write("XX.ini", text);
  }

  // Runs the debug dialog with the script as its user; DoModal's result.
  static INT_PTR RunDebugDialog(testkit::DialogScript script) {
    testkit::OnDialog(IDD_DEBUG, std::move(script));
    CDlgDebug dialog;
    return dialog.DoModal(nullptr);
  }
  // Chooses the dialog in the list and presses Show.
  static void Show(HWND debug, const std::string& symbol) {
    ASSERT_TRUE(testkit::SelectItem(debug, IDC_CBO_DEBUG_DIALOG, symbol)) << symbol;
    EXPECT_TRUE(testkit::Click(debug, IDC_BTN_DEBUG_SHOW));
  }
  static void Close(HWND debug) { EXPECT_TRUE(testkit::Click(debug, IDCANCEL)); }
  // "Show" for each page opens that page's template and nothing else.
  static void ExpectEachPageShows(std::span<const ListedDialog> pages) {
    for (const ListedDialog& listed : pages) {
      testkit::ClearShownDialogs();
      testkit::OnDialog(listed.id, [](HWND d) { testkit::PressEscape(d); });
      RunDebugDialog([&](HWND d) {
        Show(d, listed.symbol);
        Close(d);
      });
      EXPECT_EQ(testkit::ShownDialogs(), (std::vector<int>{IDD_DEBUG, listed.id})) << listed.symbol;
      EXPECT_TRUE(testkit::MessageBoxes().empty()) << listed.symbol;
    }
  }
  // The two hidden controls, brought out as a developer does.
  static void RevealForegroundControls(HWND debug) {
    ShowWindow(GetDlgItem(debug, IDC_TXT_DEBUG_HWND), SW_SHOW);
    ShowWindow(GetDlgItem(debug, IDC_BTN_DEBUG_FOREGROUND), SW_SHOW);
  }

  std::unique_ptr<DovantCharConverter> m_converter;
  testkit::Watchdog m_watchdog{"debug dialog", std::chrono::seconds(60)};
};

// --- The two lists ---------------------------------------------------------------------------

TEST_F(DebugDialogTest, LanguagesAreSortedByNameAndTheLoadedFileIsChosen) {
  WriteLanguageFile("A.ini", "ZU", "");
  WriteLanguageFile("B.ini", "AF", "");
  // The loaded path differs from the listed one in case only.
  ASSERT_TRUE(g_Lang.LoadFile(m_folder.windowsPath("en.INI").c_str(), "Kelvra.dll"));
  const INT_PTR result = RunDebugDialog([](HWND d) {
    const testkit::ControlState list = Control(d, IDC_CBO_DEBUG_LANG);
    EXPECT_TRUE(list.enabled);
    EXPECT_EQ(list.items, (std::vector<std::string>{"AF language", "English", "ZU language"}));
    // Each item names its file by its place in the folder's listing: A.ini, B.ini, EN.ini.
    EXPECT_EQ(list.itemData, (std::vector<LPARAM>{1, 2, 0}));
    EXPECT_EQ(list.selection, 1);
    Close(d);
  });
  EXPECT_EQ(result, IDCANCEL);
}

TEST_F(DebugDialogTest, WithNoLanguageLoadedTheFirstEntryIsChosen) {
  WriteLanguageFile("B.ini", "AF", "");
  g_Lang.Clear();
  RunDebugDialog([](HWND d) {
    EXPECT_EQ(Control(d, IDC_CBO_DEBUG_LANG).items.size(), 2u);
    EXPECT_EQ(Control(d, IDC_CBO_DEBUG_LANG).selection, 0);
    Close(d);
  });
}

TEST_F(DebugDialogTest, WithoutLanguageFilesTheListIsOffAndDialogsShowInTheLoadedLanguage) {
  const std::string english = WindowsPath(KELVRA_SOURCE_DIR "/resources/EN.ini");
  ASSERT_TRUE(g_Lang.LoadFile(english.c_str(), "Kelvra.dll"));
  std::filesystem::remove(m_folder.linuxPath("EN.ini"));
  std::string label;
  testkit::OnDialog(IDD_EVENT_LABELS, [&](HWND d) {
    label = ControlText(d, IDC_CHK_LABEL1);
    testkit::PressEscape(d);
  });
  RunDebugDialog([](HWND d) {
    const testkit::ControlState list = Control(d, IDC_CBO_DEBUG_LANG);
    EXPECT_FALSE(list.enabled);
    EXPECT_TRUE(list.items.empty());
    Show(d, "IDD_EVENT_LABELS");
    Close(d);
  });
  EXPECT_EQ(label, "Important");
  EXPECT_STREQ(g_Lang.GetFileName(), english.c_str());
}

TEST_F(DebugDialogTest, TheDialogListHoldsTheTwentyDialogsInOrderWithTheLastChosen) {
  RunDebugDialog([](HWND d) {
    EXPECT_EQ(testkit::WindowText(d), "DEBUG Kelvra");
    const testkit::ControlState list = Control(d, IDC_CBO_DEBUG_DIALOG);
    std::vector<std::string> symbols;
    std::vector<LPARAM> ids;
    for (const ListedDialog& listed : kListed) {
      symbols.push_back(listed.symbol);
      ids.push_back(listed.id);
    }
    EXPECT_EQ(list.items, symbols);
    EXPECT_EQ(list.itemData, ids);
    EXPECT_EQ(list.selection, 19);
    EXPECT_EQ(ControlText(d, IDC_TXT_DEBUG_HWND), "0x0");
    EXPECT_FALSE(Control(d, IDC_TXT_DEBUG_HWND).visible);
    EXPECT_FALSE(Control(d, IDC_BTN_DEBUG_FOREGROUND).visible);
    // Show with the last entry chosen: the import finish page.
    testkit::OnDialog(IDD_VCARD_IMPORT_FINISH, [](HWND page) { testkit::PressEscape(page); });
    EXPECT_TRUE(testkit::Click(d, IDC_BTN_DEBUG_SHOW));
    Close(d);
  });
  EXPECT_EQ(testkit::ShownDialogs(), (std::vector<int>{IDD_DEBUG, IDD_VCARD_IMPORT_FINISH}));
}

// --- Show ------------------------------------------------------------------------------------

class DebugShowTest : public DebugDialogTest, public ::testing::WithParamInterface<ListedDialog> {};

TEST_P(DebugShowTest, ShowOpensTheChosenDialogOverTheDebugDialog) {
  const ListedDialog listed = GetParam();
  const std::size_t keysBefore = testkit::OpenKeyCount();
  HWND debug = nullptr;
  HWND owner = nullptr;
  testkit::OnDialog(listed.id, [&](HWND d) {
    owner = GetParent(d);
    testkit::PressEscape(d);  // Cancel, or a finish page's Close
  });
  RunDebugDialog([&](HWND d) {
    debug = d;
    Show(d, listed.symbol);
    Close(d);
  });
  EXPECT_EQ(testkit::ShownDialogs(), (std::vector<int>{IDD_DEBUG, listed.id}));
  EXPECT_EQ(owner, debug);
  EXPECT_TRUE(testkit::MessageBoxes().empty());
  // The options key lent to the page is closed again.
  EXPECT_EQ(testkit::OpenKeyCount(), keysBefore);
}

std::string SymbolOf(const ::testing::TestParamInfo<ListedDialog>& info) {
  return info.param.symbol;
}

INSTANTIATE_TEST_SUITE_P(DialogsOfThisBuild, DebugShowTest,
                         ::testing::Values(ListedDialog{270, "IDD_EVENT_LABELS"},
                                           ListedDialog{273, "IDD_SELECT_ACTION"},
                                           ListedDialog{239, "IDD_VCAL_EXPORT_PROGRESS"},
                                           ListedDialog{245, "IDD_VCAL_IMPORT_PROGRESS"},
                                           ListedDialog{224, "IDD_VCARD_EXPORT"},
                                           ListedDialog{225, "IDD_VCARD_EXPORT_OPTIONS"},
                                           ListedDialog{226, "IDD_VCARD_EXPORT_PROGRESS"},
                                           ListedDialog{227, "IDD_VCARD_EXPORT_FINISH"},
                                           ListedDialog{228, "IDD_VCARD_IMPORT"},
                                           ListedDialog{230, "IDD_VCARD_IMPORT_OPTIONS"},
                                           ListedDialog{231, "IDD_VCARD_IMPORT_PROGRESS"},
                                           ListedDialog{229, "IDD_VCARD_IMPORT_FINISH"}),
                         SymbolOf);

TEST_F(DebugDialogTest, ShowOpensEachCalendarExportPage) {
  ExpectEachPageShows(kCalendarExportPages);
}

TEST_F(DebugDialogTest, ShowOpensEachCalendarImportPage) {
  ExpectEachPageShows(kCalendarImportPages);
}

TEST_F(DebugDialogTest, TheCalendarExportPageOffersTheSelectionAsTheWizardDoes) {
  testkit::LoadMailboxText(R"({"stores": [{"name": "Personal Folders", "folders": [
      {"name": "Calendar", "defaultItemType": 1, "items": [
        {"Subject": "A", "Start": "2026-05-04T09:00:00", "End": "2026-05-04T10:00:00"},
        {"Subject": "B", "Start": "2026-05-05T09:00:00", "End": "2026-05-05T10:00:00"}]}]}]})");
  const Outlook::MAPIFolderPtr calendar =
      m_app->GetSession()->GetDefaultFolder(Outlook::olFolderCalendar);
  const Outlook::_ExplorerPtr explorer = testkit::OpenExplorer(calendar);
  const Outlook::_ItemsPtr items = calendar->GetItems();
  testkit::SelectItems(explorer, {items->Item(_variant_t(1L)), items->Item(_variant_t(2L))});
  testkit::OnDialog(IDD_VCAL_EXPORT, [](HWND d) {
    const testkit::ControlState selectedOnly = Control(d, IDC_CHK_EXPORT_SELECTED);
    EXPECT_EQ(selectedOnly.text, "Export selected events only");
    EXPECT_TRUE(selectedOnly.enabled);
    EXPECT_EQ(selectedOnly.check, static_cast<UINT>(BST_CHECKED));
    testkit::PressEscape(d);
  });
  RunDebugDialog([](HWND d) {
    Show(d, "IDD_VCAL_EXPORT");
    Close(d);
  });
  EXPECT_EQ(testkit::ShownDialogs(), (std::vector<int>{IDD_DEBUG, IDD_VCAL_EXPORT}));
}

TEST_F(DebugDialogTest, ADialogTheAddInDoesNotHaveShowsUnknownDlg) {
  const std::size_t keysBefore = testkit::OpenKeyCount();
  RunDebugDialog([](HWND d) {
    // An entry whose dialog this add-in lacks.
    const LRESULT chosen = SendDlgItemMessageA(d, IDC_CBO_DEBUG_DIALOG, CB_GETCURSEL, 0, 0);
    SendDlgItemMessageA(d, IDC_CBO_DEBUG_DIALOG, CB_SETITEMDATA, static_cast<WPARAM>(chosen), 999);
    EXPECT_TRUE(testkit::Click(d, IDC_BTN_DEBUG_SHOW));
    Close(d);
  });
  const std::vector<testkit::MessageBoxRecord> boxes = testkit::MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Unknown dlg");
  EXPECT_EQ(boxes[0].caption, "Error");
  EXPECT_EQ(testkit::ShownDialogs(), std::vector<int>{IDD_DEBUG});
  EXPECT_EQ(testkit::OpenKeyCount(), keysBefore);
}

TEST_F(DebugDialogTest, OptionPagesShowTheStoredOptionsAsTheirWizardsOpenThem) {
  SetOptionDword(HKEY_CURRENT_USER, "Contacts.Export.Overwrite", 1);
  SetOptionDword(HKEY_CURRENT_USER, "Contacts.Export.Format", 30);
  SetOptionDword(HKEY_CURRENT_USER, "Contacts.Import.ConflictResolution", 2);
  testkit::OnDialog(IDD_VCARD_EXPORT_OPTIONS, [](HWND d) {
    EXPECT_TRUE(testkit::IsChecked(d, IDC_CHK_OVERWRITE));
    EXPECT_TRUE(testkit::IsChecked(d, IDC_OPT_VCARD30));
    testkit::PressEscape(d);
  });
  testkit::OnDialog(IDD_VCARD_IMPORT_OPTIONS, [](HWND d) {
    EXPECT_TRUE(testkit::IsChecked(d, IDC_OPT_LEAVE));
    testkit::PressEscape(d);
  });
  RunDebugDialog([](HWND d) {
    Show(d, "IDD_VCARD_EXPORT_OPTIONS");
    Show(d, "IDD_VCARD_IMPORT_OPTIONS");
    Close(d);
  });
  EXPECT_EQ(testkit::ShownDialogs(),
            (std::vector<int>{IDD_DEBUG, IDD_VCARD_EXPORT_OPTIONS, IDD_VCARD_IMPORT_OPTIONS}));
}

TEST_F(DebugDialogTest, FinishPagesShowSampleCountsAndTheExportPageMailsTheSampleFiles) {
  // C: holds the two sample files, so that the mail can attach them.
  testkit::SetHostRoot(m_folder.linux());
  m_folder.write("safari_dialog1.jpg", "1");
  m_folder.write("safari_dialog2.jpg", "2");
  SetOptionDword(HKEY_CURRENT_USER, "Contacts.Export.OpenFolder", 0);
  SetOptionDword(HKEY_CURRENT_USER, "Contacts.Import.OpenFolder", 0);
  SetOptionDword(HKEY_CURRENT_USER, "Contacts.Export.OpenMail", 1);
  testkit::OnDialog(IDD_VCARD_EXPORT_FINISH, [](HWND d) {
    EXPECT_EQ(ControlText(d, IDC_LBL_NUM_SELECTED), "12");
    EXPECT_EQ(ControlText(d, IDC_LBL_NUM_EXPORTED), "9");
    EXPECT_EQ(ControlText(d, IDC_LBL_NUM_FAILURES), "2");
    EXPECT_EQ(ControlText(d, IDC_LBL_NUM_SKIPPED), "1");
    EXPECT_TRUE(testkit::IsChecked(d, IDC_CHK_OPEN_EMAIL));
    testkit::Click(d, IDCANCEL);
  });
  testkit::OnDialog(IDD_VCARD_IMPORT_FINISH, [](HWND d) {
    EXPECT_EQ(ControlText(d, IDC_LBL_NUM_SELECTED), "3/12");
    EXPECT_EQ(ControlText(d, IDC_LBL_NUM_IMPORTED), "9");
    EXPECT_EQ(ControlText(d, IDC_LBL_NUM_FAILURES), "2");
    EXPECT_EQ(ControlText(d, IDC_LBL_NUM_SKIPPED), "1");
    testkit::Click(d, IDCANCEL);
  });
  RunDebugDialog([](HWND d) {
    Show(d, "IDD_VCARD_EXPORT_FINISH");
    Show(d, "IDD_VCARD_IMPORT_FINISH");
    Close(d);
  });
  testkit::ResetFiles();
  const std::vector<testkit::MailRecord> mails = testkit::Mails();
  ASSERT_EQ(mails.size(), 1u);
  std::vector<std::string> attached = mails[0].attachmentPaths;
  std::sort(attached.begin(), attached.end());
  EXPECT_EQ(attached,
            (std::vector<std::string>{"c:\\safari_dialog1.jpg", "c:\\safari_dialog2.jpg"}));
}

// --- The progress dialogs --------------------------------------------------------------------

TEST_F(DebugDialogTest, ProgressDialogNamesItsRunCountsToSixHundredAndStopsOnCancel) {
  HWND debug = nullptr;
  HWND progress = nullptr;
  int cancelledAt = -1;
  testkit::OnDialog(IDD_VCARD_IMPORT_PROGRESS, [&](HWND d) {
    progress = d;
    // The script is up with the first paint: what the run sends next is handled here
    // until it has sized the bar. The run cannot step while the script holds on.
    while (Control(d, IDC_PROGRESS).rangeHigh != kSampleProgressSteps) HandleSentMessages();
    EXPECT_EQ(GetParent(d), debug);
    EXPECT_EQ(ControlText(d, IDC_PROGR_NAME), "Importing");
    EXPECT_EQ(Control(d, IDC_PROGRESS).rangeHigh, kSampleProgressSteps);
    cancelledAt = Control(d, IDC_PROGRESS).position;
    EXPECT_TRUE(testkit::Click(d, IDCANCEL));
  });
  RunDebugDialog([&](HWND d) {
    debug = d;
    Show(d, "IDD_VCARD_IMPORT_PROGRESS");
    // The progress dialog is closed before Show returns.
    EXPECT_FALSE(IsWindow(progress));
    Close(d);
  });
  ASSERT_GE(cancelledAt, 0);
  // The run took at most one more step after Cancel, then waited and stopped.
  const DWORD ticks = GetTickCount();
  EXPECT_GE(ticks, kProgressTicks * static_cast<DWORD>(cancelledAt + 1) + kCancelWaitMs);
  EXPECT_LE(ticks, kProgressTicks * static_cast<DWORD>(cancelledAt + 2) + kCancelWaitMs);
}

TEST_F(DebugDialogTest, ProgressDialogLeftAloneClosesAfterSixHundredSteps) {
  HWND progress = nullptr;
  std::string name;
  RunDebugDialog([&](HWND d) {
    Show(d, "IDD_VCAL_EXPORT_PROGRESS");
    progress = testkit::OpenDialog(IDD_VCAL_EXPORT_PROGRESS);
    Close(d);
  });
  EXPECT_EQ(progress, nullptr);
  EXPECT_EQ(testkit::ShownDialogs(), (std::vector<int>{IDD_DEBUG, IDD_VCAL_EXPORT_PROGRESS}));
  EXPECT_EQ(GetTickCount(), kProgressTicks * static_cast<DWORD>(kSampleProgressSteps));
}

TEST_F(DebugDialogTest, AProgressDialogThatCannotStartIsLoggedAndTheDebugDialogGoesOn) {
  const LogWatch log;
  testkit::FailDialogCreation(IDD_VCARD_EXPORT_PROGRESS);
  testkit::OnDialog(IDD_EVENT_LABELS, [](HWND d) { testkit::PressEscape(d); });
  RunDebugDialog([](HWND d) {
    Show(d, "IDD_VCARD_EXPORT_PROGRESS");
    Show(d, "IDD_EVENT_LABELS");
    Close(d);
  });
  testkit::FailDialogCreation(IDD_VCARD_EXPORT_PROGRESS, false);
  EXPECT_NE(log.Err().find("CDlgDebug::OnShowDialog: ASSERT failed in line 191"), std::string::npos)
      << log.Err();
  EXPECT_EQ(testkit::ShownDialogs(), (std::vector<int>{IDD_DEBUG, IDD_EVENT_LABELS}));
  EXPECT_EQ(GetTickCount(), 0u);  // no steps
}

// --- Languages -------------------------------------------------------------------------------

TEST_F(DebugDialogTest, AChosenLanguageStaysInForceAfterTheDialog) {
  WriteTestishFile();
  std::string label;
  testkit::OnDialog(IDD_EVENT_LABELS, [&](HWND d) {
    label = ControlText(d, IDC_CHK_LABEL1);
    testkit::PressEscape(d);
  });
  RunDebugDialog([](HWND d) {
    ASSERT_TRUE(testkit::SelectItem(d, IDC_CBO_DEBUG_LANG, "Testish"));
    Show(d, "IDD_EVENT_LABELS");
    Close(d);
  });
  EXPECT_EQ(label, "Wichtig");
  EXPECT_STREQ(g_Lang.GetLangId(), "XX");
  EXPECT_STREQ(g_Lang.GetSection(), "Kelvra.dll");
  // The next debug dialog finds it loaded.
  RunDebugDialog([](HWND d) {
    const testkit::ControlState list = Control(d, IDC_CBO_DEBUG_LANG);
    ASSERT_GE(list.selection, 0);
    EXPECT_EQ(list.items[static_cast<std::size_t>(list.selection)], "Testish");
    Close(d);
  });
}

TEST_F(DebugDialogTest, ALanguageChosenWhenNoneCouldBeLoadedAtStartUpBringsItsTexts) {
  // The language asked for has no file: the add-in starts without texts.
  testkit::WriteString(HKEY_CURRENT_USER, "Software\\Ostrane\\Kelvra", "LANG", "QQ");
  ASSERT_EQ(Connect(), S_OK);
  ASSERT_EQ(g_Lang.GetFileName(), nullptr);
  std::string label;
  testkit::OnDialog(IDD_EVENT_LABELS, [&](HWND d) {
    label = ControlText(d, IDC_CHK_LABEL1);
    testkit::PressEscape(d);
  });
  RunDebugDialog([](HWND d) {
    ASSERT_TRUE(testkit::SelectItem(d, IDC_CBO_DEBUG_LANG, "English"));
    Show(d, "IDD_EVENT_LABELS");
    Close(d);
  });
  EXPECT_EQ(label, "Important");
  EXPECT_STREQ(g_Lang.GetLangId(), "EN");
  EXPECT_STREQ(g_Lang.GetSection(), "Kelvra.dll");
  EXPECT_EQ(g_Lang.GetText("IDS_PROGR_EXPORT"), "Exporting");
}

TEST_F(DebugDialogTest, SlideShowShowsEveryDialogInEveryLanguageInTurn) {
  WriteTestishFile();
  // What the user saw, in order, each with the language in force.
  std::vector<std::string> seen;
  const auto see = [&seen](const std::string& what) {
    seen.push_back(std::string(g_Lang.GetLangId()) + " " + what);
  };
  testkit::SetMessageBoxHandler([&](const testkit::MessageBoxRecord& box) {
    see(box.caption + ": " + box.text);
    return IDOK;
  });
  // Every dialog of the list in the order the user sees them, first in English, then
  // in Testish.
  std::vector<std::string> expected;
  for (const char* language : {"EN", "XX"}) {
    for (const ListedDialog& listed : kListed) {
      expected.push_back(std::string(language) + " " + std::to_string(listed.id));
      testkit::OnDialog(listed.id, [see, id = listed.id](HWND d) {
        see(std::to_string(id));
        testkit::PressEscape(d);
      });
    }
  }
  RunDebugDialog([](HWND d) {
    EXPECT_TRUE(testkit::Click(d, IDC_BTN_DEBUG_SLIDE_SHOW));
    Close(d);
  });
  EXPECT_EQ(seen, expected);
  EXPECT_STREQ(g_Lang.GetLangId(), "XX");
}

// --- Help topic and the foreground button ----------------------------------------------------

TEST_F(DebugDialogTest, HelpShowAsksTheKelvraApplicationForTheTopic) {
  RunDebugDialog([](HWND d) {
    EXPECT_TRUE(testkit::TypeText(d, IDC_TXT_DEBUG_TOPIC, "Sync_Profiles.htm"));
    EXPECT_TRUE(testkit::Click(d, IDC_BTN_DEBUG_HELP));
    EXPECT_TRUE(testkit::TypeText(d, IDC_TXT_DEBUG_TOPIC, ""));
    EXPECT_TRUE(testkit::Click(d, IDC_BTN_DEBUG_HELP));
    Close(d);
  });
  EXPECT_EQ(Commands(),
            (std::vector<std::string>{"ShowContextHelp,Sync_Profiles.htm", "ShowContextHelp"}));
}

TEST_F(DebugDialogTest, SetForegroundWindowBringsTheNamedWindowForward) {
  RunDebugDialog([](HWND d) {
    RevealForegroundControls(d);
    EXPECT_TRUE(testkit::TypeText(d, IDC_TXT_DEBUG_HWND, HandleText(d)));
    EXPECT_TRUE(testkit::Click(d, IDC_BTN_DEBUG_FOREGROUND));
    EXPECT_EQ(testkit::ForegroundCalls(), std::vector<HWND>{d});
    Close(d);
  });
  EXPECT_TRUE(testkit::MessageBoxes().empty());
}

TEST_F(DebugDialogTest, SetForegroundWindowFailureShowsHandleAndErrorCode) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"0x0", "SetForegroundWindow( 0x0 ) failed, GetLastError = 0x578"},
      {"0x7fff0", "SetForegroundWindow( 0x7fff0 ) failed, GetLastError = 0x578"},
      {"0X7FFF0", "SetForegroundWindow( 0x7fff0 ) failed, GetLastError = 0x578"},
      // Texts that name no handle fail as a handle of no window does.
      {"hello", "SetForegroundWindow( 0x0 ) failed, GetLastError = 0x578"},
      {"0x", "SetForegroundWindow( 0x0 ) failed, GetLastError = 0x578"},
      {"0x12g4", "SetForegroundWindow( 0x0 ) failed, GetLastError = 0x578"},
      {"0x123456789", "SetForegroundWindow( 0x0 ) failed, GetLastError = 0x578"},
      {"", "SetForegroundWindow( 0x0 ) failed, GetLastError = 0x578"},
  };
  for (const auto& c : cases) {
    testkit::ClearMessageBoxes();
    RunDebugDialog([&](HWND d) {
      RevealForegroundControls(d);
      EXPECT_TRUE(testkit::TypeText(d, IDC_TXT_DEBUG_HWND, c.text));
      EXPECT_TRUE(testkit::Click(d, IDC_BTN_DEBUG_FOREGROUND));
      Close(d);
    });
    const std::vector<testkit::MessageBoxRecord> boxes = testkit::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u) << c.text;
    EXPECT_EQ(boxes[0].text, c.message) << c.text;
    EXPECT_EQ(boxes[0].caption, "") << c.text;
  }
  EXPECT_TRUE(testkit::ForegroundCalls().empty());
}

TEST_F(DebugDialogTest, AnExceptionBehindTheForegroundButtonIsLoggedAndTheDialogGoesOn) {
  testkit::SetMessageBoxHandler(
      [](const testkit::MessageBoxRecord&) -> int { throw std::runtime_error("no box"); });
  const INT_PTR result = RunDebugDialog([](HWND d) {
    RevealForegroundControls(d);
    EXPECT_TRUE(testkit::TypeText(d, IDC_TXT_DEBUG_HWND, "0x0"));
    EXPECT_TRUE(testkit::Click(d, IDC_BTN_DEBUG_FOREGROUND));
    EXPECT_TRUE(IsWindow(d));
    Close(d);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_NE(m_log.Err().find("Err[0] in CDlgDebug::OnSetForeground: CATCHED EXCEPTION!"),
            std::string::npos)
      << m_log.Err();
}

TEST_F(DebugDialogTest, AWindowHandleWithTrailingGarbageIsNotTaken) {
  RunDebugDialog([](HWND d) {
    RevealForegroundControls(d);
    EXPECT_TRUE(testkit::TypeText(d, IDC_TXT_DEBUG_HWND, HandleText(d) + "zz"));
    EXPECT_TRUE(testkit::Click(d, IDC_BTN_DEBUG_FOREGROUND));
    Close(d);
  });
  EXPECT_TRUE(testkit::ForegroundCalls().empty());
  ASSERT_EQ(testkit::MessageBoxes().size(), 1u);
  EXPECT_EQ(testkit::MessageBoxes()[0].text,
            "SetForegroundWindow( 0x0 ) failed, GetLastError = 0x578");
}

}  // namespace
}  // namespace kelvra::test
