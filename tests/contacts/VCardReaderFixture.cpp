#include "VCardReaderFixture.h"

#include "testkit/Locale.h"
#include "testkit/Operator.h"

namespace kelvra::test {

void VCardReaderTest::SetUp() {
  testkit::SetAcp(65001);
  testkit::SetListSeparator(",");
  m_addinFolder.WriteEncodings(ReadFixtureFile(KELVRA_SOURCE_DIR "/resources/supportedEncodings.txt"));
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
  std::u16string text;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < utf8.size(); ++k) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    if (code >= 0x10000) {
      text += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
      text += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      text += static_cast<char16_t>(code);
    }
  }
  return text;
}

std::string VCardReaderTest::Utf16Bytes(const std::u16string& text, bool bigEndian, bool mark) {
  std::u16string units = mark ? u"\uFEFF" + text : text;
  std::string bytes;
  for (const char16_t unit : units) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

}  // namespace kelvra::test
