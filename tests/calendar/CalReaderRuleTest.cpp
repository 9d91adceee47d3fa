// Both recurrence-rule grammars in Outlook's terms, with the notes they log about what
// Outlook cannot keep.
#include <gtest/gtest.h>

#include <string>

#include "CalReaderFixture.h"
#include "calendar/ICalRuleParser.h"
#include "calendar/VCalRuleParser.h"

namespace caltest {
namespace {

struct RuleCase {
  const char* value;
  int type;
  int interval;
  int occurrences;
  int instance;
  int dayMask;
  int dayOfMonth;
  int monthOfYear;
  const char* note;  // a text the notes must hold; "" for none at all
};

std::string Describe(const ParsedRule& rule) {
  return "type " + std::to_string(rule.type) + " interval " + std::to_string(rule.interval) +
         " count " + std::to_string(rule.occurrences) + " instance " +
         std::to_string(rule.instance) + " mask " + std::to_string(rule.dayMask) + " day " +
         std::to_string(rule.dayOfMonth) + " month " + std::to_string(rule.monthOfYear);
}

void ExpectRule(const ParsedRule& rule, const RuleCase& c, const std::string& notes) {
  ParsedRule expected;
  expected.type = c.type;
  expected.interval = c.interval;
  expected.occurrences = c.occurrences;
  expected.instance = c.instance;
  expected.dayMask = c.dayMask;
  expected.dayOfMonth = c.dayOfMonth;
  expected.monthOfYear = c.monthOfYear;
  expected.endDate = rule.endDate;
  EXPECT_EQ(Describe(rule), Describe(expected)) << c.value;
  if (*c.note == '\0') {
    EXPECT_EQ(notes, "") << c.value;
  } else {
    EXPECT_NE(notes.find(c.note), std::string::npos) << c.value << " notes: " << notes;
  }
}

TEST(ICalRuleTest, FrequenciesInOutlookTerms) {
  const RuleCase cases[] = {
      {"FREQ=DAILY;COUNT=5;INTERVAL=3", 0, 3, 5, 0, 0, 0, 0, ""},
      {"FREQ=DAILY;INTERVAL=1;BYDAY=MO,TU,WE,TH,FR", 1, 1, -1, 0, 62, 0, 0, ""},
      {"FREQ=DAILY;INTERVAL=2;BYDAY=MO", 1, 0, -1, 0, 2, 0, 0,
       "INTERVAL != 1 IN DAILY RULE WITH BYDAY;"},
      {"FREQ=DAILY;BYMONTH=1", 0, 1, -1, 0, 0, 0, 0, "BYMONTH in DAILY rule;"},
      {"FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE;WKST=MO", 1, 2, -1, 0, 10, 0, 0, ""},
      {"FREQ=WEEKLY;BYDAY=1MO", 1, 1, -1, 0, 2, 0, 0, "BYDAY INSTANCE;"},
      {"FREQ=MONTHLY;BYMONTHDAY=15", 2, 1, -1, 0, 0, 15, 0, ""},
      {"FREQ=MONTHLY;BYMONTHDAY=-1", 2, 1, -1, 0, 0, 31, 0, ""},
      {"FREQ=MONTHLY;BYMONTHDAY=1,15", 2, 1, -1, 0, 0, 1, 0, "Multi days in BYMONTHDAY;"},
      {"FREQ=MONTHLY", 2, 1, -1, 0, 0, 0, 0, ""},
      {"FREQ=MONTHLY;BYDAY=-1FR", 3, 1, -1, 5, 32, 0, 0, ""},
      {"FREQ=MONTHLY;BYDAY=2MO", 3, 1, -1, 2, 2, 0, 0, ""},
      {"FREQ=MONTHLY;BYDAY=MO,TU;BYSETPOS=-1", 3, 1, -1, 5, 6, 0, 0, ""},
      {"FREQ=MONTHLY;BYDAY=MO;BYSETPOS=3,4", 3, 1, -1, 3, 2, 0, 0, "Multi days in BYSETPOS;"},
      {"FREQ=MONTHLY;BYDAY=MO;BYSETPOS=-2", 3, 1, -1, 0, 2, 0, 0,
       "Day not equal(-1, or 1-4) in BYSETPOS;"},
      {"FREQ=MONTHLY;BYDAY=MO", 3, 1, -1, 0, 2, 0, 0, "No instance was defined;"},
      {"FREQ=MONTHLY;BYDAY=2MO,TU", 3, 1, -1, 2, 6, 0, 0,
       "Instance day & multi days in BYDAY without BYSETPOS;"},
      {"FREQ=YEARLY;INTERVAL=1;BYMONTHDAY=15;BYMONTH=6", 5, 1, -1, 0, 0, 15, 6, ""},
      {"FREQ=YEARLY;INTERVAL=1;BYDAY=MO;BYMONTH=6;BYSETPOS=2", 6, 1, -1, 2, 2, 0, 6, ""},
      {"FREQ=YEARLY;INTERVAL=2;BYMONTH=3,4;BYDAY=-1SU", 6, 1, -1, 5, 1, 0, 3,
       "INTERVAL > 1 in YEARLY RULE"},
      {"FREQ=YEARLY", 5, 1, -1, 0, 0, 0, 0, ""},
      {"FREQ=MONTHLY;BYMONTHDAY=40", -1, 1, -1, 0, 0, 40, 0, "RRULE is invalid"},
      {"FREQ=HOURLY;INTERVAL=4", -1, 4, -1, 0, 0, 0, 0, "FREQ=HOURLY"},
      {"FREQ=DAILY;BYHOUR=9;BYMINUTE=30", 0, 1, -1, 0, 0, 0, 0, "BYHOUR=9;BYMINUTE=30;"},
      {"FREQ=WEEKLY;BYDAY=MO,XX", 1, 1, -1, 0, 2, 0, 0, "Invalid WEEKDAY(s) in BYDAY;"},
      {"FREQ=WEEKLY;WKST=XX", 1, 1, -1, 0, 0, 0, 0, "invalid WKST;"},
      {"FREQ=DAILY;COUNT=99999999999", 0, 1, -1, 0, 0, 0, 0, "invalid COUNT;"},
      {"FREQ=DAILY;INTERVAL=-1", -1, -1, -1, 0, 0, 0, 0, "RRULE is invalid"},
  };
  for (const RuleCase& c : cases) {
    const ICalRuleParser::Result result = ICalRuleParser::Parse(c.value);
    ExpectRule(result.rule, c, result.Message());
  }
}

TEST(ICalRuleTest, UntilAndTooManyDays) {
  ICalRuleParser::Result result = ICalRuleParser::Parse("FREQ=DAILY;UNTIL=20241231T235959Z");
  EXPECT_EQ(result.rule.endDate, "20241231T235959Z");
  result = ICalRuleParser::Parse("FREQ=DAILY;UNTIL=2024-12-31");
  EXPECT_EQ(result.rule.endDate, "");
  EXPECT_NE(result.Message().find("Was errors:invalid UNTIL;"), std::string::npos);
  std::string days = "FREQ=WEEKLY;BYDAY=MO";
  for (int i = 0; i < 400; ++i) days += ",TU";
  result = ICalRuleParser::Parse(days);
  EXPECT_EQ(result.rule.dayMask, 6);
  EXPECT_NE(result.Message().find("Too many days in BYDAY;"), std::string::npos);
}

TEST(VCalRuleTest, KindsInOutlookTerms) {
  const RuleCase cases[] = {
      {"W1 MO TH #10", 1, 1, 10, 0, 18, 0, 0, ""},
      {"W1 MO MO", 1, 1, 2, 0, 2, 0, 0, ""},
      {"W2 MO WE #10", 1, 2, 10, 0, 10, 0, 0, ""},
      {"D2", 0, 2, 2, 0, 0, 0, 0, ""},
      {"D3 #5", 0, 3, 5, 0, 0, 0, 0, ""},
      {"D1 #0", 0, 1, 0, 0, 0, 0, 0, ""},
      {"W1 SU SA #0", 1, 1, 0, 0, 65, 0, 0, ""},
      {"MD1 1-", 3, 1, 2, 5, 127, 0, 0, ""},
      {"MD1 LD #0", 3, 1, 0, 5, 127, 0, 0, ""},
      {"MD2 15 #0", 2, 2, 0, 0, 0, 15, 0, ""},
      {"MD1 3- #0", 2, 1, 0, 0, 0, 29, 0, ""},
      {"MD1 5 7 #0", 2, 1, 0, 0, 0, 5, 0, "multiple daynumbers is not supported"},
      {"MD1 0 #0", -1, 1, 0, 0, 0, 0, 0, "invalid DayOfMonth"},
      {"MP1 1+ FR #0", 3, 1, 0, 1, 32, 0, 0, ""},
      {"MP1 5+ SU #3", 3, 1, 3, 5, 1, 0, 0, ""},
      {"MP1 1- FR #0", 3, 1, 0, 5, 32, 0, 0, ""},
      {"MP1 2- FR #0", 3, 1, 0, 4, 32, 0, 0, "occurrence with \"-\" is not correctly supported"},
      {"MP1 1+ 2+ MO #0", 3, 1, 0, 1, 2, 0, 0, "multiple occurrences is not supported"},
      {"MP1 1+ MO 2+ TU #0", 3, 1, 0, 1, 6, 0, 0, "multiple <weekdaylist> is not supported"},
      {"MP1 7+ MO #0", -1, 1, 0, 0, 2, 0, 0, "invalid occurrence"},
      {"MP1 1+ MO 0900 #0", 3, 1, 0, 1, 2, 0, 0, "<timelist> not supported"},
      {"YM1 6 #0 MD1 15", 5, 1, 0, 0, 0, 15, 6, ""},
      {"YM1 6 #0 MP1 2+ MO", 6, 1, 0, 2, 2, 0, 6, ""},
      {"YM1 6 7 #0 MD1 15", 5, 1, 0, 0, 0, 15, 6, "mutiple <month> is not supported"},
      {"YM1 13 #0 MD1 15", -1, 1, 0, 0, 0, 15, 0, "invalid <month>"},
      // What the rule leaves out is the start's: the reader fills it in.
      {"YM1 6 #0", 5, 1, 0, 0, 0, 0, 6, ""},
      {"YM1 #0", 5, 1, 0, 0, 0, 0, 0, ""},
      {"YM1 MD1 15 #0", 5, 1, 0, 0, 0, 15, 0, ""},
      {"YM1 MP1 2+ MO #0", 6, 1, 0, 2, 2, 0, 0, ""},
      {"MD1 #3", 2, 1, 3, 0, 0, 0, 0, ""},
      {"W1 #5", 1, 1, 5, 0, 0, 0, 0, ""},
      {"YM1 6 #0 MD1 40", -1, 1, 0, 0, 0, 0, 6, "rule is not supported"},
      {"YM2 6 #0 MD1 15", -1, -1, 2, 0, 0, 0, 0, "RRULE is invalid"},
      {"YM 6 #0 MD1 15", -1, -1, 2, 0, 0, 0, 0, "RRULE is invalid"},
      {"YM01 6 #0 MD1 15", -1, -1, 2, 0, 0, 0, 0, "RRULE is invalid"},
      {"YD1 #0", -1, -1, 0, 0, 0, 0, 0, "Rule \"yearly by day\" is not supported"},
      {"W1 XY #0", -1, 1, 0, 0, 0, 0, 0, "<weekday> is invalid"},
      {"W1 MO$ #0", 1, 1, 0, 0, 2, 0, 0, "<endmarker> is not supported"},
      {"W1 MO 1000$ #0", 1, 1, 0, 0, 2, 0, 0, "<timelist> not supported"},
      {"D1 1200 #0", 0, 1, 0, 0, 0, 0, 0, "<time> not supported"},
      {"D1 M30 #4", 0, 1, 2, 0, 0, 0, 0, "<minuteop> not supported"},
      {"MD1 15 MP1 #4", 2, 1, 2, 0, 0, 15, 0, "embedded rules not supported"},
      {"W1", 1, 1, 2, 0, 0, 0, 0, ""},
      {"", -1, -1, 2, 0, 0, 0, 0, "RRULE is invalid"},
  };
  for (const RuleCase& c : cases) {
    const VCalRuleParser::Result result = VCalRuleParser::Parse(c.value);
    std::string notes;
    for (const VCalRuleParser::Note& note : result.notes) notes += note.text + "|";
    ExpectRule(result.rule, c, notes);
  }
}

TEST(VCalRuleTest, EndDatesAndInformationNotes) {
  VCalRuleParser::Result result = VCalRuleParser::Parse("W1 TU TH 20240630T000000");
  EXPECT_EQ(result.rule.endDate, "20240630T000000");
  EXPECT_EQ(result.rule.occurrences, -1);
  result = VCalRuleParser::Parse("W1 TU 2024063XT000000");
  EXPECT_EQ(result.rule.endDate, "");
  EXPECT_EQ(result.rule.occurrences, 2);
  ASSERT_FALSE(result.notes.empty());
  EXPECT_EQ(result.notes.front().text, "<enddate> error");
  result = VCalRuleParser::Parse("W1 MO$ #0");
  ASSERT_EQ(result.notes.size(), 1u);
  EXPECT_TRUE(result.notes.front().information);
}

class CalReaderRuleTest : public CalReaderTest {};

TEST_F(CalReaderRuleTest, WhatARuleLeavesOutIsTheStartsInBothFormats) {
  struct Case {
    const char* file;
    const char* rule;
    int type, dayMask, dayOfMonth, monthOfYear;
  };
  // 2024-03-06 is a Wednesday.
  const Case cases[] = {
      {"r.vcs", "RRULE:W1 #5", 1, 8, 0, 0},
      {"r.vcs", "RRULE:W1 MO #5", 1, 2, 0, 0},
      {"r.vcs", "RRULE:MD1 #3", 2, 0, 6, 0},
      {"r.vcs", "RRULE:YM1 6 #0", 5, 0, 6, 6},
      {"r.vcs", "RRULE:YM1 #0", 5, 0, 6, 3},
      {"r.vcs", "RRULE:YM1 MP1 2+ MO #0", 6, 2, 0, 3},
      {"r.ics", "RRULE:FREQ=WEEKLY", 1, 8, 0, 0},
      {"r.ics", "RRULE:FREQ=MONTHLY", 2, 0, 6, 0},
      {"r.ics", "RRULE:FREQ=YEARLY;BYMONTHDAY=20", 5, 0, 20, 3},
      {"r.ics", "RRULE:FREQ=YEARLY;BYMONTH=6", 5, 0, 6, 6},
      {"r.ics", "RRULE:FREQ=YEARLY;BYMONTH=6;BYDAY=1SU", 6, 1, 0, 6},
  };
  for (const Case& c : cases) {
    const char* version = std::string(c.file) == "r.vcs" ? "1.0" : "2.0";
    // The rule comes before the start it takes its parts from.
    const ParsedEvent event =
        ParseOne(Calendar(version, {c.rule, "DTSTART:20240306T100000"}), c.file);
    EXPECT_EQ(event.rule.type, c.type) << c.rule;
    EXPECT_EQ(event.rule.dayMask, c.dayMask) << c.rule;
    EXPECT_EQ(event.rule.dayOfMonth, c.dayOfMonth) << c.rule;
    EXPECT_EQ(event.rule.monthOfYear, c.monthOfYear) << c.rule;
  }
  EXPECT_EQ(LogText().find("RRULE is invalid"), std::string::npos) << LogText();
  // A part given wrong is no part left out.
  EXPECT_EQ(
      ParseOne(Calendar("1.0", {"DTSTART:20240306T100000", "RRULE:W1 XY #5"}), "r.vcs").rule.type,
      ParsedRule::kNone);
}

TEST_F(CalReaderRuleTest, EventsReadTheirFormatsGrammarAndLogItsNotes) {
  const ParsedEvent ics =
      ParseOne(Calendar("2.0", {"DTSTART:20240101T100000Z", "RRULE:FREQ=MONTHLY;BYDAY=-1FR"}));
  EXPECT_EQ(ics.rule.type, ParsedRule::kMonthNth);
  EXPECT_EQ(ics.rule.instance, 5);
  const ParsedEvent vcs =
      ParseOne(Calendar("1.0", {"DTSTART:20240101T100000Z", "RRULE:MP1 1+ MO 2+ TU #0"}), "r.vcs");
  EXPECT_EQ(vcs.rule.type, ParsedRule::kMonthNth);
  const std::string log = LogText();
  EXPECT_NE(log.find("multiple <weekdaylist> is not supported\tin line(RRULE:MP1 1+ MO 2+ TU #0)"),
            std::string::npos);
  // A yearly rule other than every year: the event comes in once, with the note.
  const ParsedEvent everyOtherYear =
      ParseOne(Calendar("1.0", {"DTSTART:20240101T100000Z", "RRULE:YM2 1 #0 MD1 1"}), "y.vcs");
  EXPECT_EQ(everyOtherYear.rule.type, ParsedRule::kNone);
  EXPECT_NE(LogText().find("RRULE is invalid\tin line(RRULE:YM2 1 #0 MD1 1)"), std::string::npos)
      << LogText();
  ParseOne(Calendar("2.0", {"DTSTART:20240101T100000Z", "RRULE:FREQ=SECONDLY"}));
  // The log file writes the message's line feeds as CR LF.
  EXPECT_NE(LogText().find("RRULE is invalid\r\nWas errors:\r\nNot supported:FREQ=SECONDLY"),
            std::string::npos);
}

}  // namespace
}  // namespace caltest
