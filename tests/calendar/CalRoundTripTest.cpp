// Every appointment of the writer's test mailbox, written by the calendar writer in both
// versions and read back by the calendar reader, gives the store's values again, within
// what the formats keep: personal sensitivity reads as normal, tentative and
// out-of-office read as busy, an iCalendar body's line breaks come back as LF, a daily
// pattern on weekdays comes back as the weekly pattern it is, a yearly interval is not
// kept, a series without end reads "no end" (0) in vCalendar and no count in iCalendar,
// and an occurrence changed without moving is not written at all.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CalReaderFixture.h"
#include "CalWriterFixture.h"
#include "ZoneTestData.h"
#include "outlook/Exceptions.h"
#include "outlook/Recipients.h"
#include "outlook/RecurrencePattern.h"

namespace {

using calwriter::k10;
using calwriter::k20;

std::u16string U16(const _bstr_t& text) {
  const char16_t* data = text;
  return data ? std::u16string(data, text.length()) : std::u16string();
}

std::u16string WithLineFeeds(std::u16string text) {
  for (std::size_t at = text.find(u"\r\n"); at != std::u16string::npos;
       at = text.find(u"\r\n", at)) {
    text.erase(at, 1);
  }
  return text;
}

class CalRoundTripTest : public calwriter::CalWriterTest {
 protected:
  // The one event of the writer's file of that appointment, as the reader gives it.
  ParsedEvent ReadBack(const std::string& subject, int format, const std::string& folder) {
    const std::string text = ItemFile(subject, format, folder);
    m_reader = std::make_unique<caltest::RecordingCalImport>();
    // As the import page proposes it: the system's zone.
    m_reader->SetDefaultZone(zonetest::CentralEurope());
    EXPECT_EQ(m_reader->ParseBytes(text.data(), text.size(), format == k10 ? "rt.vcs" : "rt.ics"),
              0);
    EXPECT_EQ(m_reader->events.size(), 1u) << text;
    return m_reader->events.empty() ? ParsedEvent() : m_reader->events.front();
  }

  COleDateTime Local(const std::string& text, const std::string& zoneId) {
    COleDateTime date;
    date.SetStatus(COleDateTime::invalid);
    EXPECT_TRUE(m_reader->ToDate(text, zoneId, date, CvCalImport::kToLocal, "")) << text;
    return date;
  }

  void CompareAll(const std::string& folder) {
    for (const std::string& subject : Subjects(folder)) {
      for (const int format : {k10, k20}) {
        SCOPED_TRACE(subject + (format == k10 ? " (1.0)" : " (2.0)"));
        Compare(Appointment(subject, folder), ReadBack(subject, format, folder), format);
      }
    }
  }

  void Compare(Outlook::_AppointmentItemPtr item, const ParsedEvent& event, int format) {
    CompareTexts(item, event, format);
    CompareFlags(item, event);
    CompareTimes(item, event, format);
    CompareReminder(item, event, format);
    ComparePeople(item, event);
    if (item->GetIsRecurring()) {
      CompareRule(item->GetRecurrencePattern(), event, format);
      CompareExceptions(item->GetRecurrencePattern(), event);
    } else {
      EXPECT_EQ(event.rule.type, ParsedRule::kNone);
    }
  }

  void CompareTexts(Outlook::_AppointmentItemPtr item, const ParsedEvent& event, int format) {
    EXPECT_EQ(event.summary, U16(item->GetSubject()));
    EXPECT_EQ(event.location, U16(item->GetLocation()));
    EXPECT_EQ(event.categories, U16(item->GetCategories()));
    const std::u16string body = U16(item->GetBody());
    EXPECT_EQ(event.description, format == k20 ? WithLineFeeds(body) : body);
  }

  static void CompareFlags(Outlook::_AppointmentItemPtr item, const ParsedEvent& event) {
    EXPECT_EQ(event.importance, static_cast<int>(item->GetImportance()));
    const int sensitivity = static_cast<int>(item->GetSensitivity());
    EXPECT_EQ(event.sensitivity, sensitivity == 1 ? 0 : sensitivity);
    EXPECT_EQ(event.busyStatus,
              item->GetBusyStatus() == 0 ? ParsedEvent::kBusyFree : ParsedEvent::kBusyBusy);
    EXPECT_FALSE(event.badStart);
  }

  void CompareTimes(Outlook::_AppointmentItemPtr item, const ParsedEvent& event, int format) {
    EXPECT_EQ(zonetest::Text(Local(event.start.text, event.start.zoneId)),
              zonetest::Text(COleDateTime(item->GetStart())));
    EXPECT_EQ(zonetest::Text(Local(event.end.text, event.end.zoneId)),
              zonetest::Text(COleDateTime(item->GetEnd())));
    const bool dateOnly = event.start.text.size() == 8 && event.end.text.size() == 8;
    EXPECT_EQ(dateOnly, format == k20 && item->GetAllDayEvent() != VARIANT_FALSE);
  }

  void CompareReminder(Outlook::_AppointmentItemPtr item, const ParsedEvent& event, int format) {
    if (item->GetReminderSet() == VARIANT_FALSE) {
      EXPECT_EQ(event.reminderOffset, ParsedEvent::kNoReminderOffset);
      EXPECT_EQ(event.alarmTime, "");
      return;
    }
    const long minutes = item->GetReminderMinutesBeforeStart();
    if (format == k20) {
      EXPECT_EQ(event.reminderOffset, -minutes);
      return;
    }
    const COleDateTimeSpan before =
        Local(event.start.text, event.start.zoneId) - Local(event.alarmTime, event.start.zoneId);
    EXPECT_EQ(static_cast<long>(before.GetTotalMinutes()), minutes);
  }

  static void ComparePeople(Outlook::_AppointmentItemPtr item, const ParsedEvent& event) {
    std::vector<std::u16string> attendees;
    std::u16string organizer;
    if (item->GetMeetingStatus() != 0) {
      Outlook::RecipientsPtr recipients = item->GetRecipients();
      for (long i = 1; i <= recipients->GetCount(); ++i) {
        Outlook::RecipientPtr recipient = recipients->Item(_variant_t(i));
        const std::u16string address = U16(recipient->GetAddress());
        if (recipient->GetType() == 0) organizer = address;
      }
      for (long i = 1; i <= recipients->GetCount(); ++i) {
        Outlook::RecipientPtr recipient = recipients->Item(_variant_t(i));
        const std::u16string address = U16(recipient->GetAddress());
        if (recipient->GetType() != 0 && !address.empty() && address != organizer) {
          attendees.push_back(address);
        }
      }
    }
    EXPECT_EQ(event.organizer, organizer);
    EXPECT_EQ(event.attendees, attendees);
  }

  static void CompareRule(Outlook::RecurrencePatternPtr pattern, const ParsedEvent& event,
                          int format) {
    const ParsedRule& rule = event.rule;
    int type = static_cast<int>(pattern->GetRecurrenceType());
    int interval = static_cast<int>(pattern->GetInterval());
    if (type == ParsedRule::kDaily && interval == 0) {
      type = ParsedRule::kWeekly;
      interval = 1;
    }
    ASSERT_EQ(rule.type, type);
    if (type <= ParsedRule::kMonthNth) {
      EXPECT_EQ(rule.interval, interval);
    }
    const int mask = static_cast<int>(pattern->GetDayOfWeekMask());
    if (type == ParsedRule::kWeekly || type == ParsedRule::kMonthNth ||
        type == ParsedRule::kYearNth) {
      EXPECT_EQ(rule.dayMask, mask);
    }
    if (type == ParsedRule::kMonthly || type == ParsedRule::kYearly) {
      EXPECT_EQ(rule.dayOfMonth, pattern->GetDayOfMonth());
    }
    if (type == ParsedRule::kMonthNth || type == ParsedRule::kYearNth) {
      EXPECT_EQ(rule.instance, pattern->GetInstance());
    }
    if (type >= ParsedRule::kYearly) {
      EXPECT_EQ(rule.monthOfYear, pattern->GetMonthOfYear());
    }
    if (pattern->GetNoEndDate() != VARIANT_FALSE) {
      EXPECT_EQ(rule.occurrences, format == k10 ? 0 : -1);
    } else {
      EXPECT_EQ(rule.occurrences, pattern->GetOccurrences());
    }
  }

  void CompareExceptions(Outlook::RecurrencePatternPtr pattern, const ParsedEvent& event) {
    Outlook::ExceptionsPtr exceptions = pattern->GetExceptions();
    std::vector<std::string> moved;
    long deleted = 0;
    for (long i = 1; i <= exceptions->GetCount(); ++i) {
      Outlook::ExceptionPtr exception = exceptions->Item(_variant_t(i));
      if (exception->GetDeleted() != VARIANT_FALSE) {
        ++deleted;
        continue;
      }
      const COleDateTime start(exception->GetAppointmentItem()->GetStart());
      // An occurrence changed in place is written neither as EXDATE nor as RDATE.
      if (start != COleDateTime(exception->GetOriginalDate()))
        moved.push_back(zonetest::Text(start));
    }
    std::vector<std::string> extra;
    for (const CalExtraDate& date : event.extraDates) {
      extra.push_back(zonetest::Text(Local(date.text, date.zoneId)));
    }
    EXPECT_EQ(extra, moved);
    EXPECT_GE(static_cast<long>(event.exceptionDates.size()),
              deleted + static_cast<long>(moved.size()));
    for (const CalDateText& date : event.exceptionDates) {
      EXPECT_EQ(Local(date.text, date.zoneId).GetStatus(), COleDateTime::valid);
    }
  }

  std::unique_ptr<caltest::RecordingCalImport> m_reader;
};

TEST_F(CalRoundTripTest, EveryEventOfTheCalendarReadsBack) { CompareAll(calwriter::kCalendar); }

TEST_F(CalRoundTripTest, EveryRecurrenceTypeReadsBack) { CompareAll(calwriter::kRules); }

TEST_F(CalRoundTripTest, AnAllDaySeriesReadsBackItsDeletedAndMovedDays) {
  LoadCalendar(calwriter::AllDaySeriesJson());
  for (const int format : {k10, k20}) {
    SCOPED_TRACE(format);
    const ParsedEvent event = ReadBack("Holiday", format, calwriter::kCalendar);
    Compare(Appointment("Holiday"), event, format);
    std::vector<COleDateTime> excluded;
    for (const CalDateText& date : event.exceptionDates)
      excluded.push_back(Local(date.text, date.zoneId));
    EXPECT_EQ(excluded, (std::vector<COleDateTime>{COleDateTime(2026, 7, 13, 0, 0, 0),
                                                   COleDateTime(2026, 7, 20, 0, 0, 0)}));
  }
}

TEST_F(CalRoundTripTest, MeetingIdentifierReadsBack) {
  const char* id =
      "040000008200E00074C5B7101A82E00800000000C0DE5A1F2C4BD801000000000000000010000000D2A3A4B4C6B1"
      "E64A9E24D2A1A7C3B0F1";
  EXPECT_EQ(ReadBack("Meeting", k10, calwriter::kCalendar).uid, id);
  EXPECT_EQ(ReadBack("Meeting", k20, calwriter::kCalendar).uid, id);
  EXPECT_EQ(ReadBack("Timed single", k20, calwriter::kCalendar).uid.size(), 112u);
}

TEST_F(CalRoundTripTest, OneFileOfEveryEventReadsBackInOrder) {
  for (const int format : {k10, k20}) {
    const std::vector<std::string> subjects = Subjects(calwriter::kRules);
    const std::string text = OneFile(subjects, format, calwriter::kRules);
    caltest::RecordingCalImport reader;
    reader.SetDefaultZone(zonetest::CentralEurope());
    ASSERT_EQ(reader.ParseBytes(text.data(), text.size(), format == k10 ? "all.vcs" : "all.ics"),
              0);
    ASSERT_EQ(reader.events.size(), subjects.size());
    for (std::size_t i = 0; i < subjects.size(); ++i) {
      EXPECT_EQ(reader.events[i].summary, U16(_bstr_t(subjects[i].c_str())));
      EXPECT_NE(reader.events[i].rule.type, ParsedRule::kNone) << subjects[i];
    }
  }
}

}  // namespace
