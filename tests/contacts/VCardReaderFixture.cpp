#include "VCardReaderFixture.h"

#include "support/Utf16Text.h"
#include "testkit/Locale.h"
#include "testkit/Operator.h"

namespace kelvra::test {

void VCardReaderTest::SetUp() {
  testkit::SetAcp(65001);
  testkit::SetListSeparator(",");
  m_addinFolder.WriteEncodings(
      ReadFixtureFile(KELVRA_SOURCE_DIR "/resources/supportedEncodings.txt"));
  m_converter = std::make_unique<DovantCharConverter>();
  g_CharConverter = m_converter.get();
  m_log = std::make_unique<ErrorLogWatch>();
  testkit::ClearMessageBoxes();
}

void VCardReaderTest::TearDown() {
  g_CharConverter = nullptr;
  m_converter.reset();
  testkit::ClearMessageBoxes();
  testkit::SetListSeparator(",");
  testkit::SetAcp(0);
}

std::vector<ParsedCard> VCardReaderTest::Parse(const std::string& bytes, int outlookVersion) {
  RecordingImport reader;
  reader.SetOutlookVersion(outlookVersion);
  EXPECT_EQ(reader.ParseBytes(bytes.data(), bytes.size()), 0);
  return reader.cards;
}

ParsedCard VCardReaderTest::ParseOne(const std::string& bytes) {
  std::vector<ParsedCard> cards = Parse(bytes);
  EXPECT_EQ(cards.size(), 1u) << bytes;
  return cards.empty() ? ParsedCard() : cards.front();
}

std::string VCardReaderTest::Card(const char* version, const std::vector<std::string>& lines) {
  return CardWithLineEnd(version, lines, "\r\n");
}

std::string VCardReaderTest::CardWithLineEnd(const char* version,
                                             const std::vector<std::string>& lines,
                                             const std::string& lineEnd) {
  std::string card = "BEGIN:VCARD" + lineEnd + "VERSION:" + version + lineEnd;
  for (const std::string& line : lines) card += line + lineEnd;
  return card + "END:VCARD" + lineEnd;
}

std::string VCardReaderTest::ReadData(const std::string& name) {
  return ReadFixtureFile(KELVRA_TEST_DATA_DIR "/vcard-read/" + name);
}

std::u16string VCardReaderTest::U16(const std::string& utf8) {
  return kelvra::test::Utf16FromUtf8(utf8);
}

std::string VCardReaderTest::Utf16Bytes(const std::u16string& text, bool bigEndian, bool mark) {
  return kelvra::test::Utf16Bytes(text, bigEndian, mark);
}

}  // namespace kelvra::test
