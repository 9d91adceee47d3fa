#include "CalReaderFixture.h"

#include <fstream>
#include <iterator>

#include "support/Utf16Text.h"
#include "testkit/Locale.h"
#include "testkit/Modules.h"
#include "testkit/Operator.h"
#include "testkit/TimeZone.h"

namespace caltest {

namespace {

std::string WindowsPath(const std::string& linuxPath) {
  std::string path = "Z:" + linuxPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

}  // namespace

void CalReaderTest::SetUp() {
  testkit::SetAcp(65001);
  testkit::SetListSeparator(";");
  testkit::SetModuleFolder("Kelvra.dll", WindowsPath(KELVRA_SOURCE_DIR "/resources"));
  m_converter = std::make_unique<DovantCharConverter>();
  g_CharConverter = m_converter.get();
  m_log = std::make_unique<zonetest::LogCapture>();
  m_reader = std::make_unique<RecordingCalImport>();
  testkit::ClearMessageBoxes();
}

void CalReaderTest::TearDown() {
  m_reader.reset();
  g_CharConverter = nullptr;
  m_converter.reset();
  testkit::ClearMessageBoxes();
  testkit::ResetSystemTimeZone();
  testkit::SetListSeparator(",");
  testkit::SetAcp(0);
}

std::vector<ParsedEvent> CalReaderTest::Parse(const std::string& bytes, const char* fileName,
                                              int expectedResult) {
  m_reader = std::make_unique<RecordingCalImport>();
  EXPECT_EQ(m_reader->ParseBytes(bytes.data(), bytes.size(), fileName), expectedResult);
  return m_reader->events;
}

ParsedEvent CalReaderTest::ParseOne(const std::string& bytes, const char* fileName) {
  std::vector<ParsedEvent> events = Parse(bytes, fileName);
  EXPECT_EQ(events.size(), 1u) << bytes;
  return events.empty() ? ParsedEvent() : events.front();
}

std::string CalReaderTest::Lines(const std::vector<std::string>& lines, const char* end) {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

std::string CalReaderTest::Calendar(const char* version, const std::vector<std::string>& eventLines,
                                    const std::vector<std::string>& blocks) {
  std::string text = "BEGIN:VCALENDAR\r\nVERSION:" + std::string(version) + "\r\n";
  text += Lines(blocks);
  text += "BEGIN:VEVENT\r\n" + Lines(eventLines) + "END:VEVENT\r\n";
  return text + "END:VCALENDAR";
}

std::string CalReaderTest::ReadData(const std::string& name) {
  std::ifstream in(KELVRA_TEST_DATA_DIR "/calendar/reader/" + name, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_FALSE(bytes.empty()) << name;
  return bytes;
}

std::u16string CalReaderTest::U16(const std::string& utf8) {
  return kelvra::test::Utf16FromUtf8(utf8);
}

std::string CalReaderTest::Utf16Bytes(const std::u16string& text, bool bigEndian, bool mark) {
  return kelvra::test::Utf16Bytes(text, bigEndian, mark);
}

}  // namespace caltest
