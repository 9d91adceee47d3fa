// libFuzzer entry for the calendar reader: the first byte picks the file name (and so
// the format a calendar starts in), the rest is read as the bytes of that file, decoded
// and parsed event by event. Each parsed event is walked field by field and its times
// are converted, so that a record left with broken texts shows up under the sanitizers.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "addin/CLib.h"
#include "calendar/CvCalImport.h"
#include "contacts/DovantCharConverter.h"
#include "testkit/Files.h"
#include "testkit/Modules.h"
#include "testkit/Operator.h"
#include "win32/module.h"

namespace {

std::string WindowsPath(const std::string& linuxPath) {
  std::string path = "Z:" + linuxPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

size_t Checksum(const std::u16string& text) {
  size_t sum = text.size();
  for (char16_t c : text) sum = sum * 31 + c;
  return sum;
}

size_t Checksum(const std::string& text) {
  size_t sum = text.size();
  for (char c : text) sum = sum * 31 + static_cast<unsigned char>(c);
  return sum;
}

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

// The log's folder lives as long as the process; every fork of the fuzzer has its own.
char g_logFolder[] = "/tmp/kelvra-calfuzz-XXXXXX";

void RemoveLogFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(g_logFolder, ignored);
}

// The shipped encodings list, and a log so that the lines the reader logs about bad
// input are formatted and written as in a real run.
void SetUpOnce() {
  testkit::SetModuleFolder("Kelvra.dll", WindowsPath(KELVRA_SOURCE_DIR "/resources"));
  static std::unique_ptr<DovantCharConverter> converter = std::make_unique<DovantCharConverter>();
  g_CharConverter = converter.get();
  if (mkdtemp(g_logFolder)) {
    atexit(RemoveLogFolder);
    testkit::SetAppDataFolder(WindowsPath(g_logFolder));
    g_Lib.Init(GetModuleHandleA("Kelvra.dll"));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = (SetUpOnce(), true);
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
