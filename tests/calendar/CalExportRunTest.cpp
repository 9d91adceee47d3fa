// The export-events wizard end to end over the stand-in store: the pages as a user
// goes through them, the run under its progress dialog, the event filter, the names
// of the files, and what failures leave behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "CalWriterFixture.h"
#include "calendar/CvCalExport.h"
#include "com/ComObject.h"
#include "resource.h"
#include "testkit/Dialogs.h"
#include "testkit/Files.h"
#include "testkit/Locale.h"
#include "testkit/Outlook.h"
#include "testkit/Redemption.h"
#include "testkit/Store.h"
#include "testkit/Watchdog.h"

namespace calwriter {
namespace {

// An appointment of the calendar file (JSON members).
std::string Event(const std::string& subject, const std::string& start, const std::string& end,
                  const std::string& more = "") {
  return R"({"Subject": ")" + subject + R"(", "Start": ")" + start + R"(", "End": ")" + end + "\"" +
         (more.empty() ? "" : ", " + more) + "}";
}

// An item that acts when the run asks it for its appointment interface.
class ActingItem : public kelvra::ComObject<IDispatch> {
 public:
  ActingItem(IDispatchPtr item, std::function<void()> action)
      : item_(std::move(item)), action_(std::move(action)) {}
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (iid == __uuidof(Outlook::_AppointmentItem)) {
      if (action_) std::exchange(action_, nullptr)();
      return item_->QueryInterface(iid, object);
    }
    return kelvra::ComObject<IDispatch>::QueryInterface(iid, object);
  }

 private:
  IDispatchPtr item_;
  std::function<void()> action_;
};

struct Finish {
  std::string total, exported, failed, skipped;
  bool shown = false;
};

class CalExportRunTest : public CalWriterTest {
 protected:
  void SetUp() override {
    CalWriterTest::SetUp();
    m_app = testkit::CreateOutlookApplication();
    std::filesystem::create_directories(Temp().linuxPath("out"));
    LoadCalendar(Event("Standup", "2026-05-04T09:00:00", "2026-05-04T09:15:00") + "," +
                 Event("Review", "2026-05-05T14:00:00", "2026-05-05T15:00:00") + "," +
                 Event("Offsite", "2026-05-06T00:00:00", "2026-05-08T00:00:00"));
    // The page starts from the explorer's folder; without a window it has none.
    m_explorer = testkit::OpenExplorer(Calendar());
  }
  Outlook::MAPIFolderPtr Calendar() const {
    return m_app->GetSession()->GetDefaultFolder(Outlook::olFolderCalendar);
  }
  void TearDown() override {
    testkit::ClearDialogScripts();
    testkit::ClearShownDialogs();
    m_explorer = nullptr;
    testkit::ResetExplorers();
    m_app = nullptr;
    CalWriterTest::TearDown();
  }

  std::string OutWindows() const { return Temp().windowsPath("out"); }
  std::vector<std::string> OutFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Temp().linuxPath("out")))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string OutFile(const std::string& name) const { return Temp().read("out/" + name); }

  // The first page answered with the output folder and one-file choice, left with
  // "Next >" (filter) or "Export All".
  void FirstPage(bool oneFile, bool next, bool selected = false) {
    testkit::OnDialog(IDD_VCAL_EXPORT, [this, oneFile, next, selected](HWND dlg) {
      testkit::TypeText(dlg, IDC_TXT_WIN_FLD, OutWindows());
      testkit::SetCheck(dlg, IDC_CHK_SAVE_ONE_FILE, oneFile);
      testkit::SetCheck(dlg, IDC_CHK_EXPORT_SELECTED, selected);
      testkit::Click(dlg, next ? IDOK : IDC_BTN_EXPORT_ALL);
    });
  }
  void Options(int format, bool overwrite) {
    testkit::OnDialog(IDD_VCAL_EXPORT_OPTIONS, [format, overwrite](HWND dlg) {
      testkit::Click(dlg, format == k20 ? IDC_OPT_VCAL20 : IDC_OPT_VCAL10);
      testkit::SetCheck(dlg, IDC_CHK_OVERWRITE, overwrite);
      testkit::Click(dlg, IDOK);
    });
  }
  void OnFinish() {
    testkit::OnDialog(IDD_VCAL_EXPORT_FINISH, [this](HWND dlg) {
      m_finish = {testkit::ControlText(dlg, IDC_LBL_NUM_SELECTED),
                  testkit::ControlText(dlg, IDC_LBL_NUM_EXPORTED),
                  testkit::ControlText(dlg, IDC_LBL_NUM_FAILURES),
                  testkit::ControlText(dlg, IDC_LBL_NUM_SKIPPED), true};
      testkit::SetCheck(dlg, IDC_CHK_OPEN_FOLDER, false);
      testkit::Click(dlg, IDCANCEL);
    });
  }
  int Run(CvCalExport& exporter) {
    OnFinish();
    return exporter.Execute(m_app, &m_key, nullptr);
  }
  void ExpectFinish(const char* total, const char* exported, const char* failed,
                    const char* skipped) {
    EXPECT_TRUE(m_finish.shown);
    EXPECT_EQ(m_finish.total, total);
    EXPECT_EQ(m_finish.exported, exported);
    EXPECT_EQ(m_finish.failed, failed);
    EXPECT_EQ(m_finish.skipped, skipped);
  }
  // A calendar of count one-hour events E0, E1, ... on consecutive days, all selected in
  // the window; the third acts as the run reaches it (the first page looks at two).
  void SelectEventsActingAtTheThird(int count, std::function<void()> action) {
    std::string items;
    for (int i = 0; i < count; ++i) {
      const std::string day = "2026-05-0" + std::to_string(i + 1);
      items +=
          (i ? "," : "") + Event("E" + std::to_string(i), day + "T10:00:00", day + "T11:00:00");
    }
    LoadCalendar(items);
    m_explorer = testkit::OpenExplorer(Calendar());
    Outlook::_ItemsPtr all = Calendar()->GetItems();
    std::vector<IDispatchPtr> selection;
    for (long i = 1; i <= all->GetCount(); ++i) {
      IDispatchPtr item = all->Item(_variant_t(i));
      if (i == 3) item = IDispatchPtr(new ActingItem(item, action));
      selection.push_back(item);
    }
    testkit::SelectItems(m_explorer, selection);
  }
  bool Shown(int dialog) const {
    const std::vector<int> shown = testkit::ShownDialogs();
    return std::find(shown.begin(), shown.end(), dialog) != shown.end();
  }

  testkit::Watchdog m_watchdog{"calendar export run", std::chrono::seconds(60)};
  Outlook::_ApplicationPtr m_app;
  Outlook::_ExplorerPtr m_explorer;
  HKEY m_key = nullptr;
  Finish m_finish;
};

// --- The wizard ---------------------------------------------------------------------------

TEST_F(CalExportRunTest, ExportAllWritesAFilePerEventNamedByStartAndSubject) {
  FirstPage(false, false);
  CvCalExport exporter;
  ASSERT_EQ(Run(exporter), 0);
  ExpectFinish("3", "3", "0", "0");
  EXPECT_EQ(OutFiles(),
            (std::vector<std::string>{"20260504090000_Standup.vcs", "20260505140000_Review.vcs",
                                      "20260506000000_Offsite.vcs"}));
  const std::string standup = OutFile("20260504090000_Standup.vcs");
  EXPECT_EQ(standup.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
  EXPECT_EQ(standup.substr(standup.size() - 13), "END:VCALENDAR");
  EXPECT_TRUE(Shown(IDD_VCAL_EXPORT_PROGRESS));
  EXPECT_FALSE(Shown(IDD_VCAL_EXPORT_FILTER));
  // The finish page had the files; the run lets go of them afterwards.
  EXPECT_TRUE(exporter.Written().empty());
}

TEST_F(CalExportRunTest, OneFileIsNamedAfterTheFolderAndHoldsEveryEvent) {
  testkit::OnDialog(IDD_VCAL_EXPORT, [this](HWND dlg) {
    testkit::TypeText(dlg, IDC_TXT_WIN_FLD, OutWindows());
    testkit::Click(dlg, IDC_BTN_OPTIONS);
    testkit::Click(dlg, IDC_BTN_EXPORT_ALL);
  });
  Options(k20, false);
  CvCalExport exporter;
  ASSERT_EQ(Run(exporter), 0);
  ExpectFinish("3", "3", "0", "0");
  ASSERT_EQ(OutFiles(), std::vector<std::string>{"Calendar.ics"});
  const std::string text = OutFile("Calendar.ics");
  EXPECT_EQ(LinesStarting(text, "BEGIN:VEVENT").size(), 3u);
  EXPECT_EQ(LinesStarting(text, "BEGIN:VCALENDAR").size(), 1u);
  EXPECT_EQ(Lines(text).back(), "END:VCALENDAR");
}

TEST_F(CalExportRunTest, ACancelledPageRunsNothing) {
  testkit::OnDialog(IDD_VCAL_EXPORT, [](HWND dlg) { testkit::Click(dlg, IDCANCEL); });
  CvCalExport exporter;
  EXPECT_EQ(Run(exporter), 0);
  EXPECT_TRUE(OutFiles().empty());
  EXPECT_FALSE(Shown(IDD_VCAL_EXPORT_PROGRESS));
  EXPECT_FALSE(m_finish.shown);
  // The filter page's Cancel ends the wizard too.
  FirstPage(true, true);
  testkit::OnDialog(IDD_VCAL_EXPORT_FILTER, [](HWND dlg) { testkit::Click(dlg, IDCANCEL); });
  EXPECT_EQ(Run(exporter), 0);
  EXPECT_TRUE(OutFiles().empty());
  EXPECT_FALSE(m_finish.shown);
}

TEST_F(CalExportRunTest, BackFromTheFilterPageShowsTheFirstPageAgain) {
  int firstPages = 0;
  for (int pass = 1; pass <= 2; ++pass)
    testkit::OnDialog(IDD_VCAL_EXPORT, [this, &firstPages](HWND dlg) {
      ++firstPages;
      testkit::TypeText(dlg, IDC_TXT_WIN_FLD, OutWindows());
      testkit::Click(dlg, firstPages == 1 ? IDOK : IDC_BTN_EXPORT_ALL);
    });
  testkit::OnDialog(IDD_VCAL_EXPORT_FILTER, [](HWND dlg) { testkit::Click(dlg, IDBACK); });
  CvCalExport exporter;
  ASSERT_EQ(Run(exporter), 0);
  EXPECT_EQ(firstPages, 2);
  // Left with "Export All" the second time: no filter, all three go.
  ExpectFinish("3", "3", "0", "0");
}

TEST_F(CalExportRunTest, TheFilterPageLeavesOutWhatItsChecksSay) {
  FirstPage(false, true);
  testkit::OnDialog(IDD_VCAL_EXPORT_FILTER, [](HWND dlg) {
    testkit::SetCheck(dlg, IDC_CHK_IGNORE_ALLDAYS, true);
    testkit::SetCheck(dlg, IDC_CHK_CATEGORIES, false);
    testkit::SetCheck(dlg, IDC_CHK_LABELS, false);
    testkit::SetCheck(dlg, IDC_CHK_DATES, false);
    testkit::Click(dlg, IDOK);
  });
  CvCalExport exporter;
  ASSERT_EQ(Run(exporter), 0);
  // Offsite lasts two whole days: all-day by its length.
  ExpectFinish("3", "2", "0", "1");
  EXPECT_EQ(OutFiles().size(), 2u);
}

TEST_F(CalExportRunTest, CancelSkipsEveryEventNotYetWritten) {
  SelectEventsActingAtTheThird(
      6, [] { testkit::Click(testkit::WaitForDialog(IDD_VCAL_EXPORT_PROGRESS), IDCANCEL); });
  FirstPage(true, false, true);
  CvCalExport exporter;
  ASSERT_EQ(Run(exporter), 0);
  ExpectFinish("6", "3", "0", "3");
  const std::string text = OutFile("Calendar.vcs");
  EXPECT_EQ(LinesStarting(text, "BEGIN:VEVENT").size(), 3u);
  EXPECT_EQ(Lines(text).back(), "END:VCALENDAR");
}

TEST_F(CalExportRunTest, SelectedOnlyNeedsAnExplorer) {
  CvCalExport exporter;
  Outlook::_ItemsPtr all = Calendar()->GetItems();
  testkit::SelectItems(m_explorer, {all->Item(_variant_t(1L)), all->Item(_variant_t(2L))});
  testkit::OnDialog(IDD_VCAL_EXPORT, [this](HWND dlg) {
    EXPECT_TRUE(testkit::IsChecked(dlg, IDC_CHK_EXPORT_SELECTED));
    testkit::TypeText(dlg, IDC_TXT_WIN_FLD, OutWindows());
    testkit::ResetExplorers();
    testkit::Click(dlg, IDC_BTN_EXPORT_ALL);
  });
  EXPECT_EQ(Run(exporter), -1);
  EXPECT_FALSE(m_finish.shown);
  EXPECT_NE(Log().Text().find("no active explorer"), std::string::npos);
}

// --- Failures -----------------------------------------------------------------------------

TEST_F(CalExportRunTest, AFailingEventFailsAloneAndLeavesNoFile) {
  testkit::FailCall("AppointmentItem.Location", 2, E_FAIL);
  FirstPage(false, false);
  CvCalExport exporter;
  ASSERT_EQ(Run(exporter), 0);
  ExpectFinish("3", "2", "1", "0");
  EXPECT_EQ(OutFiles(),
            (std::vector<std::string>{"20260504090000_Standup.vcs", "20260506000000_Offsite.vcs"}));
  EXPECT_NE(Log().Text().find("CvCalExport::ExportItem"), std::string::npos);
}

TEST_F(CalExportRunTest, AFailedEventDoesNotReplaceTheFileItWouldOverwrite) {
  Temp().write("out/20260505140000_Review.vcs", "kept");
  testkit::FailCall("AppointmentItem.Location", 2, E_FAIL);
  testkit::OnDialog(IDD_VCAL_EXPORT, [this](HWND dlg) {
    testkit::TypeText(dlg, IDC_TXT_WIN_FLD, OutWindows());
    testkit::SetCheck(dlg, IDC_CHK_SAVE_ONE_FILE, false);
    testkit::Click(dlg, IDC_BTN_OPTIONS);
    testkit::Click(dlg, IDC_BTN_EXPORT_ALL);
  });
  Options(k10, true);
  CvCalExport exporter;
  ASSERT_EQ(Run(exporter), 0);
  EXPECT_EQ(OutFile("20260505140000_Review.vcs"), "kept");
  EXPECT_EQ(OutFiles().size(), 3u);
}

TEST_F(CalExportRunTest, AShortWriteInOneFileFailsTheRestAndLeavesNothingOfTheEvent) {
  // The third event's write comes up short.
  SelectEventsActingAtTheThird(5, [] { testkit::InjectShortWrite(10); });
  FirstPage(true, false, true);
  CvCalExport exporter;
  ASSERT_EQ(Run(exporter), 0);
  ExpectFinish("5", "2", "3", "0");
  const std::string text = OutFile("Calendar.vcs");
  EXPECT_EQ(LinesStarting(text, "BEGIN:VEVENT").size(), 2u);
  EXPECT_EQ(text.find("E2"), std::string::npos);
  EXPECT_EQ(Lines(text).back(), "END:VCALENDAR");
  EXPECT_NE(Log().Text().find("CvCalExport::_Write"), std::string::npos);
}

TEST_F(CalExportRunTest, WithoutTheSafeItemEveryAppointmentFails) {
  testkit::FailCreate("Redemption.SafeAppointmentItem", REGDB_E_CLASSNOTREG);
  FirstPage(false, false);
  CvCalExport exporter;
  ASSERT_EQ(Run(exporter), 0);
  ExpectFinish("3", "0", "3", "0");
  EXPECT_TRUE(OutFiles().empty());
  const std::string log = Log().Text();
  const std::string line = "Redemption.SafeAppointmentItem cannot be created";
  EXPECT_NE(log.find(line), std::string::npos);
  EXPECT_EQ(log.find(line), log.rfind(line)) << "logged once";
}

TEST_F(CalExportRunTest, AProgressDialogThatCannotStartRemovesTheOneFile) {
  testkit::FailDialogCreation(IDD_VCAL_EXPORT_PROGRESS);
  FirstPage(true, false);
  CvCalExport exporter;
  EXPECT_EQ(Run(exporter), -1);
  testkit::FailDialogCreation(IDD_VCAL_EXPORT_PROGRESS, false);
  EXPECT_TRUE(OutFiles().empty());
  EXPECT_FALSE(m_finish.shown);
}

TEST_F(CalExportRunTest, AFolderWithoutItemsEndsOnTheFinishPageWithZeros) {
  LoadCalendar("");
  m_explorer = testkit::OpenExplorer(Calendar());
  FirstPage(true, false);
  CvCalExport exporter;
  ASSERT_EQ(Run(exporter), 0);
  ExpectFinish("0", "0", "0", "0");
  EXPECT_TRUE(OutFiles().empty());
  EXPECT_FALSE(Shown(IDD_VCAL_EXPORT_PROGRESS));
}

}  // namespace
}  // namespace calwriter
