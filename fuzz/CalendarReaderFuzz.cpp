// libFuzzer entry for the calendar reader: the first byte picks the file name (and so
// the format a calendar starts in), the rest is read as the bytes of that file, decoded
// and parsed event by event. Each parsed event is walked field by field and its times
// are converted, so that a record left with broken texts shows up under the sanitizers.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ReaderFuzzSetup.h"
#include "calendar/CvCalImport.h"
#include "testkit/Operator.h"

namespace {

using fuzzsetup::Checksum;

// Touches every byte of every field and converts every time in each mode.
class CheckingReader : public CvCalImport {
 public:
  size_t Sum() const { return m_sum; }

 protected:
  int _AddEvent() override {
    const ParsedEvent& event = CurrentEvent();
    for (const std::u16string* text : {&event.organizer, &event.categories, &event.description,
                                       &event.summary, &event.location, &event.resources})
      m_sum += Checksum(*text);
    for (const std::u16string& attendee : event.attendees) m_sum += Checksum(attendee);
    m_sum += Checksum(event.alarmTime) + Checksum(event.uid) + Checksum(event.rule.endDate);
    Convert(event.start.text, event.start.zoneId);
    Convert(event.end.text, event.end.zoneId);
    for (const CalDateText& date : event.exceptionDates) Convert(date.text, date.zoneId);
    for (const CalExtraDate& date : event.extraDates) {
      Convert(date.text, date.zoneId);
      m_sum += Checksum(date.endText) + Checksum(date.durationText);
    }
    m_sum += static_cast<size_t>(event.rule.type + event.rule.dayMask + event.duration +
                                 event.reminderOffset);
    return 0;
  }

 private:
  void Convert(const std::string& text, const std::string& zoneId) {
    for (int mode = kAsWritten; mode <= kToTarget; ++mode) {
      COleDateTime date;
      if (ToDate(text, zoneId, date, mode, CurrentEvent().start.zoneId)) {
        m_sum += static_cast<size_t>(date.GetDay());
      }
    }
  }

  size_t m_sum = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = (fuzzsetup::SetUpAddin(), true);
  (void)ready;
  if (size == 0) return 0;
  const char* fileName = (data[0] & 1) ? "fuzz.ics" : "fuzz.vcs";
  CheckingReader reader;
  reader.ParseBytes(data + 1, size - 1, fileName);
  volatile size_t sum = reader.Sum();
  (void)sum;
  testkit::ClearMessageBoxes();
  return 0;
}
