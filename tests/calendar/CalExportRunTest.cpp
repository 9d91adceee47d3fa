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

#include "CalWizardFixture.h"
#include "calendar/CvCalExport.h"
#include "com/ComObject.h"
#include "resource.h"
#include "testkit/Clock.h"
#include "testkit/Dialogs.h"
#include "testkit/Files.h"
#include "testkit/Locale.h"
#include "testkit/Mail.h"
#include "testkit/Outlook.h"
#include "testkit/Redemption.h"
#include "testkit/Store.h"
#include "testkit/Watchdog.h"
#include "testkit/Windows.h"

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

// The temporary files of output files in the process's current folder.
int StrayFiles() {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("."))
    if (entry.path().filename().string().rfind("kel", 0) == 0) ++count;
  return count;
}

// Thrown by a timer that fires while the run pumps its messages.
struct BrokenLoop {};
void CALLBACK BreakTheLoop(HWND window, UINT, UINT_PTR id, DWORD) {
  KillTimer(window, id);
  throw BrokenLoop();
}

struct Finish {
  std::string total, exported, failed, skipped;
  bool shown = false;
};

class CalExportRunTest : public CalWizardTest {
 protected:
  void SetUp() override {
    CalWizardTest::SetUp();
    std::filesystem::create_directories(Temp().linuxPath("out"));
    LoadCalendar(Event("Standup", "2026-05-04T09:00:00", "2026-05-04T09:15:00") + "," +
                 Event("Review", "2026-05-05T14:00:00", "2026-05-05T15:00:00") + "," +
                 Event("Offsite", "2026-05-06T00:00:00", "2026-05-08T00:00:00"));
    ShowCalendar();
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
  // The finish page closed, with the written files mailed when mail is true.
  void OnFinish(bool mail) {
    testkit::OnDialog(IDD_VCAL_EXPORT_FINISH, [this, mail](HWND dlg) {
      m_finish = {testkit::ControlText(dlg, IDC_LBL_NUM_SELECTED),
                  testkit::ControlText(dlg, IDC_LBL_NUM_EXPORTED),
                  testkit::ControlText(dlg, IDC_LBL_NUM_FAILURES),
                  testkit::ControlText(dlg, IDC_LBL_NUM_SKIPPED), true};
      testkit::SetCheck(dlg, IDC_CHK_OPEN_FOLDER, false);
      testkit::SetCheck(dlg, IDC_CHK_OPEN_EMAIL, mail);
      testkit::Click(dlg, IDCANCEL);
    });
  }
  int Run(CvCalExport& exporter, bool mail = false) {
    OnFinish(mail);
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
    ShowCalendar();
    Outlook::_ItemsPtr all = CalendarFolder()->GetItems();
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

  // The first page answered for a per-item export, with fault planned as it is left.
  void FirstPageFailing(const std::function<void()>& fault, bool selected) {
    testkit::OnDialog(IDD_VCAL_EXPORT, [this, fault, selected](HWND dlg) {
      testkit::TypeText(dlg, IDC_TXT_WIN_FLD, OutWindows());
      testkit::SetCheck(dlg, IDC_CHK_SAVE_ONE_FILE, false);
      testkit::SetCheck(dlg, IDC_CHK_EXPORT_SELECTED, selected);
      fault();
      testkit::Click(dlg, IDC_BTN_EXPORT_ALL);
    });
  }

  testkit::Watchdog m_watchdog{"calendar export run", std::chrono::seconds(60)};
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
  Outlook::_ItemsPtr all = CalendarFolder()->GetItems();
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

TEST_F(CalExportRunTest, TheMailAttachesTheFilesInTheOrderTheyWereWritten) {
  std::string items;
  std::vector<std::string> written;
  for (int i = 0; i < 8; ++i) {
    const std::string n = std::to_string(i);
    items += (i ? "," : "") +
             Event("E" + n, "2026-05-1" + n + "T10:00:00", "2026-05-1" + n + "T11:00:00");
    written.push_back(OutWindows() + "\\2026051" + n + "100000_E" + n + ".vcs");
  }
  LoadCalendar(items);
  ShowCalendar();
  testkit::ClearMails();
  FirstPage(false, false);
  CvCalExport exporter;
  ASSERT_EQ(Run(exporter, true), 0);
  ExpectFinish("8", "8", "0", "0");
  const std::vector<testkit::MailRecord> mails = testkit::Mails();
  ASSERT_EQ(mails.size(), 1u);
  EXPECT_EQ(mails[0].attachmentPaths, written);
}

// --- File names ---------------------------------------------------------------------------

TEST_F(CalExportRunTest, ALongSubjectIsShortenedToWholeCharactersSoThatThePathFits) {
  const std::string letters(300, 'A');
  std::string umlauts;
  for (int i = 0; i < 150; ++i) umlauts += "\xC3\x9C";
  LoadCalendar(Event(letters, "2026-05-04T09:00:00", "2026-05-04T10:00:00") + "," +
               Event(letters, "2026-05-04T09:00:00", "2026-05-04T10:00:00") + "," +
               Event(umlauts, "2026-05-05T09:00:00", "2026-05-05T10:00:00"));
  ShowCalendar();
  const int stray = StrayFiles();
  FirstPage(false, false);
  CvCalExport exporter;
  ASSERT_EQ(Run(exporter), 0);
  ExpectFinish("3", "3", "0", "0");
  // Room for the name and its tail in a path of MAX_PATH - 1 characters; the stamp, the
  // numbering and the extension stay.
  const size_t room = MAX_PATH - 1 - (OutWindows().size() + 1);
  const std::string first = "20260504090000_" + std::string(room - 15 - 4, 'A') + ".vcs";
  const std::string second = "20260504090000_" + std::string(room - 15 - 7, 'A') + "(1).vcs";
  std::string third = "20260505090000_";
  for (size_t i = 0; i < (room - 15 - 4) / 2; ++i) third += "\xC3\x9C";
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{second, first, third + ".vcs"}));
  for (const std::string& file : OutFiles())
    EXPECT_EQ(Lines(OutFile(file)).back(), "END:VCALENDAR") << file;
  EXPECT_EQ(StrayFiles(), stray);
}

TEST_F(CalExportRunTest, AFolderWithoutRoomForTheStampFailsItsEventsAndLeavesNoFile) {
  // A folder of 250 characters leaves no room for "\\20260504090000.vcs".
  const std::string deep = std::string(200, 'd') + "/" + std::string(48 - OutWindows().size(), 'e');
  std::filesystem::create_directories(Temp().linuxPath("out/" + deep));
  const int stray = StrayFiles();
  CvCalExport writer;
  writer.SetFormat(k10);
  writer.SetOutput(OutWindows() + "\\" + std::string(200, 'd') + "\\" + deep.substr(201), false,
                   false, "");
  ASSERT_TRUE(writer.BeforeExport());
  for (const char* subject : {"Standup", "Review"}) {
    writer.SetItem(Appointment(subject));
    EXPECT_EQ(writer.ExportItem(), -2) << subject;
  }
  EXPECT_TRUE(writer.FinishExport());
  EXPECT_TRUE(std::filesystem::is_empty(Temp().linuxPath("out/" + deep)));
  EXPECT_TRUE(writer.Written().empty());
  EXPECT_EQ(StrayFiles(), stray);
  EXPECT_NE(Log().Text().find("FitExportFilePath"), std::string::npos);
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

TEST_F(CalExportRunTest, AOneFileWhoseHeaderCannotBeWrittenLeavesThePreviousExport) {
  Temp().write("out/Calendar.vcs", "previous");
  CvCalExport writer;
  writer.SetFormat(k10);
  writer.SetOutput(OutWindows(), true, true, "Calendar");
  testkit::InjectShortWrite(10);
  EXPECT_FALSE(writer.BeforeExport());
  writer.FinishExport();
  EXPECT_EQ(OutFiles(), std::vector<std::string>{"Calendar.vcs"});
  EXPECT_EQ(OutFile("Calendar.vcs"), "previous");
  EXPECT_NE(Log().Text().find("CvCalExport::_Write"), std::string::npos);
}

TEST_F(CalExportRunTest, AOneFileThatCannotTakeItsPlaceFailsEveryEvent) {
  // A folder stands where the calendar goes.
  std::filesystem::create_directories(Temp().linuxPath("out/Calendar.vcs"));
  testkit::OnDialog(IDD_VCAL_EXPORT, [this](HWND dlg) {
    testkit::TypeText(dlg, IDC_TXT_WIN_FLD, OutWindows());
    testkit::Click(dlg, IDC_BTN_OPTIONS);
    testkit::Click(dlg, IDC_BTN_EXPORT_ALL);
  });
  Options(k10, true);
  CvCalExport exporter;
  ASSERT_EQ(Run(exporter), 0);
  ExpectFinish("3", "0", "3", "0");
  EXPECT_EQ(OutFiles(), std::vector<std::string>{"Calendar.vcs"});
  EXPECT_NE(Log().Text().find("CvCalExport::_CloseFile"), std::string::npos);
}

TEST_F(CalExportRunTest, ItemsThatCannotBeReadFailTheRun) {
  CvCalExport exporter;
  FirstPageFailing([] { testkit::FailCall("Folder.Items", 0, E_FAIL); }, false);
  EXPECT_EQ(Run(exporter), -1);
  EXPECT_FALSE(m_finish.shown);
  EXPECT_NE(Log().Text().find("CvCalExport::Execute"), std::string::npos);
  testkit::ClearFaults();
  // The explorer's selection likewise.
  Outlook::_ItemsPtr all = CalendarFolder()->GetItems();
  testkit::SelectItems(m_explorer, {all->Item(_variant_t(1L)), all->Item(_variant_t(2L))});
  FirstPageFailing([] { testkit::FailCall("Explorer.Selection", 0, E_FAIL); }, true);
  EXPECT_EQ(Run(exporter), -1);
  EXPECT_FALSE(m_finish.shown);
  EXPECT_TRUE(OutFiles().empty());
}

TEST_F(CalExportRunTest, ABrokenRunClosesItsProgressEndsTheOneFileAndFails) {
  // At the third event a timer is set that throws when the run next pumps messages.
  HWND window = nullptr;
  SelectEventsActingAtTheThird(5, [&window] {
    window = testkit::CreateTestDialog({});
    SetTimer(window, 1, 1, BreakTheLoop);
    testkit::AdvanceClock(1);
  });
  FirstPage(true, false, true);
  CvCalExport exporter;
  EXPECT_EQ(Run(exporter), -1);
  testkit::DestroyTestWindow(window);
  EXPECT_FALSE(m_finish.shown);
  EXPECT_NE(Log().Text().find("CATCHED EXCEPTION!"), std::string::npos);
  const std::vector<HWND> windows = testkit::TopLevelWindows();
  EXPECT_EQ(std::find_if(windows.begin(), windows.end(),
                         [](HWND w) { return testkit::WindowVisible(w); }),
            windows.end());
  const std::string text = OutFile("Calendar.vcs");
  EXPECT_EQ(LinesStarting(text, "BEGIN:VEVENT").size(), 3u);
  EXPECT_EQ(Lines(text).back(), "END:VCALENDAR");
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
  EmptyCalendar();
  FirstPage(true, false);
  CvCalExport exporter;
  ASSERT_EQ(Run(exporter), 0);
  ExpectFinish("0", "0", "0", "0");
  EXPECT_TRUE(OutFiles().empty());
  EXPECT_FALSE(Shown(IDD_VCAL_EXPORT_PROGRESS));
}

}  // namespace
}  // namespace calwriter
