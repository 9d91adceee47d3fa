// The calendar import wizard run end to end over the stand-in store, and what the store
// holds afterwards in a form that other readings of the same file can be compared with:
// every appointment of the calendar folder with its all-day flag, reminder, categories
// and the occurrences the stand-in expands for it in a window (deleted ones gone, moved
// ones at their new start), as UTC instants, or days for all-day appointments.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "CalWizardFixture.h"
#include "atl/OleDateTime.h"
#include "outlook/outlook.h"
#include "testkit/Watchdog.h"

namespace calimport {

// One appointment (or one event of a file) as the comparisons read it.
struct EventReading {
  bool allDay = false;
  // Minutes before the start, or "NONE".
  std::string reminder = "NONE";
  std::vector<std::string> categories;
  // "<instant>|<subject>|<location>" in start order; an instant is "YYYY-MM-DDTHH:MM:SSZ"
  // or, for a day, "DATE:YYYY-MM-DD". Line breaks in texts read "\n".
  std::vector<std::string> occurrences;
};

// By subject; a subject met again is kept as "<subject> #2", "#3", ...
using EventReadings = std::map<std::string, EventReading>;

// Adds a reading under its subject, numbering repeated subjects.
void AddReading(EventReadings& readings, const std::string& subject, EventReading reading);
// The subjects of the readings, in order.
std::vector<std::string> SubjectsOf(const EventReadings& readings);
// Texts with CR LF and LF written as "\n".
std::string OneLine(const std::string& text);
// "<instant>|<subject>|<location>".
std::string OccurrenceText(const std::string& instant, const std::string& subject,
                           const std::string& location);

// The UTC instant of a local time of the system zone, as text.
std::string SystemInstant(const COleDateTime& local);
std::string UtcText(const COleDateTime& utc);
std::string DayText(const COleDateTime& date);

class CalImportTest : public calwriter::CalWizardTest {
 protected:
  void SetUp() override;

  // Runs the wizard over these files ("Import All"); with a zone, the options page
  // chooses the default zone of that name, else the first whose name holds that text. The number of
  // events the finish page reports imported.
  std::string Import(const std::string& files, const std::string& zone = "");
  // A sample file of tests/data/calendar ("programs/macos.ics") copied to a folder of
  // its own; its path for the wizard.
  std::string Sample(const std::string& name) const;

  // Every appointment of the calendar folder, with its occurrences whose start lies in
  // [first, last) (UTC, or local days for all-day appointments).
  EventReadings Stored(const COleDateTime& first, const COleDateTime& last) const;

 private:
  testkit::Watchdog m_watchdog{"calendar import", std::chrono::seconds(90)};
  HKEY m_key = nullptr;
};

}  // namespace calimport
