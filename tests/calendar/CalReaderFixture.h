// The calendar reader over bytes in memory: the shipped encodings list behind
// g_CharConverter, the add-in's log, settable system zone and list separator, and a
// reader that keeps every event it parses together with the zones it knew then.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "LogCapture.h"
#include "calendar/CvCalImport.h"
#include "calendar/ParsedEvent.h"
#include "contacts/DovantCharConverter.h"

namespace caltest {

class RecordingCalImport : public CvCalImport {
 public:
  int _AddEvent() override {
    events.push_back(CurrentEvent());
    zones.push_back(Zones());
    return result;
  }

  std::vector<ParsedEvent> events;
  std::vector<ZoneMap> zones;
  int result = 0;
};

class CalReaderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Every event the reader hands over from these bytes, read as the named file;
  // Parse must return expectedResult.
  std::vector<ParsedEvent> Parse(const std::string& bytes, const char* fileName = "test.ics",
                                 int expectedResult = 0);
  ParsedEvent ParseOne(const std::string& bytes, const char* fileName = "test.ics");
  // The zones the reader knew when it handed over the last event.
  const CvCalImport::ZoneMap& LastZones() const { return m_reader->zones.back(); }
  RecordingCalImport& Reader() { return *m_reader; }

  // A calendar of the version ("1.0" or "2.0") around one VEVENT of these property
  // lines, every line ending CR LF; blocks go before the event.
  static std::string Calendar(const char* version, const std::vector<std::string>& eventLines,
                              const std::vector<std::string>& blocks = {});
  static std::string Lines(const std::vector<std::string>& lines, const char* end = "\r\n");
  static std::string ReadData(const std::string& name);
  static std::u16string U16(const std::string& utf8);
  static std::string Utf16Bytes(const std::u16string& text, bool bigEndian, bool mark);

  std::string LogText() const { return m_log->Text(); }

 private:
  std::unique_ptr<DovantCharConverter> m_converter;
  std::unique_ptr<zonetest::LogCapture> m_log;
  std::unique_ptr<RecordingCalImport> m_reader;
};

}  // namespace caltest
