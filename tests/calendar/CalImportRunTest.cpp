// The import-events wizard end to end over the stand-in store: the pages as a user goes
// through them, the files it takes, the appointments it makes, the duplicate rules, the
// filter, the recurrence exceptions, a series' own zone, the meeting id and Cancel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "CalWizardFixture.h"
#include "addin/CLang.h"
#include "calendar/AppointmentTimezone.h"
#include "calendar/CvCalExport.h"
#include "calendar/CvCalImport.h"
#include "com/objbase.h"
#include "redemption/redemption.h"
#include "resource.h"
#include "testkit/Dialogs.h"
#include "testkit/Files.h"
#include "testkit/Modules.h"
#include "testkit/Operator.h"
#include "testkit/Outlook.h"
#include "testkit/Redemption.h"
#include "testkit/Store.h"
#include "testkit/TimeZone.h"
#include "testkit/Watchdog.h"
#include "testkit/ZoneList.h"
#include "win32/nls.h"

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

class CalImportRunTest : public CalWizardTest {
 protected:
  void SetUp() override {
    CalWizardTest::SetUp();
    EmptyCalendar();
    std::filesystem::create_directories(Temp().linuxPath("in"));
    testkit::ClearMessageBoxes();
  }

  std::string In(const std::string& name, const std::string& text) const {
    Temp().write("in/" + name, text);
    return Temp().windowsPath("in\\" + name);
  }
  // The first page with these files, left with "Import All" (or "Next >"), and the
  // options dialog choosing the conflict code and the default zone (the first listed
  // whose name holds zone, kept in m_zoneName) when one is given.
  void FirstPage(const std::string& files, int conflict = -1, bool next = false,
                 const std::string& zone = "") {
    const bool options = conflict >= 0 || !zone.empty();
    testkit::OnDialog(IDD_VCAL_IMPORT, [files, options, next](HWND dlg) {
      testkit::TypeText(dlg, IDC_TXT_WIN_FLD, files);
      if (options) testkit::Click(dlg, IDC_BTN_OPTIONS);
      testkit::Click(dlg, next ? IDOK : IDC_BTN_IMPORT_ALL);
    });
    if (!options) return;
    m_zoneName.clear();
    testkit::OnDialog(IDD_VCAL_IMPORT_OPTIONS, [this, conflict, zone](HWND dlg) {
      const int radios[] = {IDC_OPT_DUPLICATE, IDC_OPT_REPLACE, IDC_OPT_LEAVE};
      if (conflict >= 0) testkit::Click(dlg, radios[conflict]);
      for (const std::string& item : testkit::Control(dlg, IDC_CBO_TIMEZONE).items)
        if (!zone.empty() && m_zoneName.empty() && item.find(zone) != std::string::npos)
          m_zoneName = item;
      if (!m_zoneName.empty()) testkit::SelectItem(dlg, IDC_CBO_TIMEZONE, m_zoneName);
      testkit::Click(dlg, IDOK);
    });
  }
  // The first page with three files, left with "Import All": a.ics with these events,
  // b.ics with "Gone", removed as the page is left so that the run asks about it between
  // the files, and c.ics with C1, C2 and C3.
  void ThreeFilesTheSecondGone(const std::string& firstEvents) {
    const std::string first = In("a.ics", Calendar(firstEvents));
    const std::string gone = In("b.ics", Calendar(Vevent("Gone", "DTSTART:20300314T080000Z\r\n")));
    const std::string last = In("c.ics", Calendar(Vevent("C1", "DTSTART:20300315T080000Z\r\n") +
                                                  Vevent("C2", "DTSTART:20300316T080000Z\r\n") +
                                                  Vevent("C3", "DTSTART:20300317T080000Z\r\n")));
    testkit::OnDialog(IDD_VCAL_IMPORT, [first, gone, last](HWND dlg) {
      testkit::TypeText(dlg, IDC_TXT_WIN_FLD,
                        "\"" + first + "\" \"" + gone + "\" \"" + last + "\"");
      testkit::Click(dlg, IDC_BTN_IMPORT_ALL);
      std::filesystem::remove(testkit::ToLinuxPath(gone));
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

  // Kelvra's export of these appointments (folder, subject) into one file of that format.
  std::string Export(int format, const std::vector<std::pair<std::string, std::string>>& items) {
    CvCalExport writer;
    writer.SetOutlookVersion(14);
    writer.SetFormat(format);
    writer.SetOutput(Temp().windowsPath("in"), true, true, "RoundTrip");
    EXPECT_TRUE(writer.BeforeExport());
    for (const auto& [folder, subject] : items) {
      writer.SetItem(Appointment(subject, folder));
      EXPECT_EQ(writer.ExportItem(), 0) << subject << Log().Text();
    }
    writer.FinishExport();
    return writer.CurrentFile();
  }

  testkit::Watchdog m_watchdog{"calendar import run", std::chrono::seconds(60)};
  HKEY m_key = nullptr;
  std::string m_zoneName;
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
      // The calendar's events and every kind of rule.
      std::vector<std::pair<std::string, std::string>> items;
      for (const std::string& subject : Subjects()) items.emplace_back(kCalendar, subject);
      for (const std::string& subject : CalWriterTest::Subjects(kRules))
        items.emplace_back(kRules, subject);
      for (const auto& [folder, subject] : items)
        exported[subject] = KeptOf(Appointment(subject, folder));
      const std::string file = Export(format, items);
      EmptyCalendar();
      FirstPage(file);
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

// The exceptions of a series: deleted original dates and moved ones (original -> new
// start, and the new ends in the same order), local times.
struct SeriesExceptions {
  std::vector<COleDateTime> deleted;
  std::vector<std::pair<COleDateTime, COleDateTime>> moved;
  std::vector<COleDateTime> movedEnds;
};

SeriesExceptions ExceptionsOf(const Outlook::_AppointmentItemPtr& series) {
  SeriesExceptions result;
  const Outlook::ExceptionsPtr exceptions = series->GetRecurrencePattern()->GetExceptions();
  for (long i = 1; i <= exceptions->GetCount(); ++i) {
    const Outlook::ExceptionPtr exception = exceptions->Item(_variant_t(i));
    const COleDateTime original(exception->GetOriginalDate());
    if (exception->GetDeleted() != VARIANT_FALSE) {
      result.deleted.push_back(original);
      continue;
    }
    const Outlook::_AppointmentItemPtr occurrence = exception->GetAppointmentItem();
    result.moved.emplace_back(original, COleDateTime(occurrence->GetStart()));
    result.movedEnds.emplace_back(occurrence->GetEnd());
  }
  return result;
}

class CalImportExceptionsTest : public CalImportRunTest {
 protected:
  SeriesExceptions Import(const std::string& lists) {
    FirstPage(
        In("series.ics", Calendar(Vevent("Weekly",
                                         "DTSTART:20300304T090000Z\r\nDTEND:20300304T100000Z\r\n"
                                         "RRULE:FREQ=WEEKLY;COUNT=6\r\n" +
                                             lists))));
    EXPECT_EQ(Run().imported, "1");
    return ExceptionsOf(Item("Weekly"));
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
  importer.SetTarget(CalendarFolder());
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
    EmptyCalendar();
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
  FirstPage(file, -1, false, "Tokyo");
  EXPECT_EQ(Run().imported, "2");
  const std::string tokyo = m_zoneName;
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
  ThreeFilesTheSecondGone(Vevent("A1", "DTSTART:20300312T080000Z\r\n") +
                          Vevent("A2", "DTSTART:20300313T080000Z\r\n"));
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

// --- Time frames: exceptions, days and reminders -----------------------------------------

constexpr const char* kNewYorkZone =
    "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\n"
    "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nDTSTART:19700308T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nEND:DAYLIGHT\r\n"
    "BEGIN:STANDARD\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nDTSTART:19701101T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";

constexpr const char* kTokyoZone =
    "BEGIN:VTIMEZONE\r\nTZID:Asia/Tokyo\r\nBEGIN:STANDARD\r\nTZOFFSETFROM:+0900\r\n"
    "TZOFFSETTO:+0900\r\nDTSTART:19700101T000000\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";

const char* WithMapi(bool mapi) { return mapi ? "with the MAPI helpers" : "without them"; }

// Runs the import with or without the MAPI helpers.
void UseMapiHelpers(bool mapi) {
  testkit::ClearCreateFailures();
  if (!mapi) testkit::FailCreate("Redemption.MapiUtils", REGDB_E_CLASSNOTREG);
}

COleDateTime Date(int y, int m, int d, int h = 0, int min = 0) {
  return COleDateTime(y, m, d, h, min, 0);
}

TEST_F(CalImportRunTest, ASeriesInAnotherZoneKeepsItsDeletedAndMovedOccurrences) {
  // Mondays at 9:00 in New York, 15:00 in Central Europe while both keep standard time:
  // the 11th of February is deleted, the 18th moved to the Tuesday after. Kept in its
  // own zone, the series also keeps 9:00 in New York once daylight time began there on
  // the 10th of March, 14:00 here: the 11th of March is deleted too. Taken into local
  // time it stays at 15:00, and the 11th of March, an hour off its occurrence then, still
  // names it.
  const char* byZone[] = {
      "EXDATE;TZID=America/New_York:20300211T090000,20300218T090000\r\n"
      "RDATE;TZID=America/New_York:20300219T090000\r\n",
      "EXDATE;TZID=America/New_York:20300311T090000\r\n"};
  const char* inUtc[] = {"EXDATE:20300211T140000Z,20300218T140000Z\r\nRDATE:20300219T140000Z\r\n",
                         "EXDATE:20300311T130000Z\r\n"};
  for (const bool mapi : {true, false})
    for (const bool utc : {false, true}) {
      const char* const* lists = utc ? inUtc : byZone;
      SCOPED_TRACE(std::string(WithMapi(mapi)) + (utc ? ", in UTC" : ", in its zone"));
      EmptyCalendar();
      UseMapiHelpers(mapi);
      FirstPage(In("zoned.ics", Calendar(std::string(kNewYorkZone) +
                                         Vevent("Weekly",
                                                "DTSTART;TZID=America/New_York:20300204T090000\r\n"
                                                "DTEND;TZID=America/New_York:20300204T100000\r\n"
                                                "RRULE:FREQ=WEEKLY;COUNT=8\r\n" +
                                                    std::string(lists[0]) + lists[1]))));
      EXPECT_EQ(Run().imported, "1");
      const Outlook::_AppointmentItemPtr series = Item("Weekly");
      const Kept kept = KeptOf(series);
      EXPECT_EQ(kept.start, Date(2030, 2, 4, 15));
      EXPECT_EQ(kept.end, Date(2030, 2, 4, 16));
      EXPECT_FALSE(kept.allDay);
      EXPECT_EQ(kept.recurrenceType, Outlook::olRecursWeekly);
      EXPECT_EQ(kept.dayMask, 2);
      EXPECT_EQ(kept.occurrences, 8);
      const SeriesExceptions exceptions = ExceptionsOf(series);
      const std::vector<COleDateTime> deleted{Date(2030, 2, 11, 15),
                                              Date(2030, 3, 11, mapi ? 14 : 15)};
      EXPECT_EQ(exceptions.deleted, deleted) << Log().Text();
      EXPECT_EQ(exceptions.moved, (std::vector<std::pair<COleDateTime, COleDateTime>>{
                                      {Date(2030, 2, 18, 15), Date(2030, 2, 19, 15)}}));
      EXPECT_EQ(exceptions.movedEnds, std::vector<COleDateTime>{Date(2030, 2, 19, 16)});
      EXPECT_EQ(series->GetReminderSet(), VARIANT_FALSE);
    }
  EXPECT_EQ(Log().Text().find("wrong dates in EXDATE"), std::string::npos);
}

// The zone record of Eastern Time (US & Canada).
constexpr const char* kUsZoneRecord =
    "2C01000000000000C4FFFFFF000000000B000000010002000000000000000000000003000000020002000000000000"
    "00";

TEST_F(CalImportRunTest, AUsSeriesWithExceptionsComesBackFromTheExportInBothFormats) {
  // Mondays at 10:00 in New York (16:00 here); the 8th of June deleted, the 15th moved
  // to 12:00 (dates in the series' zone).
  const std::string series =
      R"({"Subject": "US weekly", "Start": "2026-06-01T16:00:00", "End": "2026-06-01T17:00:00",
      "RecurrencePattern": {"RecurrenceType": 1, "Interval": 1, "DayOfWeekMask": 2,
        "PatternStartDate": "2026-06-01", "NoEndDate": false, "Occurrences": 6,
        "StartTime": "10:00:00", "Duration": 60},
      "Exceptions": [{"OriginalDate": "2026-06-08T10:00:00", "Deleted": true},
                     {"OriginalDate": "2026-06-15T10:00:00", "Start": "2026-06-15T12:00:00",
                      "End": "2026-06-15T13:00:00"}],
      "NamedProperties": [{"set": "{00062002-0000-0000-C000-000000000046}", "id": "0x8233",
        "type": "0x0102", "value": ")" +
      std::string(kUsZoneRecord) + R"("}]})";
  for (const int format : {k20, k10}) {
    SCOPED_TRACE(format);
    LoadCalendar(series);
    const Kept kept = KeptOf(Item("US weekly"));
    ASSERT_EQ(kept.start, Date(2026, 6, 1, 16));
    const SeriesExceptions before = ExceptionsOf(Item("US weekly"));
    ASSERT_EQ(before.deleted, std::vector<COleDateTime>{Date(2026, 6, 8, 16)});
    ASSERT_EQ(before.moved.size(), 1u);
    ASSERT_EQ(before.moved[0].second, Date(2026, 6, 15, 18));
    const std::string file = Export(format, {{kCalendar, "US weekly"}});
    EmptyCalendar();
    FirstPage(file);
    EXPECT_EQ(Run().imported, "1");
    EXPECT_EQ(KeptOf(Item("US weekly")), kept);
    const SeriesExceptions after = ExceptionsOf(Item("US weekly"));
    EXPECT_EQ(after.deleted, before.deleted) << Log().Text();
    EXPECT_EQ(after.moved, before.moved) << Log().Text();
    EXPECT_EQ(after.movedEnds, before.movedEnds);
  }
}

TEST_F(CalImportRunTest, ARecurringDayKeepsItsDayInEveryZone) {
  testkit::SeedZoneList();
  const std::string birthday =
      Calendar(Vevent("Birthday",
                      "DTSTART;VALUE=DATE:20300501\r\nDTEND;VALUE=DATE:20300502\r\n"
                      "RRULE:FREQ=YEARLY;UNTIL=20330501\r\nEXDATE;VALUE=DATE:20310501\r\n"));
  // System zone, default zone ("" leaves the one the page proposes).
  const std::pair<const char*, const char*> zones[] = {{"W. Europe Standard Time", "Tokyo"},
                                                       {"Tokyo Standard Time", ""},
                                                       {"Pacific Standard Time", "Tokyo"},
                                                       {"Tokyo Standard Time", "Pacific"}};
  for (const bool mapi : {true, false})
    for (const auto& [system, proposed] : zones) {
      SCOPED_TRACE(std::string(WithMapi(mapi)) + ", system " + system + ", default " + proposed);
      ASSERT_TRUE(testkit::SetSystemTimeZone(std::string(system)));
      EmptyCalendar();
      UseMapiHelpers(mapi);
      FirstPage(In("birthday.ics", birthday), -1, false, proposed);
      EXPECT_EQ(Run().imported, "1");
      const Outlook::_AppointmentItemPtr item = Item("Birthday");
      const Kept kept = KeptOf(item);
      EXPECT_EQ(kept.start, Date(2030, 5, 1));
      EXPECT_EQ(kept.end, Date(2030, 5, 2));
      EXPECT_TRUE(kept.allDay);
      EXPECT_EQ(kept.recurrenceType, Outlook::olRecursYearly);
      EXPECT_EQ(kept.dayOfMonth, 1);
      EXPECT_EQ(kept.monthOfYear, 5);
      EXPECT_FALSE(kept.noEnd);
      EXPECT_EQ(COleDateTime(item->GetRecurrencePattern()->GetPatternEndDate()), Date(2033, 5, 1));
      const SeriesExceptions exceptions = ExceptionsOf(item);
      EXPECT_EQ(exceptions.deleted, std::vector<COleDateTime>{Date(2031, 5, 1)}) << Log().Text();
      EXPECT_TRUE(exceptions.moved.empty());
    }
}

TEST_F(CalImportRunTest, AnEndDateAloneEndsATimedSeriesOnThatDay) {
  // Daily at 10:00 in Tokyo (3:00 here) up to the 5th of May, which is the 5th here too.
  const std::string file =
      In("until.ics",
         Calendar(std::string(kTokyoZone) + Vevent("Daily",
                                                   "DTSTART;TZID=Asia/Tokyo:20300501T100000\r\n"
                                                   "DTEND;TZID=Asia/Tokyo:20300501T110000\r\n"
                                                   "RRULE:FREQ=DAILY;UNTIL=20300505\r\n")));
  for (const bool mapi : {true, false}) {
    SCOPED_TRACE(WithMapi(mapi));
    EmptyCalendar();
    UseMapiHelpers(mapi);
    FirstPage(file);
    EXPECT_EQ(Run().imported, "1");
    const Outlook::_AppointmentItemPtr item = Item("Daily");
    EXPECT_EQ(COleDateTime(item->GetStart()), Date(2030, 5, 1, 3));
    EXPECT_EQ(COleDateTime(item->GetEnd()), Date(2030, 5, 1, 4));
    const Outlook::RecurrencePatternPtr pattern = item->GetRecurrencePattern();
    EXPECT_EQ(pattern->GetRecurrenceType(), Outlook::olRecursDaily);
    EXPECT_EQ(COleDateTime(pattern->GetPatternEndDate()), Date(2030, 5, 5));
    EXPECT_EQ(pattern->GetOccurrences(), 5);
  }
}

TEST_F(CalImportRunTest, AVCalendarEventOfWholeDaysFromAMidnightIsADay) {
  // Central European summer time: midnight is 22:00 UTC the day before.
  const std::string local =
      "BEGIN:VCALENDAR\r\nVERSION:1.0\r\n"
      "BEGIN:VEVENT\r\nSUMMARY:Day\r\nDTSTART:20300430T220000Z\r\nDTEND:20300501T220000Z\r\n"
      "END:VEVENT\r\n"
      "BEGIN:VEVENT\r\nSUMMARY:Two days\r\nDTSTART:20300430T220000Z\r\n"
      "DTEND:20300502T220000Z\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nSUMMARY:Phone day\r\nDTSTART:20300510T000000\r\nDTEND:20300511T000000\r\n"
      "END:VEVENT\r\n"
      "BEGIN:VEVENT\r\nSUMMARY:From one\r\nDTSTART:20300430T230000Z\r\nDTEND:20300501T230000Z\r\n"
      "END:VEVENT\r\n"
      "BEGIN:VEVENT\r\nSUMMARY:Day and an hour\r\nDTSTART:20300430T220000Z\r\n"
      "DTEND:20300501T230000Z\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
  // A day of Tokyo's calendar is that day here too.
  const std::string tokyo =
      "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nTZ:+09:00\r\n"
      "BEGIN:VEVENT\r\nSUMMARY:Tokyo day\r\nDTSTART:20300430T150000Z\r\n"
      "DTEND:20300501T150000Z\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
  FirstPage("\"" + In("local.vcs", local) + "\" \"" + In("tokyo.vcs", tokyo) + "\"");
  EXPECT_EQ(Run().imported, "6");
  const auto expect = [](const std::string& subject, COleDateTime start, COleDateTime end,
                         bool allDay) {
    const Kept kept = KeptOf(Item(subject));
    EXPECT_EQ(kept.start, start) << subject;
    EXPECT_EQ(kept.end, end) << subject;
    EXPECT_EQ(kept.allDay, allDay) << subject;
  };
  expect("Day", Date(2030, 5, 1), Date(2030, 5, 2), true);
  expect("Two days", Date(2030, 5, 1), Date(2030, 5, 3), true);
  expect("Phone day", Date(2030, 5, 10), Date(2030, 5, 11), true);
  expect("Tokyo day", Date(2030, 5, 1), Date(2030, 5, 2), true);
  expect("From one", Date(2030, 5, 1, 1), Date(2030, 5, 2, 1), false);
  expect("Day and an hour", Date(2030, 5, 1), Date(2030, 5, 2, 1), false);
}

TEST_F(CalImportRunTest, ADayOfAnotherZoneIsFoundAgainAsTheDuplicateItIs) {
  const std::string tokyo = In("tokyo.vcs",
                               "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nTZ:+09:00\r\n"
                               "BEGIN:VEVENT\r\nSUMMARY:Tokyo day\r\nDTSTART:20300430T150000Z\r\n"
                               "DTEND:20300501T150000Z\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
  FirstPage(tokyo);
  EXPECT_EQ(Run().imported, "1");
  FirstPage(tokyo, CvCalImport::kKeep);
  const Finish again = Run();
  EXPECT_EQ(again.imported, "0");
  EXPECT_EQ(again.skipped, "1");
  EXPECT_EQ(Subjects(), std::vector<std::string>{"Tokyo day"});
  EXPECT_TRUE(KeptOf(Item("Tokyo day")).allDay);
}

TEST_F(CalImportRunTest, ReplacingADayWithItsVCalendarExportKeepsADay) {
  testkit::LoadMailboxFile(KELVRA_TEST_DATA_DIR "/calendar/writer/events.json");
  ShowCalendar();
  const Kept kept = KeptOf(Item("All-day"));
  ASSERT_TRUE(kept.allDay);
  FirstPage(Export(k10, {{kCalendar, "All-day"}}), CvCalImport::kReplace);
  const Finish finish = Run();
  EXPECT_EQ(finish.imported, "1");
  EXPECT_EQ(finish.failed, "0") << Log().Text();
  const std::vector<std::string> subjects = Subjects();
  EXPECT_EQ(std::count(subjects.begin(), subjects.end(), "All-day"), 1);
  EXPECT_EQ(KeptOf(Item("All-day")), kept);
}

TEST_F(CalImportRunTest, ASeriesWhoseLastOccurrenceIsLaterTodayKeepsItsReminder) {
  // Now is the 5th of March 2026, 14:30 here; each series' third day is today.
  const std::string alarm =
      "BEGIN:VALARM\r\nTRIGGER:-PT10M\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\nEND:VALARM\r\n";
  const std::string daily = "RRULE:FREQ=DAILY;COUNT=3\r\n" + alarm;
  FirstPage(In(
      "today.ics",
      Calendar(
          std::string(kNewYorkZone) +
          Vevent("Evening", "DTSTART:20260303T170000Z\r\nDURATION:PT1H\r\n" + daily) +
          Vevent("Morning", "DTSTART:20260303T080000Z\r\nDURATION:PT1H\r\n" + daily) +
          // 9:00 in New York is 15:00 here.
          Vevent("New York",
                 "DTSTART;TZID=America/New_York:20260303T090000\r\nDURATION:PT1H\r\n" + daily))));
  EXPECT_EQ(Run().imported, "3");
  const auto expect = [](const std::string& subject, COleDateTime start, bool on) {
    const Outlook::_AppointmentItemPtr item = Item(subject);
    EXPECT_EQ(COleDateTime(item->GetStart()), start) << subject;
    EXPECT_EQ(item->GetRecurrencePattern()->GetOccurrences(), 3) << subject;
    EXPECT_EQ(item->GetReminderSet() != VARIANT_FALSE, on) << subject;
    if (on) {
      EXPECT_EQ(item->GetReminderMinutesBeforeStart(), 10) << subject;
    }
  };
  expect("Evening", Date(2026, 3, 3, 18), true);
  expect("Morning", Date(2026, 3, 3, 9), false);
  expect("New York", Date(2026, 3, 3, 15), true);
}

TEST_F(CalImportRunTest, AReplaceWhoseOldEventCannotGoCountsOnceAsFailed) {
  const std::string file =
      In("bob.ics", Calendar(Vevent("Bob",
                                    "DTSTART:20300312T180000Z\r\nDTEND:20300312T200000Z\r\n"
                                    "LOCATION:Old place\r\n")));
  EmptyCalendar();
  FirstPage(file);
  EXPECT_EQ(Run().imported, "1");
  const Kept old = KeptOf(Item("Bob"));
  testkit::FailCall("AppointmentItem.Delete", 1, E_FAIL);
  FirstPage(file, CvCalImport::kReplace);
  const Finish finish = Run();
  EXPECT_EQ(finish.files, "1/1");
  EXPECT_EQ(finish.imported, "0");
  EXPECT_EQ(finish.failed, "1");
  EXPECT_EQ(finish.skipped, "0");
  // The old one stays, alone.
  EXPECT_EQ(Subjects(), std::vector<std::string>{"Bob"});
  EXPECT_EQ(KeptOf(Item("Bob")), old);
  EXPECT_EQ(old.start, Date(2030, 3, 12, 19));
  EXPECT_NE(Log().Text().find("the appointment to replace cannot be deleted"), std::string::npos)
      << Log().Text();
}

TEST_F(CalImportRunTest, ASeriesWhoseLastSaveFailsIsNotLeftHalfBuilt) {
  const std::string file = In(
      "series.ics", Calendar(Vevent("Weekly",
                                    "DTSTART:20300304T090000Z\r\nDTEND:20300304T100000Z\r\n"
                                    "RRULE:FREQ=WEEKLY;COUNT=6\r\nEXDATE:20300311T090000Z\r\n")));
  EmptyCalendar();
  // The exceptions save the series first; the save after them fails.
  testkit::FailCall("AppointmentItem.Save", 2, E_FAIL);
  FirstPage(file);
  Finish finish = Run();
  EXPECT_EQ(finish.imported, "0");
  EXPECT_EQ(finish.failed, "1");
  EXPECT_TRUE(Subjects().empty());
  testkit::ClearFaults();
  // Nothing there to keep: a second import that keeps duplicates makes the series.
  FirstPage(file, CvCalImport::kKeep);
  finish = Run();
  EXPECT_EQ(finish.imported, "1");
  EXPECT_EQ(finish.skipped, "0");
  EXPECT_EQ(Subjects(), std::vector<std::string>{"Weekly"});
  const Kept kept = KeptOf(Item("Weekly"));
  EXPECT_EQ(kept.start, Date(2030, 3, 4, 10));
  EXPECT_EQ(kept.occurrences, 6);
  EXPECT_EQ(ExceptionsOf(Item("Weekly")).deleted, std::vector<COleDateTime>{Date(2030, 3, 11, 10)});
}

// --- Overrides (RECURRENCE-ID) -------------------------------------------------------------

// One appointment as the calendar shows it, an occurrence of a series as its own.
struct Shown {
  std::string subject;
  COleDateTime start, end;
  bool allDay = false;
  std::string location, body;
  bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& shown) {
  return out << shown.subject << " " << shown.start.Format("%Y-%m-%d %H:%M:%S") << " - "
             << shown.end.Format("%Y-%m-%d %H:%M:%S") << (shown.allDay ? " all day" : "") << " ["
             << shown.location << "] [" << shown.body << "]";
}

std::string Text(const _bstr_t& text) {
  const char* chars = text;
  return chars ? chars : "";
}

std::string FilterDay(const COleDateTime& day, const char* time) {
  SYSTEMTIME when{};
  day.GetAsSystemTime(when);
  char text[64] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, text, sizeof text);
  return std::string(text) + " " + time;
}

// A weekly series in New York's zone, written as a web calendar writes it: the zone
// first, then the series and the overrides of some of its occurrences in the order
// given (S the series, 1-4 the overrides).
std::string WebCalendar(const std::string& order) {
  const std::string stamp = "DTSTAMP:20291201T120000Z\r\nUID:standup-7f3a@web.example\r\n";
  const auto event = [&stamp](const std::string& lines) {
    return "BEGIN:VEVENT\r\n" + lines + stamp + "END:VEVENT\r\n";
  };
  const std::map<char, std::string> events = {
      {'S', event("DTSTART;TZID=America/New_York:20300107T090000\r\n"
                  "DTEND;TZID=America/New_York:20300107T093000\r\n"
                  "RRULE:FREQ=WEEKLY;BYDAY=MO;COUNT=5\r\n"
                  "EXDATE;TZID=America/New_York:20300121T090000\r\n"
                  "SUMMARY:Stand-up\r\nLOCATION:Room 1\r\nDESCRIPTION:Daily sync\r\n"
                  "SEQUENCE:0\r\nSTATUS:CONFIRMED\r\n")},
      // Moved to Tuesday, longer, with texts of its own.
      {'1', event("DTSTART;TZID=America/New_York:20300115T110000\r\n"
                  "DTEND;TZID=America/New_York:20300115T120000\r\n"
                  "RECURRENCE-ID;TZID=America/New_York:20300114T090000\r\n"
                  "SUMMARY:Stand-up (Tuesday)\r\nLOCATION:Room 2\r\n"
                  "DESCRIPTION:Moved for the holiday\r\nSEQUENCE:1\r\nSTATUS:CONFIRMED\r\n")},
      // Cancelled, and excluded by the series' EXDATE too; its RECURRENCE-ID in UTC.
      {'2', event("DTSTART;TZID=America/New_York:20300121T090000\r\n"
                  "DTEND;TZID=America/New_York:20300121T093000\r\n"
                  "RECURRENCE-ID:20300121T140000Z\r\nSUMMARY:Stand-up\r\n"
                  "SEQUENCE:1\r\nSTATUS:CANCELLED\r\n")},
      // Another room only.
      {'3', event("DTSTART;TZID=America/New_York:20300128T090000\r\n"
                  "DTEND;TZID=America/New_York:20300128T093000\r\n"
                  "RECURRENCE-ID;TZID=America/New_York:20300128T090000\r\n"
                  "SUMMARY:Stand-up\r\nLOCATION:Room 3\r\nDESCRIPTION:Daily sync\r\n"
                  "SEQUENCE:1\r\nSTATUS:CONFIRMED\r\n")},
      {'4', event("DTSTART;TZID=America/New_York:20300204T090000\r\n"
                  "DTEND;TZID=America/New_York:20300204T093000\r\n"
                  "RECURRENCE-ID;TZID=America/New_York:20300204T090000\r\n"
                  "SUMMARY:Stand-up\r\nSEQUENCE:2\r\nSTATUS:CANCELLED\r\n")},
  };
  std::string text =
      "BEGIN:VCALENDAR\r\nPRODID:-//Web Calendar//EN\r\nVERSION:2.0\r\nCALSCALE:GREGORIAN\r\n"
      "METHOD:PUBLISH\r\nX-WR-TIMEZONE:America/New_York\r\n"
      "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\n"
      "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nTZNAME:EDT\r\n"
      "DTSTART:19700308T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nEND:DAYLIGHT\r\n"
      "BEGIN:STANDARD\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nTZNAME:EST\r\n"
      "DTSTART:19701101T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nEND:STANDARD\r\n"
      "END:VTIMEZONE\r\n";
  for (const char which : order) text += events.at(which);
  return text + "END:VCALENDAR\r\n";
}

// A series' exception: its original local start, deleted or the start and end it has.
struct Changed {
  COleDateTime original;
  bool deleted = false;
  COleDateTime start, end;
  bool operator==(const Changed&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Changed& changed) {
  out << changed.original.Format("%Y-%m-%d %H:%M:%S");
  if (changed.deleted) return out << " deleted";
  return out << " -> " << changed.start.Format("%Y-%m-%d %H:%M:%S") << " - "
             << changed.end.Format("%Y-%m-%d %H:%M:%S");
}

class CalImportOverridesTest : public CalImportRunTest {
 protected:
  // Every appointment of the calendar in [from, to], an occurrence as its own.
  std::vector<Shown> Agenda(const COleDateTime& from, const COleDateTime& to) const {
    const Outlook::_ItemsPtr items = CalendarFolder()->GetItems();
    items->Sort(_bstr_t("[Start]"));
    items->PutIncludeRecurrences(VARIANT_TRUE);
    const std::string filter = "[Start] >= \"" + FilterDay(from, "12:00 AM") +
                               "\" And [Start] <= \"" + FilterDay(to, "11:59 PM") + "\"";
    std::vector<Shown> shown;
    const Outlook::_ItemsPtr found = items->Restrict(_bstr_t(filter.c_str()));
    for (IDispatchPtr each = found->GetFirst(); each; each = found->GetNext()) {
      const Outlook::_AppointmentItemPtr item(each);
      shown.push_back({Text(item->GetSubject()), COleDateTime(item->GetStart()),
                       COleDateTime(item->GetEnd()), item->GetAllDayEvent() != VARIANT_FALSE,
                       Text(item->GetLocation()), Text(item->GetBody())});
    }
    return shown;
  }
  static std::vector<Changed> ExceptionsOf(const std::string& subject) {
    std::vector<Changed> changed;
    const Outlook::ExceptionsPtr exceptions =
        Item(subject)->GetRecurrencePattern()->GetExceptions();
    for (long i = 1; i <= exceptions->GetCount(); ++i) {
      const Outlook::ExceptionPtr exception = exceptions->Item(_variant_t(i));
      Changed one{COleDateTime(exception->GetOriginalDate()),
                  exception->GetDeleted() != VARIANT_FALSE,
                  {},
                  {}};
      if (!one.deleted) {
        const Outlook::_AppointmentItemPtr occurrence = exception->GetAppointmentItem();
        one.start = COleDateTime(occurrence->GetStart());
        one.end = COleDateTime(occurrence->GetEnd());
      }
      changed.push_back(one);
    }
    return changed;
  }
  // A weekly all-day series "Office day" of three Mondays from 4 March 2030, its second
  // moved to the Tuesday, in a file of its own.
  std::string OfficeDays() const {
    return In("days.ics",
              Calendar(Vevent("Office day",
                              "DTSTART;VALUE=DATE:20300304\r\nDTEND;VALUE=DATE:20300305\r\n"
                              "RRULE:FREQ=WEEKLY;COUNT=3\r\nUID:office@web.example\r\n") +
                       Vevent("Office day (Tuesday)",
                              "DTSTART;VALUE=DATE:20300312\r\nDTEND;VALUE=DATE:20300313\r\n"
                              "RECURRENCE-ID;VALUE=DATE:20300311\r\n"
                              "UID:office@web.example\r\n")));
  }
  static COleDateTime At(int month, int day, int hour, int minute = 0) {
    return COleDateTime(2030, month, day, hour, minute, 0);
  }
};

TEST_F(CalImportOverridesTest, OverridesMoveAndCancelTheirOccurrencesWhereverTheyStand) {
  // Web calendars mostly write the series first, but not always.
  for (const std::string order : {"S1234", "1234S", "21S43"}) {
    EmptyCalendar();
    FirstPage(In("web-" + order + ".ics", WebCalendar(order)));
    const Finish finish = Run();
    // The overrides are part of their series: one appointment, nothing failed or skipped.
    EXPECT_EQ(finish.files, "1/1") << order;
    EXPECT_EQ(finish.imported, "1") << order;
    EXPECT_EQ(finish.failed, "0") << order;
    EXPECT_EQ(finish.skipped, "0") << order;
    EXPECT_EQ(Subjects(), std::vector<std::string>{"Stand-up"}) << order << Log().Text();
    // 9:00 in New York in winter is 15:00 in Central Europe.
    EXPECT_EQ(Agenda(At(1, 1, 0), At(2, 28, 0)),
              (std::vector<Shown>{
                  {"Stand-up", At(1, 7, 15), At(1, 7, 15, 30), false, "Room 1", "Daily sync"},
                  {"Stand-up (Tuesday)", At(1, 15, 17), At(1, 15, 18), false, "Room 2",
                   "Moved for the holiday"},
                  {"Stand-up", At(1, 28, 15), At(1, 28, 15, 30), false, "Room 3", "Daily sync"},
              }))
        << order;
    EXPECT_EQ(ExceptionsOf("Stand-up"),
              (std::vector<Changed>{{At(1, 14, 15), false, At(1, 15, 17), At(1, 15, 18)},
                                    {At(1, 21, 15), true, {}, {}},
                                    {At(1, 28, 15), false, At(1, 28, 15), At(1, 28, 15, 30)},
                                    {At(2, 4, 15), true, {}, {}}}))
        << order;
    const Outlook::_AppointmentItemPtr series = Item("Stand-up");
    EXPECT_EQ(COleDateTime(series->GetStart()), At(1, 7, 15)) << order;
    EXPECT_EQ(series->GetRecurrencePattern()->GetOccurrences(), 5) << order;
  }
}

TEST_F(CalImportOverridesTest, AnAllDayOccurrenceMovesToAnotherDay) {
  FirstPage(OfficeDays());
  const Finish finish = Run();
  EXPECT_EQ(finish.imported, "1");
  EXPECT_EQ(finish.skipped, "0");
  EXPECT_EQ(Agenda(At(3, 1, 0), At(3, 31, 0)),
            (std::vector<Shown>{
                {"Office day", At(3, 4, 0), At(3, 5, 0), true, "", ""},
                {"Office day (Tuesday)", At(3, 12, 0), At(3, 13, 0), true, "", ""},
                {"Office day", At(3, 18, 0), At(3, 19, 0), true, "", ""},
            }))
      << Log().Text();
  EXPECT_EQ(ExceptionsOf("Office day"),
            (std::vector<Changed>{{At(3, 11, 0), false, At(3, 12, 0), At(3, 13, 0)}}));
}

TEST_F(CalImportOverridesTest, AnAllDaySeriesKeptInTheDefaultZoneFindsItsOccurrenceToo) {
  // With Tokyo's default zone the days stay the days of the file, and the override finds
  // its occurrence among them.
  testkit::SeedZoneList();
  FirstPage(OfficeDays(), -1, false, "Tokyo");
  EXPECT_EQ(Run().imported, "1");
  const auto days = [](LONG n) { return COleDateTimeSpan(n, 0, 0, 0); };
  const COleDateTime first = At(3, 4, 0);
  const Outlook::_AppointmentItemPtr series = Item("Office day");
  ASSERT_EQ(COleDateTime(series->GetStart()), first) << Log().Text();
  const bool allDay = true;
  EXPECT_NE(series->GetAllDayEvent(), VARIANT_FALSE);
  EXPECT_EQ(Agenda(At(3, 1, 0), At(3, 31, 0)),
            (std::vector<Shown>{
                {"Office day", first, first + days(1), allDay, "", ""},
                {"Office day (Tuesday)", first + days(8), first + days(9), allDay, "", ""},
                {"Office day", first + days(14), first + days(15), allDay, "", ""},
            }))
      << Log().Text();
  EXPECT_EQ(ExceptionsOf("Office day"),
            (std::vector<Changed>{{first + days(7), false, first + days(8), first + days(9)}}));
}

TEST_F(CalImportOverridesTest, AnOverrideWithoutItsSeriesOrOccurrenceIsAnAppointmentOfItsOwn) {
  FirstPage(In("loose.ics",
               Calendar(Vevent("Weekly",
                               "DTSTART:20300304T090000Z\r\nDTEND:20300304T100000Z\r\n"
                               "RRULE:FREQ=WEEKLY;COUNT=3\r\nUID:weekly@web.example\r\n") +
                        // 9:30 is no occurrence of the series.
                        Vevent("Weekly (no such time)",
                               "DTSTART:20300312T090000Z\r\nDTEND:20300312T100000Z\r\n"
                               "RECURRENCE-ID:20300311T093000Z\r\nUID:weekly@web.example\r\n") +
                        // This and the following ones: taken for its own occurrence only.
                        Vevent("Weekly (later)",
                               "DTSTART:20300318T110000Z\r\nDTEND:20300318T120000Z\r\n"
                               "RECURRENCE-ID;RANGE=THISANDFUTURE:20300318T090000Z\r\n"
                               "UID:weekly@web.example\r\n") +
                        Vevent("Lone",
                               "DTSTART:20300305T090000Z\r\nDTEND:20300305T100000Z\r\n"
                               "RECURRENCE-ID:20300305T090000Z\r\nUID:lone@web.example\r\n") +
                        Vevent("Daily",
                               "DTSTART:20300401T090000Z\r\nDTEND:20300401T100000Z\r\n"
                               "RRULE:FREQ=DAILY;COUNT=2\r\nUID:daily@web.example\r\n") +
                        // Onto the day of the next occurrence: Outlook refuses the move.
                        Vevent("Daily (clash)",
                               "DTSTART:20300402T130000Z\r\nDTEND:20300402T140000Z\r\n"
                               "RECURRENCE-ID:20300401T090000Z\r\nUID:daily@web.example\r\n"))));
  const Finish finish = Run();
  EXPECT_EQ(finish.imported, "5");
  EXPECT_EQ(finish.failed, "0");
  EXPECT_EQ(finish.skipped, "0");
  EXPECT_EQ(finish.files, "1/5");
  EXPECT_EQ(Agenda(At(3, 1, 0), At(3, 31, 0)),
            (std::vector<Shown>{
                {"Weekly", At(3, 4, 10), At(3, 4, 11), false, "", ""},
                {"Lone", At(3, 5, 10), At(3, 5, 11), false, "", ""},
                {"Weekly", At(3, 11, 10), At(3, 11, 11), false, "", ""},
                {"Weekly (no such time)", At(3, 12, 10), At(3, 12, 11), false, "", ""},
                {"Weekly (later)", At(3, 18, 12), At(3, 18, 13), false, "", ""},
            }));
  // Central European summer time: UTC + 2.
  EXPECT_EQ(Agenda(At(4, 1, 0), At(4, 30, 0)),
            (std::vector<Shown>{
                {"Daily", At(4, 1, 11), At(4, 1, 12), false, "", ""},
                {"Daily", At(4, 2, 11), At(4, 2, 12), false, "", ""},
                {"Daily (clash)", At(4, 2, 15), At(4, 2, 16), false, "", ""},
            }));
  EXPECT_TRUE(ExceptionsOf("Daily").empty());
  const std::string log = Log().Text();
  EXPECT_NE(log.find("its series did not take the change"), std::string::npos) << log;
  EXPECT_NE(log.find("RECURRENCE-ID=20300311T093000Z) in file"), std::string::npos) << log;
  EXPECT_NE(log.find("no occurrence of its series starts then"), std::string::npos) << log;
  EXPECT_NE(log.find("no series of its UID was imported"), std::string::npos) << log;
  EXPECT_NE(log.find("RANGE=THISANDFUTURE not supported"), std::string::npos) << log;
}

TEST_F(CalImportOverridesTest, ASeriesKeptAsADuplicateLendsItsOverridesToNoOtherItem) {
  const std::string series = Vevent("Weekly",
                                    "DTSTART:20300304T090000Z\r\nDTEND:20300304T100000Z\r\n"
                                    "RRULE:FREQ=WEEKLY;COUNT=3\r\nUID:weekly@web.example\r\n");
  FirstPage(In("series.ics", Calendar(series)));
  EXPECT_EQ(Run().imported, "1");
  // Again, with a moved occurrence, keeping what is there: the series already in the
  // folder keeps its occurrences and the override stands on its own.
  FirstPage(In("again.ics",
               Calendar(series + Vevent("Weekly (moved)",
                                        "DTSTART:20300312T090000Z\r\nDTEND:20300312T100000Z\r\n"
                                        "RECURRENCE-ID:20300311T090000Z\r\n"
                                        "UID:weekly@web.example\r\n"))),
            CvCalImport::kKeep);
  const Finish finish = Run();
  EXPECT_EQ(finish.imported, "1");
  EXPECT_EQ(finish.skipped, "1");
  EXPECT_TRUE(ExceptionsOf("Weekly").empty());
  EXPECT_EQ(Agenda(At(3, 1, 0), At(3, 31, 0)),
            (std::vector<Shown>{
                {"Weekly", At(3, 4, 10), At(3, 4, 11), false, "", ""},
                {"Weekly", At(3, 11, 10), At(3, 11, 11), false, "", ""},
                {"Weekly (moved)", At(3, 12, 10), At(3, 12, 11), false, "", ""},
                {"Weekly", At(3, 18, 10), At(3, 18, 11), false, "", ""},
            }));
}

TEST_F(CalImportOverridesTest, AnOverrideInItsSeriesLeavesTheProgressAndTheCountsRight) {
  ThreeFilesTheSecondGone(Vevent("A1",
                                 "DTSTART:20300304T090000Z\r\nRRULE:FREQ=WEEKLY;COUNT=3\r\n"
                                 "UID:a1@web.example\r\n") +
                          Vevent("A1 (moved)",
                                 "DTSTART:20300312T090000Z\r\n"
                                 "RECURRENCE-ID:20300311T090000Z\r\n"
                                 "UID:a1@web.example\r\n") +
                          Vevent("A2", "DTSTART:20300313T080000Z\r\n"));
  // Between the files: the progress counts the two appointments of the first file out
  // of the five the run makes; then the user cancels.
  testkit::ControlState progress;
  testkit::SetMessageBoxHandler([&progress](const testkit::MessageBoxRecord&) {
    const HWND dlg = testkit::WaitForDialog(IDD_VCAL_IMPORT_PROGRESS);
    progress = testkit::Control(dlg, IDC_PROGRESS);
    testkit::Click(dlg, IDCANCEL);
    return IDOK;
  });
  const Finish finish = Run();
  testkit::SetMessageBoxHandler({});
  EXPECT_EQ(progress.position, 2);
  EXPECT_EQ(progress.rangeHigh, 5);
  // The events not reached are skipped; the override is counted with its series.
  EXPECT_EQ(finish.files, "3/5");
  EXPECT_EQ(finish.imported, "3");
  EXPECT_EQ(finish.failed, "0");
  EXPECT_EQ(finish.skipped, "2");
  EXPECT_EQ(Subjects(), (std::vector<std::string>{"A1", "A2", "C1"}));
  EXPECT_EQ(ExceptionsOf("A1"),
            (std::vector<Changed>{{At(3, 11, 10), false, At(3, 12, 10), At(3, 12, 10, 30)}}));
}

// --- What other programs write: folds, case, rules, zones, alarms, empty files -------------

std::string VCalendar(const std::string& events) {
  return "BEGIN:VCALENDAR\r\nVERSION:1.0\r\n" + events + "END:VCALENDAR\r\n";
}

TEST_F(CalImportRunTest, TabFoldsAndLowerCaseNamesImportWhole) {
  const std::string lower =
      "begin:vcalendar\r\nversion:2.0\r\nbegin:vevent\r\nsummary:Lower\r\n"
      "dtstart:20300312T080000Z\r\ndtend:20300312T090000Z\r\nlocation:Room\r\n\t 4\r\n"
      "end:vevent\r\nend:vcalendar\r\n";
  const std::string folded = VCalendar(
      "Begin:VEvent\r\nSUMMARY:Folded\r\nDTSTART:20300313T080000Z\r\nLOCATION:Main\r\n\t"
      "Street 5\r\nEND:vevent\r\n");
  FirstPage("\"" + In("lower.ics", lower) + "\" \"" + In("folded.vcs", folded) + "\"");
  const Finish finish = Run();
  EXPECT_EQ(finish.files, "2/2");
  EXPECT_EQ(finish.imported, "2") << Log().Text();
  EXPECT_EQ(COleDateTime(Item("Lower")->GetStart()), COleDateTime(2030, 3, 12, 9, 0, 0));
  EXPECT_EQ(COleDateTime(Item("Lower")->GetEnd()), COleDateTime(2030, 3, 12, 10, 0, 0));
  EXPECT_EQ(KeptOf(Item("Lower")).location, "Room 4");
  EXPECT_EQ(KeptOf(Item("Folded")).location, "MainStreet 5");
}

TEST_F(CalImportRunTest, VCalendarRulesTakeWhatTheyLeaveOutFromTheStart) {
  // 2030-03-04 is a Monday; 23:30 UTC is Tuesday 00:30 in Central Europe.
  FirstPage(In("rules.vcs",
               VCalendar("BEGIN:VEVENT\r\nSUMMARY:Weekly\r\nRRULE:W1 #5\r\n"
                         "DTSTART:20300304T100000\r\nDTEND:20300304T110000\r\nEND:VEVENT\r\n"
                         "BEGIN:VEVENT\r\nSUMMARY:Late\r\nDTSTART:20300304T233000Z\r\n"
                         "DTEND:20300305T000000Z\r\nRRULE:W1 #3\r\nEND:VEVENT\r\n"
                         "BEGIN:VEVENT\r\nSUMMARY:Yearly\r\nRRULE:YM1 6 #0\r\n"
                         "DTSTART:20300617T100000\r\nDTEND:20300617T110000\r\nEND:VEVENT\r\n"
                         "BEGIN:VEVENT\r\nSUMMARY:Monthly\r\nRRULE:MD1 #3\r\n"
                         "DTSTART:20300320T100000\r\nDTEND:20300320T110000\r\nEND:VEVENT\r\n")));
  EXPECT_EQ(Run().imported, "4") << Log().Text();
  Kept weekly;
  weekly.start = COleDateTime(2030, 3, 4, 10, 0, 0);
  weekly.end = COleDateTime(2030, 3, 4, 11, 0, 0);
  weekly.recurring = true;
  weekly.recurrenceType = Outlook::olRecursWeekly;
  weekly.interval = 1;
  weekly.dayMask = Outlook::olMonday;
  weekly.occurrences = 5;
  EXPECT_EQ(KeptOf(Item("Weekly")), weekly);
  Kept late = weekly;
  late.start = COleDateTime(2030, 3, 5, 0, 30, 0);
  late.end = COleDateTime(2030, 3, 5, 1, 0, 0);
  late.dayMask = Outlook::olTuesday;
  late.occurrences = 3;
  EXPECT_EQ(KeptOf(Item("Late")), late);
  Kept yearly;
  yearly.start = COleDateTime(2030, 6, 17, 10, 0, 0);
  yearly.end = COleDateTime(2030, 6, 17, 11, 0, 0);
  yearly.recurring = true;
  yearly.recurrenceType = Outlook::olRecursYearly;
  yearly.dayOfMonth = 17;
  yearly.monthOfYear = 6;
  yearly.noEnd = true;
  EXPECT_EQ(KeptOf(Item("Yearly")), yearly);
  Kept monthly;
  monthly.start = COleDateTime(2030, 3, 20, 10, 0, 0);
  monthly.end = COleDateTime(2030, 3, 20, 11, 0, 0);
  monthly.recurring = true;
  monthly.recurrenceType = Outlook::olRecursMonthly;
  monthly.interval = 1;
  monthly.dayOfMonth = 20;
  monthly.occurrences = 3;
  EXPECT_EQ(KeptOf(Item("Monthly")), monthly);
  EXPECT_EQ(Log().Text().find("RRULE is invalid"), std::string::npos) << Log().Text();
}

TEST_F(CalImportRunTest, AnUndefinedTzidOfTheZoneListIsThatZone) {
  testkit::SeedZoneList();
  // The zone list's IANA names lie beside the add-in.
  std::filesystem::create_directories(Temp().linuxPath("addin"));
  std::filesystem::copy_file(KELVRA_SOURCE_DIR "/resources/timezones.txt",
                             Temp().linuxPath("addin/timezones.txt"));
  testkit::SetModuleFolder("Kelvra.dll", Temp().windowsPath("addin"));
  FirstPage(
      In("tokyo.ics", Calendar(Vevent("Single",
                                      "DTSTART;TZID=Asia/Tokyo:20300312T090000\r\n"
                                      "DTEND;TZID=Asia/Tokyo:20300312T100000\r\n") +
                               Vevent("Series",
                                      "DTSTART;TZID=\"Tokyo Standard Time\":20300304T090000\r\n"
                                      "DTEND;TZID=\"Tokyo Standard Time\":20300304T100000\r\n"
                                      "RRULE:FREQ=WEEKLY;COUNT=3\r\n") +
                               Vevent("Lost",
                                      "DTSTART;TZID=Nowhere/Land:20300312T090000\r\n"
                                      "DTEND;TZID=Nowhere/Land:20300312T100000\r\n"))));
  EXPECT_EQ(Run().imported, "3");
  // 9:00 in Tokyo is 0:00 UTC, 1:00 in Central Europe.
  EXPECT_EQ(COleDateTime(Item("Single")->GetStart()), COleDateTime(2030, 3, 12, 1, 0, 0));
  EXPECT_EQ(COleDateTime(Item("Single")->GetEnd()), COleDateTime(2030, 3, 12, 2, 0, 0));
  const Outlook::_AppointmentItemPtr series = Item("Series");
  EXPECT_EQ(COleDateTime(series->GetStart()), COleDateTime(2030, 3, 4, 1, 0, 0));
  TimezoneStruct zone{};
  _bstr_t name;
  ASSERT_TRUE(GetAppointmentTimezone(series, MapiUtils(), &zone, &name)) << Log().Text();
  EXPECT_EQ(zone.Bias, -540);
  EXPECT_EQ(std::string(static_cast<const char*>(name)), "Tokyo Standard Time");
  // Any other zone is the default one, with one warning.
  EXPECT_EQ(COleDateTime(Item("Lost")->GetStart()), COleDateTime(2030, 3, 12, 9, 0, 0));
  const std::string log = Log().Text();
  const std::string warning = "TZID 'Nowhere/Land' is neither defined";
  ASSERT_NE(log.find(warning), std::string::npos) << log;
  EXPECT_EQ(log.find(warning, log.find(warning) + 1), std::string::npos) << log;
  EXPECT_EQ(log.find("Asia/Tokyo' is neither"), std::string::npos) << log;
}

TEST_F(CalImportRunTest, RemindersOfAudioAlarmsEndRelatedTriggersAndPlaceholders) {
  const std::string valarm = "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER";
  FirstPage(
      "\"" +
      In("phone.vcs",
         VCalendar("BEGIN:VEVENT\r\nSUMMARY:Audio\r\nDTSTART:20300312T080000Z\r\n"
                   "AALARM:20300312T074500Z;;0;\r\nEND:VEVENT\r\n"
                   "BEGIN:VEVENT\r\nSUMMARY:Both\r\nDTSTART:20300312T080000Z\r\n"
                   "AALARM:20300312T074500Z\r\nDALARM:20300312T075500Z\r\nEND:VEVENT\r\n")) +
      "\" \"" +
      In("alarms.ics",
         Calendar(Vevent("From end", "DTSTART:20300312T080000Z\r\nDTEND:20300312T100000Z\r\n" +
                                         valarm + ";RELATED=END:-PT150M\r\nEND:VALARM\r\n") +
                  Vevent("In the meeting", "DTSTART:20300312T080000Z\r\nDURATION:PT1H\r\n" +
                                               valarm + ";RELATED=END:-PT15M\r\nEND:VALARM\r\n") +
                  Vevent("Placeholder", "DTSTART:20300312T080000Z\r\n" + valarm +
                                            ";VALUE=DATE-TIME:19760401T005545Z\r\nEND:VALARM\r\n") +
                  Vevent("Absolute", "DTSTART:20300312T080000Z\r\n" + valarm +
                                         ";VALUE=DATE-TIME:20300312T073000Z\r\nEND:VALARM\r\n"))) +
      "\"");
  EXPECT_EQ(Run().imported, "6") << Log().Text();
  const auto reminder = [](const std::string& subject) {
    const Outlook::_AppointmentItemPtr item = Item(subject);
    return item->GetReminderSet() == VARIANT_FALSE ? -1L : item->GetReminderMinutesBeforeStart();
  };
  EXPECT_EQ(reminder("Audio"), 15);
  EXPECT_EQ(reminder("Both"), 5);
  EXPECT_EQ(reminder("From end"), 30);
  EXPECT_EQ(reminder("In the meeting"), 0);
  EXPECT_EQ(reminder("Placeholder"), -1);
  EXPECT_EQ(reminder("Absolute"), 30);
}

TEST_F(CalImportRunTest, FilesWithoutEventsAreNamedAndEventsWithoutStartFail) {
  const std::vector<std::pair<std::string, std::string>> empty = {
      {"empty.ics", ""},
      {"garbage.ics", "\x01\x02 not a calendar at all\r\n"},
      {"card.vcs", "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Doe;John\r\nEND:VCARD\r\n"},
      {"begun.ics", "BEGIN:VCALENDAR\r\n"}};
  std::string files;
  for (const auto& [name, text] : empty) files += "\"" + In(name, text) + "\" ";
  const std::string startless =
      In("startless.ics", Calendar(Vevent("No start", "DTEND;VALUE=DATE:garbage\r\n") +
                                   Vevent("Bad start", "DTSTART:2030-03-12\r\n") +
                                   Vevent("Fine", "DTSTART:20300312T080000Z\r\n")));
  FirstPage(files + "\"" + startless + "\"");
  const Finish finish = Run();
  EXPECT_EQ(finish.files, "5/3");
  EXPECT_EQ(finish.imported, "1");
  EXPECT_EQ(finish.failed, "2");
  EXPECT_EQ(finish.skipped, "0");
  EXPECT_EQ(Subjects(), std::vector<std::string>{"Fine"});
  const std::string log = Log().Text();
  for (const auto& [name, text] : empty) {
    const std::string line =
        "File(" + Temp().windowsPath("in\\" + name) + ") holds no calendar event";
    ASSERT_NE(log.find(line), std::string::npos) << name << log;
    EXPECT_EQ(log.find(line, log.find(line) + 1), std::string::npos) << name;
  }
  EXPECT_EQ(log.find("startless.ics) holds no"), std::string::npos);
  EXPECT_NE(log.find("No START and END in the event of line 4 - the event cannot be imported"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("No START and END in the event of line 8"), std::string::npos) << log;
}

TEST_F(CalImportRunTest, TheOpenFileMessageNamesTheFileInEveryLanguage) {
  for (const char* language : {"EN.ini", "DE.ini"}) {
    std::string path = "Z:" KELVRA_SOURCE_DIR "/resources/" + std::string(language);
    std::replace(path.begin(), path.end(), '/', '\\');
    ASSERT_TRUE(g_Lang.LoadFile(path.c_str(), "Kelvra.dll"));
    const std::string gone =
        In("gone.ics", Calendar(Vevent("Gone", "DTSTART:20300312T080000Z\r\n")));
    testkit::OnDialog(IDD_VCAL_IMPORT, [&](HWND dlg) {
      testkit::TypeText(dlg, IDC_TXT_WIN_FLD, gone);
      testkit::Click(dlg, IDC_BTN_IMPORT_ALL);
      std::filesystem::remove(testkit::ToLinuxPath(gone));
    });
    testkit::ClearMessageBoxes();
    testkit::SetMessageBoxAnswer(IDOK);
    Run();
    testkit::SetMessageBoxAnswer(0);
    ASSERT_EQ(testkit::MessageBoxes().size(), 1u) << language;
    const std::string text = testkit::MessageBoxes()[0].text;
    EXPECT_EQ(text.rfind(gone + "\n", 0), 0u) << language << ": " << text;
    EXPECT_EQ(text.find("%1"), std::string::npos) << text;
    EXPECT_GT(text.size(), gone.size() + 20) << text;
  }
  g_Lang.Clear();
}

}  // namespace
}  // namespace calwriter
