// The export-events pages shown headless through the operator: what they start from
// under each Outlook version, what they store, and what they refuse.
#include <gtest/gtest.h>

#include <string>

#include "CalWriterFixture.h"
#include "addin/RegKey.h"
#include "calendar/CDlgVCalExport.h"
#include "calendar/CDlgVCalExportFilter.h"
#include "calendar/CDlgVCalExportOptions.h"
#include "resource.h"
#include "testkit/DialogWatcher.h"
#include "testkit/Dialogs.h"
#include "testkit/Operator.h"
#include "testkit/Outlook.h"
#include "testkit/Registry.h"
#include "testkit/Store.h"
#include "testkit/Watchdog.h"

namespace calwriter {
namespace {

constexpr const char* kOptionsPath = "Software\\Ostrane\\Kelvra\\Options";

class CalExportPageTest : public CalWriterTest {
 protected:
  void SetUp() override {
    CalWriterTest::SetUp();
    ASSERT_EQ(m_key.Create(HKEY_CURRENT_USER, kOptionsPath, 0x2001F), ERROR_SUCCESS);
    testkit::ClearMessageBoxes();
  }
  void TearDown() override {
    testkit::ClearDialogScripts();
    testkit::ClearShownDialogs();
    testkit::ResetExplorers();
    m_key.Close();
    m_app = nullptr;
    CalWriterTest::TearDown();
  }
  // The application of an Outlook of that major version.
  Outlook::_ApplicationPtr App(int major) {
    testkit::SetOutlookVersion(major);
    m_app = testkit::CreateOutlookApplication();
    return m_app;
  }
  HKEY* Key() { return m_key.Address(); }
  std::optional<DWORD> Stored(const char* name) {
    return testkit::ReadDword(HKEY_CURRENT_USER, kOptionsPath, name);
  }

  testkit::Watchdog m_watchdog{"calendar export pages", std::chrono::seconds(60)};
  RegKey m_key;
  Outlook::_ApplicationPtr m_app;
};

TEST_F(CalExportPageTest, FilterDefaultsFollowTheOutlookVersion) {
  // The clock stands at 2026-03-05 14:30.
  const struct {
    int major;
    DWORD mask;
    DWORD labels;
    const char* categories;
  } cases[] = {
      {9, 69, 0, "Holiday"}, {11, 85, 384, "Holiday"}, {12, 81, 384, ""}, {14, 81, 384, ""}};
  for (const auto& each : cases) {
    CDlgVCalExportFilter page(App(each.major), Key());
    const CvCalFilter filter = page.GetFilter();
    EXPECT_EQ(filter.mask, each.mask) << each.major;
    EXPECT_EQ(filter.LabelMask, each.labels) << each.major;
    EXPECT_EQ(filter.Categories, each.categories) << each.major;
    EXPECT_EQ(filter.dateFrom, COleDateTime(2026, 2, 19, 0, 0, 0));
    EXPECT_EQ(filter.dateTo, COleDateTime(2026, 5, 4, 0, 0, 0));
  }
}

TEST_F(CalExportPageTest, LabelsAreOfferedOnlyWhereOutlookKeepsThem) {
  for (const int major : {9, 11, 12}) {
    testkit::WriteDword(HKEY_CURRENT_USER, kOptionsPath, "Appointments.Export.Filter", 1 | 16 | 64);
    testkit::WriteDword(HKEY_CURRENT_USER, kOptionsPath, "Appointments.Export.Filter.Labels", 8);
    CDlgVCalExportFilter page(App(major), Key());
    testkit::OnDialog(IDD_VCAL_EXPORT_FILTER, [major](HWND dlg) {
      EXPECT_EQ(testkit::Control(dlg, IDC_CHK_LABELS).enabled, major == 11) << major;
      EXPECT_EQ(testkit::IsChecked(dlg, IDC_CHK_LABELS), major == 11) << major;
      EXPECT_EQ(testkit::Control(dlg, IDC_BTN_LABELS).enabled, major == 11) << major;
      // Outlook 2000 has no categories dialog.
      EXPECT_EQ(testkit::Control(dlg, IDC_BTN_CATEGORIES).visible, major != 9) << major;
      testkit::Click(dlg, IDOK);
      if (!testkit::DialogEnded(dlg)) {
        ADD_FAILURE() << "the page stayed with Outlook " << major;
        testkit::Click(dlg, IDCANCEL);
      }
    });
    EXPECT_EQ(page.DoModal(nullptr), IDOK);
    EXPECT_EQ(Stored("Appointments.Export.Filter"), major == 11 ? 81u : 65u) << major;
  }
}

TEST_F(CalExportPageTest, ExportRefusesAnEmptyRuleOrAnEmptyWindow) {
  CDlgVCalExportFilter page(App(11), Key());
  testkit::OnDialog(IDD_VCAL_EXPORT_FILTER, [](HWND dlg) {
    testkit::SetCheck(dlg, IDC_CHK_CATEGORIES, true);
    testkit::TypeText(dlg, IDC_TXT_CATEGORIES, "  ");
    testkit::Click(dlg, IDOK);
    testkit::TypeText(dlg, IDC_TXT_CATEGORIES, "Holiday");
    testkit::SetCheck(dlg, IDC_CHK_DATES, true);
    const SYSTEMTIME day{2026, 5, 0, 1, 0, 0, 0, 0};
    testkit::SetDate(dlg, IDC_DTP_START, day);
    testkit::SetDate(dlg, IDC_DTP_END, day);
    testkit::Click(dlg, IDOK);
    EXPECT_FALSE(testkit::DialogEnded(dlg));
    testkit::SetDate(dlg, IDC_DTP_END, SYSTEMTIME{2026, 5, 0, 2, 0, 0, 0, 0});
    testkit::Click(dlg, IDOK);
  });
  EXPECT_EQ(page.DoModal(nullptr), IDOK);
  const std::vector<testkit::MessageBoxRecord> boxes = testkit::MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(page.GetFilter().dateTo, COleDateTime(2026, 5, 2, 0, 0, 0));
  EXPECT_EQ(page.GetFilter().Categories, "Holiday");
  // "< Back" stores the page without asking.
  CDlgVCalExportFilter back(App(11), Key());
  testkit::OnDialog(IDD_VCAL_EXPORT_FILTER, [](HWND dlg) {
    testkit::SetCheck(dlg, IDC_CHK_IGNORE_PRIVATES, true);
    testkit::SetCheck(dlg, IDC_CHK_CATEGORIES, true);
    testkit::TypeText(dlg, IDC_TXT_CATEGORIES, "");
    testkit::Click(dlg, IDBACK);
  });
  EXPECT_EQ(back.DoModal(nullptr), IDBACK);
  EXPECT_EQ(testkit::MessageBoxes().size(), 2u);
  EXPECT_EQ(*Stored("Appointments.Export.Filter") & CvCalFilter::kSkipNotNormal,
            CvCalFilter::kSkipNotNormal);
}

TEST_F(CalExportPageTest, TheFormatButtonsAreOneGroup) {
  CDlgVCalExportOptions options(false, CvCalExport::kVCalendar10, "");
  testkit::OnDialog(IDD_VCAL_EXPORT_OPTIONS, [](HWND dlg) {
    EXPECT_TRUE(testkit::IsChecked(dlg, IDC_OPT_VCAL10));
    testkit::Click(dlg, IDC_OPT_VCAL20);
    EXPECT_FALSE(testkit::IsChecked(dlg, IDC_OPT_VCAL10));
    testkit::Click(dlg, IDOK);
  });
  EXPECT_EQ(options.DoModal(nullptr), IDOK);
  EXPECT_EQ(options.m_format, CvCalExport::kICalendar20);
  // An unknown name selects the list's first entry.
  EXPECT_FALSE(options.m_encoding.empty());
}

TEST_F(CalExportPageTest, TheFirstPageStartsFromItsStoredOptions) {
  testkit::WriteDword(HKEY_CURRENT_USER, kOptionsPath, "Appointments.Export.Format", 21);
  testkit::WriteString(HKEY_CURRENT_USER, kOptionsPath, "Appointments.Export.Encoding", "Klingon");
  Outlook::_ApplicationPtr app = App(14);
  Outlook::_ExplorerPtr explorer =
      testkit::OpenExplorer(app->GetSession()->GetDefaultFolder(Outlook::olFolderCalendar));
  CDlgVCalExport page(app, Key(), nullptr, true);
  EXPECT_TRUE(page.m_oneFile);
  EXPECT_EQ(page.m_format, CvCalExport::kVCalendar10);
  EXPECT_FALSE(page.m_overwrite);
  EXPECT_NE(page.m_encoding, "Klingon");
  EXPECT_FALSE(page.m_encoding.empty());
  EXPECT_FALSE(page.m_selectionAvailable);
  testkit::OnDialog(IDD_VCAL_EXPORT, [](HWND dlg) {
    EXPECT_EQ(testkit::ControlText(dlg, IDC_LBL_FORMAT), "vCalendar");
    EXPECT_EQ(testkit::ControlText(dlg, IDC_TXT_OL_FLD), "\\\\Personal Folders\\Calendar");
    EXPECT_FALSE(testkit::Control(dlg, IDC_CHK_EXPORT_SELECTED).enabled);
    EXPECT_EQ(testkit::TooltipsOf(dlg, IDC_BTN_EXPORT_ALL).size(), 1u);
    testkit::Click(dlg, IDCANCEL);
  });
  EXPECT_EQ(page.DoModal(nullptr), IDCANCEL);
}

}  // namespace
}  // namespace calwriter
