// How the reader brings a file's bytes to text: byte-order marks, UTF-16 without a mark,
// files that open with an empty line, NUL characters, line ends and unreadable files.
#include <filesystem>
#include <fstream>

#include "VCardReaderFixture.h"
#include "support/TempDir.h"
#include "testkit/Locale.h"
#include "win32/owners.h"
#include "win32/windows.h"

namespace kelvra::test {

namespace {

const std::string kPlainCard =
    "BEGIN:VCARD\r\nVERSION:2.1\r\nN:M\xC3\xBCller;Anna\r\nEND:VCARD\r\n";
const std::u16string kWideCard =
    u"BEGIN:VCARD\r\nVERSION:2.1\r\nN:M\u00FCller;Anna\r\nEND:VCARD\r\n";

struct Encoded {
  const char* label;
  std::string bytes;
};

}  // namespace

class VCardReaderDecodingTest : public VCardReaderTest {};

TEST_F(VCardReaderDecodingTest, EveryFormOfTheSameCardGivesTheSameName) {
  const std::vector<Encoded> forms = {
      {"UTF-8 without mark", kPlainCard},
      {"UTF-8 with mark", "\xEF\xBB\xBF" + kPlainCard},
      {"UTF-16LE with mark", Utf16Bytes(kWideCard, false, true)},
      {"UTF-16LE without mark", Utf16Bytes(kWideCard, false, false)},
      {"UTF-16BE with mark", Utf16Bytes(kWideCard, true, true)},
      {"UTF-16BE without mark", Utf16Bytes(kWideCard, true, false)},
      {"leading empty line, CR LF", "\r\n" + kPlainCard},
      {"leading empty line, LF", "\n" + kPlainCard},
      {"leading tab line", "\t\r\n" + kPlainCard},
      {"one character then a line end", "X\r\n" + kPlainCard},
      {"UTF-16LE with leading empty line", Utf16Bytes(u"\r\n" + kWideCard, false, false)},
  };
  for (const Encoded& form : forms) {
    SCOPED_TRACE(form.label);
    const ParsedCard card = ParseOne(form.bytes);
    EXPECT_EQ(card.lastName, u"M\u00FCller");
    EXPECT_EQ(card.firstName, u"Anna");
  }
}

TEST_F(VCardReaderDecodingTest, BigEndianTextOpeningWithAControlCharacterIsEightBit) {
  // 00 0A: nothing tells UTF-16 here, so the bytes are read as they are and hold no card
  // a reader could find between their NULs.
  const std::string bytes = Utf16Bytes(u"\n" + kWideCard, true, false);
  EXPECT_TRUE(Parse(bytes).empty());
}

TEST_F(VCardReaderDecodingTest, ConvertedFileIsNotDecodedASecondTime) {
  testkit::SetAcp(1252);
  const std::vector<Encoded> forms = {
      {"UTF-8 with mark",
       "\xEF\xBB\xBF"
       "BEGIN:VCARD\r\nVERSION:2.1\r\n"
       "N;CHARSET=UTF-8:M\xC3\xBCller\r\nEND:VCARD\r\n"},
      {"UTF-16LE with mark",
       Utf16Bytes(u"BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8:M\u00FCller\r\nEND:VCARD\r\n",
                  false, true)},
  };
  for (const Encoded& form : forms) {
    SCOPED_TRACE(form.label);
    EXPECT_EQ(ParseOne(form.bytes).lastName, u"M\u00FCller");
  }
}

TEST_F(VCardReaderDecodingTest, QuotedPrintableOfAConvertedFileStillFollowsItsCharset) {
  testkit::SetAcp(1252);
  const std::string bytes =
      "\xEF\xBB\xBF" + Card("2.1", {"N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:M=C3=BCller"});
  EXPECT_EQ(ParseOne(bytes).lastName, u"M\u00FCller");
}

TEST_F(VCardReaderDecodingTest, AnsiFileIsReadInItsCharset) {
  testkit::SetAcp(1252);
  const ParsedCard card = ParseOne(Card("2.1", {"N:M\xFCller", "FN;CHARSET=UTF-8:M\xC3\xBCller"}));
  EXPECT_EQ(card.lastName, u"M\u00FCller");
  EXPECT_EQ(card.fullName, u"M\u00FCller");
}

TEST_F(VCardReaderDecodingTest, NulCharactersBecomeBlanksAndAreLoggedOnce) {
  std::string bytes = Card("2.1", {"N:Doe;Jo", "NOTE:a b"});
  bytes.replace(bytes.find("a b") + 1, 1, std::string(2, '\0'));
  RecordingImport reader;
  reader.LoadBytes(bytes.data(), bytes.size(), "cards.vcf");
  ASSERT_EQ(reader.ParseCards(), 0);
  ASSERT_EQ(reader.cards.size(), 1u);
  EXPECT_EQ(reader.cards[0].notes, u"a  b");
  const std::string log = Log().Lines();
  EXPECT_NE(log.find("File(cards.vcf) contains unencoded binary data(2 bad symbols)!"),
            std::string::npos)
      << log;
}

TEST_F(VCardReaderDecodingTest, NulCharactersAreNotLoggedWithoutAFileName) {
  std::string bytes = Card("2.1", {"N:Doe"});
  bytes += std::string(1, '\0');
  EXPECT_EQ(Parse(bytes).size(), 1u);
  EXPECT_EQ(Log().Lines().find("unencoded binary data"), std::string::npos);
}

TEST_F(VCardReaderDecodingTest, EveryKindOfLineEndIsALineEnd) {
  for (const char* lineEnd : {"\r\n", "\n", "\r"}) {
    SCOPED_TRACE(testing::PrintToString(std::string(lineEnd)));
    const ParsedCard card = ParseOne(CardWithLineEnd("2.1", {"N:Doe;Jo", "TEL:123"}, lineEnd));
    EXPECT_EQ(card.lastName, u"Doe");
    EXPECT_EQ(card.phones[ParsedCard::kOtherPhone], u"123");
  }
}

TEST_F(VCardReaderDecodingTest, ReadFileTakesAWholeFile) {
  TempDir dir;
  dir.write("one.vcf", Card("3.0", {"FN:Jo Doe"}));
  const std::string path = dir.windows() + "\\one.vcf";
  const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file);
  RecordingImport reader;
  ASSERT_TRUE(reader._ReadFile(file.Get(), path.c_str()));
  EXPECT_EQ(reader.ParseCards(), 0);
  ASSERT_EQ(reader.cards.size(), 1u);
  EXPECT_EQ(reader.cards[0].fullName, u"Jo Doe");
}

TEST_F(VCardReaderDecodingTest, FileThatCannotBeReadIsReportedAndLeavesNothingToRead) {
  RecordingImport reader;
  const std::string before = Card("2.1", {"N:Earlier"});
  reader.LoadBytes(before.data(), before.size(), nullptr);
  EXPECT_FALSE(reader._ReadFile(INVALID_HANDLE_VALUE, "gone.vcf"));
  EXPECT_EQ(reader.ParseCards(), 0);
  EXPECT_TRUE(reader.cards.empty());
  EXPECT_NE(Log().Lines().find("File(gone.vcf) cannot be read"), std::string::npos);
}

TEST_F(VCardReaderDecodingTest, ShortAndEmptyInputsHoldNoCard) {
  for (const std::string& bytes : {std::string(), std::string("B"), std::string("\xFF\xFE"),
                                   std::string("\xEF\xBB\xBF"), std::string(3, '\0')}) {
    EXPECT_TRUE(Parse(bytes).empty());
  }
}

}  // namespace kelvra::test
