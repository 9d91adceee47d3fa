// The calendar writer over the stand-in Outlook store: the appointments of
// tests/data/calendar/writer/events.json, the shipped encodings list behind
// g_CharConverter, a Central European system zone, a frozen clock and a fixed
// sequence of new GUIDs, so that every calendar written is the same text each run.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "LogCapture.h"
#include "calendar/CvCalExport.h"
#include "contacts/DovantCharConverter.h"
#include "outlook/outlook.h"
#include "support/TempDir.h"

namespace calwriter {

constexpr int k10 = CvCalExport::kVCalendar10;
constexpr int k20 = CvCalExport::kICalendar20;

// The folders of the mailbox file.
constexpr const char* kCalendar = "Personal Folders/Calendar";
constexpr const char* kRules = "Personal Folders/Rules";

// An all-day series "Holiday" of six Mondays from 6 July 2026: the second deleted, the
// third moved to the Wednesday after it.
std::string AllDaySeriesJson();

class CalWriterTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Replaces the mailbox with one whose calendar holds these items (JSON objects
  // joined by ",").
  static void LoadCalendar(const std::string& itemsJson);
  // The appointment with that subject, through the object model.
  static Outlook::_AppointmentItemPtr Appointment(const std::string& subject,
                                                  const std::string& folder = kCalendar);
  // The subjects of a folder's appointments in the folder's order.
  static std::vector<std::string> Subjects(const std::string& folder);

  // The display name of the encodings list, as the export pages choose it.
  void UseEncoding(const char* name);
  // A converter over this encodings list instead of the shipped one.
  void UseEncodingsList(const std::string& list);

  // Points the writer at an empty folder of Temp(): one file "Calendar" or a file per
  // item, never overwriting.
  void Prepare(CvCalExport& writer, bool oneFile) const;
  // The bytes of the file the writer wrote last; "" when there is no such file.
  static std::string Written(const CvCalExport& writer);

  // The calendar file of one appointment; the writer must succeed.
  std::string ItemFile(const std::string& subject, int format,
                       const std::string& folder = kCalendar);
  // One calendar holding these appointments in order; each must succeed.
  std::string OneFile(const std::vector<std::string>& subjects, int format,
                      const std::string& folder = kCalendar);
  // The same with a writer the test prepared; the results of ExportItem in order.
  std::vector<int> WriteOneFile(CvCalExport& writer, const std::vector<std::string>& subjects,
                                int format, const std::string& folder = kCalendar);

  static std::string Golden(const std::string& name);
  // The lines of a calendar without their line ends; every line but the last must end
  // in CR LF, and no bare CR or LF may stand inside a line.
  static std::vector<std::string> Lines(const std::string& text);
  // The lines that begin with start, in order.
  static std::vector<std::string> LinesStarting(const std::string& text, const std::string& start);
  static std::string LineStarting(const std::string& text, const std::string& start);
  // The same among the lines of the events only (zone blocks have DTSTART and RRULE too).
  static std::vector<std::string> EventLines(const std::string& text, const std::string& start);
  static std::string EventLine(const std::string& text, const std::string& start);

  const kelvra::test::TempDir& Temp() const { return m_temp; }
  const zonetest::LogCapture& Log() const { return *m_log; }

 private:
  kelvra::test::TempDir m_addinFolder;
  kelvra::test::TempDir m_temp;
  std::unique_ptr<DovantCharConverter> m_converter;
  std::unique_ptr<zonetest::LogCapture> m_log;
};

}  // namespace calwriter
