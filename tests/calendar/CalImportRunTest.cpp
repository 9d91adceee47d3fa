// The import-events wizard end to end over the stand-in store: the pages as a user goes
// through them, the files it takes, the appointments it makes, the duplicate rules, the
// filter, the recurrence exceptions, a series' own zone, the meeting id and Cancel.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "CalWriterFixture.h"
#include "calendar/AppointmentTimezone.h"
#include "calendar/CvCalExport.h"
#include "calendar/CvCalImport.h"
#include "com/objbase.h"
#include "redemption/redemption.h"
#include "resource.h"
#include "testkit/Dialogs.h"
#include "testkit/Files.h"
#include "testkit/Operator.h"
#include "testkit/Outlook.h"
#include "testkit/Store.h"
#include "testkit/TimeZone.h"
#include "testkit/Watchdog.h"
#include "testkit/ZoneList.h"

namespace calwriter {
namespace {

std::string Calendar(const std::string& events) {
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n" + events + "END:VCALENDAR\r\n";
}

std::string Vevent(const std::string& summary, const std::string& lines) {
  return "BEGIN:VEVENT\r\nSUMMARY:" + summary + "\r\n" + lines + "END:VEVENT\r\n";
}

struct Finish {
  std::string files, imported, failed, skipped;
  bool shown = false;
};

class CalImportRunTest : public CalWriterTest {
 protected:
  void SetUp() override {
    CalWriterTest::SetUp();
    LoadCalendar("");
    m_app = testkit::CreateOutlookApplication();
    m_explorer =
        testkit::OpenExplorer(m_app->GetSession()->GetDefaultFolder(Outlook::olFolderCalendar));
    std::filesystem::create_directories(Temp().linuxPath("in"));
    testkit::ClearMessageBoxes();
  }
  void TearDown() override {
    testkit::ClearDialogScripts();
    testkit::ClearShownDialogs();
    m_explorer = nullptr;
    testkit::ResetExplorers();
    m_app = nullptr;
    CalWriterTest::TearDown();
  }

  std::string In(const std::string& name, const std::string& text) const {
    Temp().write("in/" + name, text);
    return Temp().windowsPath("in\\" + name);
  }
  // The first page with these files, left with "Import All" (or "Next >"), and the
  // options dialog choosing the conflict code when one is given.
  void FirstPage(const std::string& files, int conflict = -1, bool next = false) {
    testkit::OnDialog(IDD_VCAL_IMPORT, [files, conflict, next](HWND dlg) {
      testkit::TypeText(dlg, IDC_TXT_WIN_FLD, files);
      if (conflict >= 0) testkit::Click(dlg, IDC_BTN_OPTIONS);
      testkit::Click(dlg, next ? IDOK : IDC_BTN_IMPORT_ALL);
    });
    if (conflict < 0) return;
    testkit::OnDialog(IDD_VCAL_IMPORT_OPTIONS, [conflict](HWND dlg) {
      const int radios[] = {IDC_OPT_DUPLICATE, IDC_OPT_REPLACE, IDC_OPT_LEAVE};
      testkit::Click(dlg, radios[conflict]);
      testkit::Click(dlg, IDOK);
    });
  }
  Finish Run() {
    Finish finish;
    testkit::OnDialog(IDD_VCAL_IMPORT_FINISH, [&finish](HWND dlg) {
      finish = {testkit::ControlText(dlg, IDC_LBL_NUM_SELECTED),
                testkit::ControlText(dlg, IDC_LBL_NUM_IMPORTED),
                testkit::ControlText(dlg, IDC_LBL_NUM_FAILURES),
                testkit::ControlText(dlg, IDC_LBL_NUM_SKIPPED), true};
      testkit::SetCheck(dlg, IDC_CHK_OPEN_FOLDER, false);
      testkit::Click(dlg, IDCANCEL);
    });
    CvCalImport importer;
    EXPECT_EQ(importer.Execute(m_app, &m_key, nullptr), 0);
    return finish;
  }
  static std::vector<std::string> Subjects() { return CalWriterTest::Subjects(kCalendar); }
  static Outlook::_AppointmentItemPtr Item(const std::string& subject) {
    return Appointment(subject);
  }

  testkit::Watchdog m_watchdog{"calendar import run", std::chrono::seconds(60)};
  Outlook::_ApplicationPtr m_app;
  Outlook::_ExplorerPtr m_explorer;
  HKEY m_key = nullptr;
};

TEST_F(CalImportRunTest, ImportAllMakesAnAppointmentOfEveryEvent) {
  FirstPage(
      In("two.ics",
         Calendar(
             Vevent("Dentist",
                    "DTSTART:20300312T080000Z\r\nDTEND:20300312T084500Z\r\nLOCATION:Main St\r\n") +
             Vevent("Review", "DTSTART:20300313T140000Z\r\nDURATION:PT1H\r\n"))));
  const Finish finish = Run();
  EXPECT_TRUE(finish.shown);
  EXPECT_EQ(finish.files, "1/2");
  EXPECT_EQ(finish.imported, "2");
  EXPECT_EQ(finish.failed, "0");
  EXPECT_EQ(finish.skipped, "0");
  EXPECT_EQ(Subjects(), (std::vector<std::string>{"Dentist", "Review"}));
  // Central European summer time: UTC + 2.
  EXPECT_EQ(COleDateTime(Item("Dentist")->GetStart()), COleDateTime(2030, 3, 12, 9, 0, 0));
  EXPECT_EQ(Item("Review")->GetDuration(), 60);
}

TEST_F(CalImportRunTest, AFolderGivesItsCalendarFilesOnly) {
  In("a.ics", Calendar(Vevent("A", "DTSTART:20300312T080000Z\r\n")));
  In("b.vcs",
     "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\nSUMMARY:B\r\nDTSTART:"
     "20300312T080000Z\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
  In("c.acs", Calendar(Vevent("C", "DTSTART:20300312T080000Z\r\n")));
  FirstPage(Temp().windowsPath("in"));
  const Finish finish = Run();
  EXPECT_EQ(finish.files, "2/2");
  EXPECT_EQ(Subjects().size(), 2u);
}

TEST_F(CalImportRunTest, AllDayByDatesOrByADayLong) {
  FirstPage(
      In("days.ics",
         Calendar(Vevent("Dates", "DTSTART;VALUE=DATE:20300501\r\nDTEND;VALUE=DATE:20300502\r\n") +
                  Vevent("Day long", "DTSTART;VALUE=DATE:20300501\r\nDURATION:PT24H\r\n") +
                  Vevent("Two days", "DTSTART;VALUE=DATE:20300501\r\nDURATION:P2D\r\n"))));
  Run();
  EXPECT_NE(Item("Dates")->GetAllDayEvent(), VARIANT_FALSE);
  EXPECT_NE(Item("Day long")->GetAllDayEvent(), VARIANT_FALSE);
  EXPECT_EQ(Item("Two days")->GetAllDayEvent(), VARIANT_FALSE);
  // A day is never moved by a zone.
  EXPECT_EQ(COleDateTime(Item("Dates")->GetStart()), COleDateTime(2030, 5, 1, 0, 0, 0));
}

TEST_F(CalImportRunTest, PeriodsOfOneEventBecomeAppointmentsOfTheirOwn) {
  FirstPage(In(
      "periods.ics",
      Calendar(Vevent("Slots",
                      "DTSTART:20300601T080000Z\r\nDTEND:20300601T090000Z\r\n"
                      "RDATE;VALUE=PERIOD:20300601T080000Z/20300601T090000Z,20300602T080000Z/PT2H,"
                      "20300603T080000Z/20300603T083000Z\r\n"))));
  const Finish finish = Run();
  EXPECT_EQ(finish.imported, "3");
  EXPECT_EQ(Subjects().size(), 3u);
}

TEST_F(CalImportRunTest, AReminderOfAPastEventIsOff) {
  const std::string alarm =
      "BEGIN:VALARM\r\nTRIGGER:-PT15M\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\nEND:VALARM\r\n";
  FirstPage(In("alarms.ics", Calendar(Vevent("Past", "DTSTART:20200312T080000Z\r\n" + alarm) +
                                      Vevent("Future", "DTSTART:20300312T080000Z\r\n" + alarm))));
  Run();
  EXPECT_EQ(Item("Past")->GetReminderSet(), VARIANT_FALSE);
  EXPECT_NE(Item("Future")->GetReminderSet(), VARIANT_FALSE);
  EXPECT_EQ(Item("Future")->GetReminderMinutesBeforeStart(), 15);
}

TEST_F(CalImportRunTest, ASeriesBegunInThePastKeepsItsReminderWhileItRuns) {
  const std::string alarm =
      "BEGIN:VALARM\r\nTRIGGER:-PT10M\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\nEND:VALARM\r\n";
  FirstPage(
      In("series.ics",
         Calendar(
             Vevent("Running", "DTSTART:20200302T090000Z\r\nRRULE:FREQ=WEEKLY\r\n" + alarm) +
             Vevent("Over", "DTSTART:20200302T090000Z\r\nRRULE:FREQ=WEEKLY;COUNT=3\r\n" + alarm))));
  Run();
  EXPECT_NE(Item("Running")->GetReminderSet(), VARIANT_FALSE);
  EXPECT_EQ(Item("Over")->GetReminderSet(), VARIANT_FALSE);
}

TEST_F(CalImportRunTest, AnEventWhoseSaveFailsCountsAsFailed) {
  testkit::FailCall("AppointmentItem.Save", 0, E_FAIL);
  FirstPage(In("one.ics", Calendar(Vevent("Lost", "DTSTART:20300312T080000Z\r\n"))));
  const Finish finish = Run();
  EXPECT_EQ(finish.files, "1/1");
  EXPECT_EQ(finish.imported, "0");
  EXPECT_EQ(finish.failed, "1");
  EXPECT_NE(Log().Text().find("CvCalImport::AddItem"), std::string::npos);
}

TEST_F(CalImportRunTest, TheDuplicateRulesFindAnEventAlreadyThere) {
  const std::string file =
      In("bob.ics", Calendar(Vevent("Bob's \"party\"",
                                    "DTSTART:20300312T180000Z\r\nDTEND:20300312T200000Z\r\n")));
  FirstPage(file);
  EXPECT_EQ(Run().imported, "1");
  // Keep: the one already there stays, the new one is skipped.
  FirstPage(file, CvCalImport::kKeep);
  Finish finish = Run();
  EXPECT_EQ(finish.imported, "0");
  EXPECT_EQ(finish.skipped, "1") << Log().Text();
  EXPECT_EQ(Subjects().size(), 1u);
  // Replace: the old one goes once the new one is saved.
  FirstPage(file, CvCalImport::kReplace);
  finish = Run();
  EXPECT_EQ(finish.imported, "1");
  EXPECT_EQ(Subjects().size(), 1u);
  // Import all: no search at all.
  FirstPage(file, CvCalImport::kImportAll);
  EXPECT_EQ(Run().imported, "1");
  EXPECT_EQ(Subjects().size(), 2u);
}

TEST_F(CalImportRunTest, ExceptionDatesDeleteAndMoveOccurrences) {
  FirstPage(
      In("series.ics", Calendar(Vevent("Weekly",
                                       "DTSTART:20300304T090000Z\r\nDTEND:20300304T100000Z\r\n"
                                       "RRULE:FREQ=WEEKLY;COUNT=6\r\n"
                                       "EXDATE:20300311T090000Z,20300318T090000Z\r\n"
                                       "RDATE:20300319T090000Z\r\n"))));
  EXPECT_EQ(Run().imported, "1");
  const Outlook::ExceptionsPtr exceptions = Item("Weekly")->GetRecurrencePattern()->GetExceptions();
  ASSERT_EQ(exceptions->GetCount(), 2) << Log().Text();
  int deleted = 0, moved = 0;
  for (long i = 1; i <= exceptions->GetCount(); ++i) {
    const Outlook::ExceptionPtr exception = exceptions->Item(_variant_t(i));
    if (exception->GetDeleted() != VARIANT_FALSE) {
      ++deleted;
      EXPECT_EQ(COleDateTime(exception->GetOriginalDate()), COleDateTime(2030, 3, 11, 10, 0, 0));
    } else {
      ++moved;
      EXPECT_EQ(COleDateTime(exception->GetAppointmentItem()->GetStart()),
                COleDateTime(2030, 3, 19, 10, 0, 0));
    }
  }
  EXPECT_EQ(deleted, 1);
  EXPECT_EQ(moved, 1);
}

// What an appointment brings back from a file.
struct Kept {
  COleDateTime start, end;
  bool allDay = false;
  bool recurring = false;
  long recurrenceType = -1;
  long interval = 0, dayMask = 0, dayOfMonth = 0, instance = 0, monthOfYear = 0, occurrences = 0;
  bool noEnd = false;
  std::string location;
  bool operator==(const Kept&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Kept& kept) {
  return out << kept.start.Format("%Y-%m-%d %H:%M:%S") << " - "
             << kept.end.Format("%Y-%m-%d %H:%M:%S") << (kept.allDay ? " all day" : "")
             << (kept.recurring
                     ? " recurring " + std::to_string(kept.recurrenceType) + "/" +
                           std::to_string(kept.interval) + "/" + std::to_string(kept.dayMask) +
                           "/" + std::to_string(kept.dayOfMonth) + "/" +
                           std::to_string(kept.instance) + "/" + std::to_string(kept.monthOfYear) +
                           "/" + std::to_string(kept.occurrences) + (kept.noEnd ? "/no end" : "")
                     : "")
             << " " << kept.location;
}

Kept KeptOf(const Outlook::_AppointmentItemPtr& item) {
  Kept kept;
  kept.start = COleDateTime(item->GetStart());
  kept.end = COleDateTime(item->GetEnd());
  kept.allDay = item->GetAllDayEvent() != VARIANT_FALSE;
  kept.recurring = item->GetIsRecurring() != VARIANT_FALSE;
  if (kept.recurring) {
    // Only the fields the rule's type uses: Outlook fills the others from the start.
    const Outlook::RecurrencePatternPtr pattern = item->GetRecurrencePattern();
    kept.recurrenceType = pattern->GetRecurrenceType();
    const long type = kept.recurrenceType;
    const bool weekdays = type == Outlook::olRecursDaily && pattern->GetDayOfWeekMask() == 62;
    if (weekdays) {
      // Every weekday is a weekly rule on Monday to Friday in the files.
      kept.recurrenceType = Outlook::olRecursWeekly;
      kept.interval = 1;
      kept.dayMask = 62;
    } else {
      if (type == 0 || type == 1 || type == 2 || type == 3) kept.interval = pattern->GetInterval();
      if (type == 1 || type == 3 || type == 6) kept.dayMask = pattern->GetDayOfWeekMask();
      if (type == 2 || type == 5) kept.dayOfMonth = pattern->GetDayOfMonth();
      if (type == 3 || type == 6) kept.instance = pattern->GetInstance();
      if (type == 5 || type == 6) kept.monthOfYear = pattern->GetMonthOfYear();
    }
    kept.noEnd = pattern->GetNoEndDate() != VARIANT_FALSE;
    kept.occurrences = kept.noEnd ? 0 : pattern->GetOccurrences();
  }
  const _bstr_t location = item->GetLocation();
  const char* text = location;
  kept.location = text ? text : "";
  return kept;
}

TEST_F(CalImportRunTest, WhatTheExportWritesComesBackInBothFormats) {
  // In a zone with daylight saving time (the fixture's) and in one without.
  for (const char* zone : {"", "UTC"})
    for (const int format : {k20, k10}) {
      if (*zone) testkit::SetSystemTimeZone(std::string(zone));
      testkit::LoadMailboxFile(KELVRA_TEST_DATA_DIR "/calendar/writer/events.json");
      std::map<std::string, Kept> exported;
      CvCalExport writer;
      writer.SetOutlookVersion(14);
      writer.SetFormat(format);
      writer.SetOutput(Temp().windowsPath("in"), true, true, "RoundTrip");
      ASSERT_TRUE(writer.BeforeExport());
      // The calendar's events and every kind of rule.
      std::vector<std::pair<std::string, std::string>> items;
      for (const std::string& subject : Subjects()) items.emplace_back(kCalendar, subject);
      for (const std::string& subject : CalWriterTest::Subjects(kRules))
        items.emplace_back(kRules, subject);
      for (const auto& [folder, subject] : items) {
        const Outlook::_AppointmentItemPtr item = Appointment(subject, folder);
        writer.SetItem(item);
        ASSERT_EQ(writer.ExportItem(), 0) << subject << Log().Text();
        exported[subject] = KeptOf(item);
        // vCalendar 1.0 has no all-day form: such a day comes back as a day-long event.
        if (format == k10) exported[subject].allDay = false;
      }
      writer.FinishExport();
      LoadCalendar("");
      m_explorer =
          testkit::OpenExplorer(m_app->GetSession()->GetDefaultFolder(Outlook::olFolderCalendar));
      FirstPage(writer.CurrentFile());
      const Finish finish = Run();
      EXPECT_EQ(finish.imported, std::to_string(exported.size())) << format << zone;
      for (const auto& [subject, kept] : exported) {
        if (!testkit::FindItem(kCalendar, subject)) {
          ADD_FAILURE() << format << ": " << subject << " did not come back";
          continue;
        }
        EXPECT_EQ(KeptOf(Item(subject)), kept) << format << zone << ": " << subject;
      }
    }
}

TEST_F(CalImportRunTest, FilesInTheShapesOtherProgramsWrite) {
  // A web calendar's export: a VTIMEZONE of its own and a weekly series in it.
  const std::string web =
      "BEGIN:VCALENDAR\r\nPRODID:-//Web Calendar//EN\r\nVERSION:2.0\r\nCALSCALE:GREGORIAN\r\n"
      "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\n"
      "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nDTSTART:19700308T020000\r\n"
      "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nEND:DAYLIGHT\r\n"
      "BEGIN:STANDARD\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nDTSTART:19701101T020000\r\n"
      "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
      "BEGIN:VEVENT\r\nDTSTART;TZID=America/New_York:20300107T090000\r\n"
      "DTEND;TZID=America/New_York:20300107T093000\r\nRRULE:FREQ=WEEKLY;BYDAY=MO;COUNT=4\r\n"
      "SUMMARY:Stand-up\r\nUID:abc123@web.example\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
  // A phone's vCalendar 1.0: quoted-printable text and a local time.
  const std::string phone =
      "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\n"
      "SUMMARY;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:Z=C3=BCrich trip\r\n"
      "DTSTART:20300215T080000\r\nDTEND:20300215T170000\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
  FirstPage("\"" + In("web.ics", web) + "\" \"" + In("phone.vcs", phone) + "\"");
  const Finish finish = Run();
  EXPECT_EQ(finish.files, "2/2");
  EXPECT_EQ(finish.imported, "2") << Log().Text();
  const Outlook::_AppointmentItemPtr series = Item("Stand-up");
  EXPECT_EQ(series->GetRecurrencePattern()->GetRecurrenceType(), Outlook::olRecursWeekly);
  EXPECT_EQ(series->GetRecurrencePattern()->GetOccurrences(), 4);
  // 9:00 in New York in January is 14:00 UTC, 15:00 in Central Europe.
  EXPECT_EQ(COleDateTime(series->GetStart()), COleDateTime(2030, 1, 7, 15, 0, 0));
  const Outlook::_AppointmentItemPtr trip = Item("Zürich trip");
  EXPECT_EQ(COleDateTime(trip->GetStart()), COleDateTime(2030, 2, 15, 8, 0, 0));
}

TEST_F(CalImportRunTest, AttendeesMakeAMeetingAndTheOrganizerIsKept) {
  FirstPage(In("meeting.ics",
               Calendar(Vevent("Planning",
                               "DTSTART:20300312T080000Z\r\nDTEND:20300312T090000Z\r\n"
                               "ORGANIZER;CN=Ann:MAILTO:ann@example.com\r\n"
                               "ATTENDEE;CN=Bob;ROLE=REQ-PARTICIPANT:MAILTO:bob@example.com\r\n"
                               "ATTENDEE;CN=Cy;ROLE=OPT-PARTICIPANT:MAILTO:cy@example.com\r\n"))));
  EXPECT_EQ(Run().imported, "1");
  const Outlook::_AppointmentItemPtr meeting = Item("Planning");
  EXPECT_EQ(meeting->GetMeetingStatus(), Outlook::olMeeting);
  EXPECT_EQ(meeting->GetRecipients()->GetCount(), 2);
  Redemption::ISafeAppointmentItemPtr safe;
  CLSID clsid{};
  ASSERT_TRUE(SUCCEEDED(CLSIDFromProgID(u"Redemption.SafeAppointmentItem", &clsid)));
  ASSERT_TRUE(SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER,
                                         Redemption::ISafeAppointmentItemPtr::GetIID(),
                                         reinterpret_cast<void**>(&safe))));
  safe->PutItem(meeting);
  const _variant_t sender = safe->GetFields(0x0C1F001E);
  ASSERT_EQ(sender.vt, VT_BSTR);
  EXPECT_EQ(std::string(static_cast<const char*>(_bstr_t(sender.bstrVal))), "ann@example.com");
}

TEST_F(CalImportRunTest, AnUnknownZoneKeepsASingleEventsTimesAsWritten) {
  FirstPage(In("unknown.ics", Calendar(Vevent("Elsewhere",
                                              "DTSTART;TZID=Nowhere/Land:20300312T080000\r\n"
                                              "DTEND;TZID=Nowhere/Land:20300312T090000\r\n"))));
  EXPECT_EQ(Run().imported, "1");
  EXPECT_EQ(COleDateTime(Item("Elsewhere")->GetStart()), COleDateTime(2030, 3, 12, 8, 0, 0));
}

// The exceptions of the series "Weekly" after importing these EXDATE and RDATE lines:
// deleted original dates and moved ones (original -> new start), local times.
struct SeriesExceptions {
  std::vector<COleDateTime> deleted;
  std::vector<std::pair<COleDateTime, COleDateTime>> moved;
};

class CalImportExceptionsTest : public CalImportRunTest {
 protected:
  SeriesExceptions Import(const std::string& lists) {
    FirstPage(
        In("series.ics", Calendar(Vevent("Weekly",
                                         "DTSTART:20300304T090000Z\r\nDTEND:20300304T100000Z\r\n"
                                         "RRULE:FREQ=WEEKLY;COUNT=6\r\n" +
                                             lists))));
    EXPECT_EQ(Run().imported, "1");
    SeriesExceptions result;
    const Outlook::ExceptionsPtr exceptions =
        Item("Weekly")->GetRecurrencePattern()->GetExceptions();
    for (long i = 1; i <= exceptions->GetCount(); ++i) {
      const Outlook::ExceptionPtr exception = exceptions->Item(_variant_t(i));
      const COleDateTime original(exception->GetOriginalDate());
      if (exception->GetDeleted() != VARIANT_FALSE)
        result.deleted.push_back(original);
      else
        result.moved.emplace_back(original,
                                  COleDateTime(exception->GetAppointmentItem()->GetStart()));
    }
    return result;
  }
};

TEST_F(CalImportExceptionsTest, ExceptionDatesAloneDeleteTheirOccurrencesAndDropTheRest) {
  // 10:00 local is an occurrence; 10:30 is none and is ignored.
  const SeriesExceptions result = Import("EXDATE:20300311T090000Z,20300318T093000Z\r\n");
  EXPECT_EQ(result.deleted, std::vector<COleDateTime>{COleDateTime(2030, 3, 11, 10, 0, 0)});
  EXPECT_TRUE(result.moved.empty());
}

TEST_F(CalImportExceptionsTest, AnExtraDateBeforeItsExceptionMovesThatOccurrenceEarlier) {
  const SeriesExceptions result = Import("EXDATE:20300318T090000Z\r\nRDATE:20300316T090000Z\r\n");
  ASSERT_EQ(result.moved.size(), 1u);
  EXPECT_EQ(result.moved[0].first, COleDateTime(2030, 3, 18, 10, 0, 0));
  EXPECT_EQ(result.moved[0].second, COleDateTime(2030, 3, 16, 10, 0, 0));
  EXPECT_TRUE(result.deleted.empty());
}

TEST_F(CalImportExceptionsTest, AnExtraDateBeyondTheNextOccurrenceIsSkippedWithItsGroup) {
  // The RDATE lies past the occurrence of the 18th: its group has no EXDATE.
  const SeriesExceptions result = Import("EXDATE:20300311T090000Z\r\nRDATE:20300319T090000Z\r\n");
  EXPECT_EQ(result.deleted, std::vector<COleDateTime>{COleDateTime(2030, 3, 11, 10, 0, 0)});
  EXPECT_TRUE(result.moved.empty());
  EXPECT_NE(Log().Text().find("missed one or more date in EXDATE"), std::string::npos);
}

TEST_F(CalImportExceptionsTest, MoreExtraDatesThanExceptionsAreIgnored) {
  const SeriesExceptions result = Import("RDATE:20300312T090000Z\r\n");
  EXPECT_TRUE(result.deleted.empty());
  EXPECT_TRUE(result.moved.empty());
  EXPECT_NE(Log().Text().find("EXDATE.Count < RDATE.Count"), std::string::npos);
}

TEST_F(CalImportRunTest, ExceptionDatesAcrossMillionsOfOccurrencesAreRefusedEarly) {
  // A daily series over eight thousand years, its exception dates at both ends.
  FirstPage(In("dense.ics", Calendar(Vevent("Dense",
                                            "DTSTART:16010102T090000Z\r\nDTEND:16010102T100000Z\r\n"
                                            "RRULE:FREQ=DAILY\r\n"
                                            "EXDATE:16010103T090000Z,99981230T090000Z\r\n"))));
  const std::uint64_t before = testkit::OutlookOccurrencesMade();
  EXPECT_EQ(Run().imported, "1");
  // The walk stops at the bound instead of making every occurrence first.
  EXPECT_LT(testkit::OutlookOccurrencesMade() - before, 20000u);
  EXPECT_NE(Log().Text().find("more than 10000 occurrences in the window"), std::string::npos);
  const Outlook::RecurrencePatternPtr pattern = Item("Dense")->GetRecurrencePattern();
  EXPECT_EQ(pattern->GetRecurrenceType(), Outlook::olRecursDaily);
  EXPECT_NE(pattern->GetNoEndDate(), VARIANT_FALSE);
  EXPECT_EQ(pattern->GetExceptions()->GetCount(), 0);
}

TEST_F(CalImportRunTest, TheDateWindowTakesASeriesWithAnOccurrenceInIt) {
  CvCalImport importer;
  importer.SetTarget(m_app->GetSession()->GetDefaultFolder(Outlook::olFolderCalendar));
  CvCalFilter june;
  june.mask = CvCalFilter::kDates;
  june.dateFrom = COleDateTime(2030, 6, 1, 0, 0, 0);
  june.dateTo = COleDateTime(2030, 7, 1, 0, 0, 0);
  importer.SetFilter(june);
  const std::string hour = "DTEND:20300506T100000Z\r\n";
  const std::string text = Calendar(
      Vevent("May to July", "DTSTART:20300506T090000Z\r\n" + hour +
                                "RRULE:FREQ=WEEKLY;UNTIL=20300729T090000Z\r\n") +
      Vevent("Ended in May",
             "DTSTART:20300408T090000Z\r\nDURATION:PT1H\r\nRRULE:FREQ=WEEKLY;COUNT=8\r\n") +
      Vevent("From July", "DTSTART:20300701T090000Z\r\nDURATION:PT1H\r\nRRULE:FREQ=WEEKLY\r\n") +
      Vevent("May and July",
             "DTSTART:20300515T090000Z\r\nDURATION:PT1H\r\nRRULE:FREQ=MONTHLY;INTERVAL=2\r\n"));
  EXPECT_EQ(importer.ParseBytes(text.data(), text.size(), "window.ics"), 0);
  EXPECT_EQ(importer.Created(), 1);
  EXPECT_EQ(importer.Skipped(), 3);
  ASSERT_EQ(Subjects(), std::vector<std::string>{"May to July"});
  const Outlook::_AppointmentItemPtr series = Item("May to July");
  // Central European summer time: UTC + 2.
  EXPECT_EQ(COleDateTime(series->GetStart()), COleDateTime(2030, 5, 6, 11, 0, 0));
  EXPECT_EQ(COleDateTime(series->GetEnd()), COleDateTime(2030, 5, 6, 12, 0, 0));
  const Outlook::RecurrencePatternPtr pattern = series->GetRecurrencePattern();
  EXPECT_EQ(pattern->GetRecurrenceType(), Outlook::olRecursWeekly);
  EXPECT_EQ(pattern->GetDayOfWeekMask(), Outlook::olMonday);
  EXPECT_EQ(pattern->GetNoEndDate(), VARIANT_FALSE);
  EXPECT_EQ(COleDateTime(pattern->GetPatternEndDate()).Format("%Y-%m-%d"), "2030-07-29");
  EXPECT_EQ(pattern->GetExceptions()->GetCount(), 0);
}

TEST_F(CalImportRunTest, AFileThatCannotBeOpenedAsksWhetherToGoOn) {
  for (const int answer : {IDOK, IDCANCEL}) {
    LoadCalendar("");
    m_explorer =
        testkit::OpenExplorer(m_app->GetSession()->GetDefaultFolder(Outlook::olFolderCalendar));
    const std::string gone =
        In("a-gone.ics", Calendar(Vevent("Gone", "DTSTART:20300312T080000Z\r\n")));
    const std::string kept =
        In("b-kept.ics", Calendar(Vevent("Kept", "DTSTART:20300313T080000Z\r\n")));
    testkit::OnDialog(IDD_VCAL_IMPORT, [&](HWND dlg) {
      testkit::TypeText(dlg, IDC_TXT_WIN_FLD, "\"" + gone + "\" \"" + kept + "\"");
      testkit::Click(dlg, IDC_BTN_IMPORT_ALL);
      // Gone once the page took it, before the run opens it.
      std::filesystem::remove(testkit::ToLinuxPath(gone));
    });
    testkit::ClearMessageBoxes();
    testkit::SetMessageBoxAnswer(answer);
    const Finish finish = Run();
    testkit::SetMessageBoxAnswer(0);
    EXPECT_EQ(testkit::MessageBoxes().size(), 1u) << answer;
    EXPECT_EQ(finish.imported, answer == IDOK ? "1" : "0") << answer;
    EXPECT_TRUE(finish.shown);
  }
}

TEST_F(CalImportRunTest, NoCalendarFileEndsWithAMessage) {
  In("notes.txt", "nothing");
  FirstPage(Temp().windowsPath("in"));
  CvCalImport importer;
  EXPECT_EQ(importer.Execute(m_app, &m_key, nullptr), 0);
  ASSERT_EQ(testkit::MessageBoxes().size(), 1u);
  EXPECT_FALSE(testkit::ShownDialogs().empty());
}

// --- A series' own zone, the meeting id and Cancel ------------------------------------------

Redemption::IMAPIUtilsPtr MapiUtils() {
  CLSID clsid{};
  EXPECT_EQ(CLSIDFromProgID(u"Redemption.MapiUtils", &clsid), S_OK);
  Redemption::IMAPIUtils* utils = nullptr;
  EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(Redemption::IMAPIUtils),
                             reinterpret_cast<void**>(&utils)),
            S_OK);
  return Redemption::IMAPIUtilsPtr(utils, false);
}

TEST_F(CalImportRunTest, ASeriesInAnUnknownZoneIsKeptInTheDefaultZoneUnderItsName) {
  testkit::SeedZoneList();
  // The file's only VTIMEZONE is not the one its events name.
  const std::string file = In(
      "nowhere.ics",
      Calendar(
          "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\n"
          "BEGIN:STANDARD\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nDTSTART:19701101T020000\r\n"
          "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n" +
          Vevent("Series",
                 "DTSTART;TZID=Nowhere/Land:20300304T090000\r\n"
                 "DTEND;TZID=Nowhere/Land:20300304T100000\r\nRRULE:FREQ=WEEKLY;COUNT=3\r\n") +
          Vevent("Single",
                 "DTSTART;TZID=Nowhere/Land:20300305T090000\r\n"
                 "DTEND;TZID=Nowhere/Land:20300305T100000\r\n")));
  // The default zone is Tokyo's: nine hours east of UTC, no daylight saving time.
  std::string tokyo;
  testkit::OnDialog(IDD_VCAL_IMPORT, [file](HWND dlg) {
    testkit::TypeText(dlg, IDC_TXT_WIN_FLD, file);
    testkit::Click(dlg, IDC_BTN_OPTIONS);
    testkit::Click(dlg, IDC_BTN_IMPORT_ALL);
  });
  testkit::OnDialog(IDD_VCAL_IMPORT_OPTIONS, [&tokyo](HWND dlg) {
    for (const std::string& item : testkit::Control(dlg, IDC_CBO_TIMEZONE).items)
      if (item.find("Tokyo") != std::string::npos) tokyo = item;
    testkit::SelectItem(dlg, IDC_CBO_TIMEZONE, tokyo);
    testkit::Click(dlg, IDOK);
  });
  EXPECT_EQ(Run().imported, "2");
  ASSERT_FALSE(tokyo.empty());
  // 9:00 in Tokyo is 0:00 UTC, 1:00 in Central Europe.
  const Outlook::_AppointmentItemPtr series = Item("Series");
  EXPECT_EQ(COleDateTime(series->GetStart()), COleDateTime(2030, 3, 4, 1, 0, 0));
  EXPECT_EQ(COleDateTime(series->GetEnd()), COleDateTime(2030, 3, 4, 2, 0, 0));
  EXPECT_EQ(series->GetRecurrencePattern()->GetOccurrences(), 3);
  TimezoneStruct zone{};
  _bstr_t name;
  ASSERT_TRUE(GetAppointmentTimezone(series, MapiUtils(), &zone, &name)) << Log().Text();
  EXPECT_EQ(zone.Bias, -540);
  EXPECT_EQ(zone.DaylightBias, 0);
  EXPECT_EQ(zone.StandardDate.wMonth, 0);
  EXPECT_EQ(std::string(static_cast<const char*>(name)), tokyo);
  EXPECT_EQ(Log().Text().find("SetAppointmentTimezone"), std::string::npos) << Log().Text();
  // A single event is taken from the default zone into local time and keeps no zone.
  const Outlook::_AppointmentItemPtr single = Item("Single");
  EXPECT_EQ(COleDateTime(single->GetStart()), COleDateTime(2030, 3, 5, 1, 0, 0));
  EXPECT_FALSE(GetAppointmentTimezone(single, MapiUtils(), &zone, &name));
}

TEST_F(CalImportRunTest, AHexUidBecomesTheMeetingIdAndAnyOtherIsLeftOut) {
  const std::string hex =
      "040000008200E00074C5B7101A82E00800000000000000000000000000000000000000001000000001"
      "02030405060708090A0B0C0D0E0F10";
  FirstPage(In("uids.ics",
               Calendar(Vevent("Hex", "DTSTART:20300312T080000Z\r\nUID:" + hex + "\r\n") +
                        Vevent("Mail", "DTSTART:20300313T080000Z\r\nUID:abc123@web.example\r\n") +
                        Vevent("Odd", "DTSTART:20300314T080000Z\r\nUID:ABC\r\n"))));
  EXPECT_EQ(Run().imported, "3");
  const Redemption::IMAPIUtilsPtr utils = MapiUtils();
  const _bstr_t meetingSet("{6ED8DA90-450B-101B-98DA-00AA003F1305}");
  const auto meetingId = [&](const std::string& subject) -> std::string {
    const Outlook::_AppointmentItemPtr item = Item(subject);
    const long tag = utils->GetIDsFromNames(item, meetingSet, _variant_t(3L), VARIANT_FALSE);
    if (tag == 0) return "<no name>";
    const _variant_t value = utils->HrGetOneProp(item, (tag & 0xFFFF0000L) | 0x0102L);
    if (value.vt == VT_EMPTY) return "<none>";
    return static_cast<const char*>(_bstr_t(utils->HrArrayToString(value)));
  };
  EXPECT_EQ(meetingId("Hex"), hex);
  EXPECT_EQ(meetingId("Mail"), "<none>");
  EXPECT_EQ(meetingId("Odd"), "<none>");
  const std::string log = Log().Text();
  EXPECT_NE(log.find("left out: abc123@web.example"), std::string::npos) << log;
  EXPECT_NE(log.find("left out: ABC"), std::string::npos) << log;
}

TEST_F(CalImportRunTest, CancelStopsTheRunAfterTheEventInHand) {
  const std::string first = In("a.ics", Calendar(Vevent("A1", "DTSTART:20300312T080000Z\r\n") +
                                                 Vevent("A2", "DTSTART:20300313T080000Z\r\n")));
  const std::string gone = In("b.ics", Calendar(Vevent("Gone", "DTSTART:20300314T080000Z\r\n")));
  const std::string last = In("c.ics", Calendar(Vevent("C1", "DTSTART:20300315T080000Z\r\n") +
                                                Vevent("C2", "DTSTART:20300316T080000Z\r\n") +
                                                Vevent("C3", "DTSTART:20300317T080000Z\r\n")));
  testkit::OnDialog(IDD_VCAL_IMPORT, [&](HWND dlg) {
    testkit::TypeText(dlg, IDC_TXT_WIN_FLD, "\"" + first + "\" \"" + gone + "\" \"" + last + "\"");
    testkit::Click(dlg, IDC_BTN_IMPORT_ALL);
    std::filesystem::remove(testkit::ToLinuxPath(gone));
  });
  // While the run asks about the missing file, the user also presses Cancel in the
  // progress dialog, then lets the run go on with the next file.
  bool cancelled = false;
  testkit::SetMessageBoxHandler([&cancelled](const testkit::MessageBoxRecord&) {
    cancelled = testkit::Click(testkit::WaitForDialog(IDD_VCAL_IMPORT_PROGRESS), IDCANCEL);
    return IDOK;
  });
  const Finish finish = Run();
  testkit::SetMessageBoxHandler({});
  EXPECT_TRUE(cancelled);
  EXPECT_TRUE(finish.shown);
  // The event in hand when Cancel was seen is made; the two after it count as skipped.
  EXPECT_EQ(finish.files, "3/5");
  EXPECT_EQ(finish.imported, "3");
  EXPECT_EQ(finish.failed, "0");
  EXPECT_EQ(finish.skipped, "2");
  EXPECT_EQ(Subjects(), (std::vector<std::string>{"A1", "A2", "C1"}));
}

}  // namespace
}  // namespace calwriter
