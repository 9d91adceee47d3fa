#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "contacts/DovantCharConverter.h"

namespace {

const std::string kSoftBreak = "=\r\n";

std::string Encode(const std::string& text) {
  std::string encoded = "old";
  DovantCharConverter::EncodeQuotedPrintable(text, encoded);
  return encoded;
}

std::vector<std::string> Lines(const std::string& encoded) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = encoded.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(encoded.substr(start, end - start));
  lines.push_back(encoded.substr(start));
  return lines;
}

class QuotedPrintableEncodeTest : public ::testing::Test {};

TEST_F(QuotedPrintableEncodeTest, BreaksALineOnceItHoldsSixtyFiveCharacters) {
  EXPECT_EQ(Encode(std::string(70, 'a')), std::string(65, 'a') + kSoftBreak + std::string(5, 'a'));
  EXPECT_EQ(Encode(std::string(130, 'b')),
            std::string(65, 'b') + kSoftBreak + std::string(65, 'b'));
}

TEST_F(QuotedPrintableEncodeTest, WritesNoSoftBreakAfterTheLastByte) {
  EXPECT_EQ(Encode(std::string(65, 'a')), std::string(65, 'a'));
  EXPECT_EQ(Encode(std::string(63, 'a') + "\xE9"), std::string(63, 'a') + "=E9");
}

TEST_F(QuotedPrintableEncodeTest, EscapesEveryByteThatIsNotPrintableAscii) {
  EXPECT_EQ(Encode("a=b\r\nc\x7F\x80\xFF\x01."), "a=3Db=0D=0Ac=7F=80=FF=01.");
  EXPECT_EQ(Encode(".start"), ".start");
  EXPECT_EQ(Encode(""), "");
}

TEST_F(QuotedPrintableEncodeTest, AnEscapeThatPassesTheLimitEndsTheLine) {
  EXPECT_EQ(Encode(std::string(64, 'a') + "\xC3\xA9"),
            std::string(64, 'a') + "=C3" + kSoftBreak + "=A9");
}

TEST_F(QuotedPrintableEncodeTest, KeepsBlanksOnlyBeforeColumnSixtyFour) {
  EXPECT_EQ(Encode(std::string(63, 'a') + " x"), std::string(63, 'a') + " x");
  EXPECT_EQ(Encode(std::string(64, 'a') + " x"), std::string(64, 'a') + "=20" + kSoftBreak + "x");
  EXPECT_EQ(Encode(std::string(64, 'a') + "\tx"), std::string(64, 'a') + "=09" + kSoftBreak + "x");
  EXPECT_EQ(Encode(" \tlead"), " \tlead");
}

TEST_F(QuotedPrintableEncodeTest, EscapesABlankThatWouldOpenAContinuationLine) {
  const std::string line(65, 'a');
  EXPECT_EQ(Encode(line + " x"), line + kSoftBreak + "=20x");
  EXPECT_EQ(Encode(line + "\tx"), line + kSoftBreak + "=09x");
  EXPECT_EQ(Encode(line + "  "), line + kSoftBreak + "=20 ");
}

TEST_F(QuotedPrintableEncodeTest, LinesStayShortAndNoContinuationLineOpensWithABlank) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string text;
  for (int i = 0; i < 20000; ++i) text += static_cast<char>(i % 3 ? ' ' : byte(random));
  const std::vector<std::string> lines = Lines(Encode(text));
  ASSERT_GT(lines.size(), 100u);
  for (size_t i = 0; i < lines.size(); ++i) {
    ASSERT_FALSE(lines[i].empty()) << "line " << i;
    EXPECT_LE(lines[i].size(), 76u) << "line " << i;
    if (i > 0) {
      EXPECT_TRUE(lines[i][0] != ' ' && lines[i][0] != '\t') << "line " << i;
    }
    if (i + 1 < lines.size()) {
      EXPECT_EQ(lines[i].back(), '=') << "line " << i;
    }
  }
}

class QuotedPrintableDecodeTest : public ::testing::Test {
 protected:
  // The decoded text, or "<failed>" with the destination checked to be untouched.
  static std::string Decode(const std::string& encoded, bool repair) {
    std::string decoded = "untouched";
    if (DovantCharConverter::DecodeQuotedPrintable(encoded, decoded, repair)) return decoded;
    EXPECT_EQ(decoded, "untouched");
    return "<failed>";
  }
};

TEST_F(QuotedPrintableDecodeTest, DecodesEscapesInEitherCase) {
  EXPECT_EQ(Decode("caf=C3=A9 =3d=3D", false), "caf\xC3\xA9 ==");
  EXPECT_EQ(Decode("", false), "");
}

TEST_F(QuotedPrintableDecodeTest, DropsSoftBreaksAndBareLineEnds) {
  EXPECT_EQ(Decode("abc=\r\ndef", false), "abcdef");
  EXPECT_EQ(Decode("a\rb\nc\r\nd", false), "abcd");
}

TEST_F(QuotedPrintableDecodeTest, ADecodedZeroByteEndsTheValue) {
  EXPECT_EQ(Decode("abc=00def", false), "abc");
}

TEST_F(QuotedPrintableDecodeTest, AnEqualsSignThatStartsNothingFails) {
  for (const char* bad : {"x=;y", "=G1", "=4G", "ab=", "ab=4", "a=\rb", "a=\nb", "a= b"})
    EXPECT_EQ(Decode(bad, false), "<failed>") << bad;
}

TEST_F(QuotedPrintableDecodeTest, RepairTurnsAStrayEqualsSignIntoALiteralOne) {
  EXPECT_EQ(Decode("x=;y", true), "x=;y");
  EXPECT_EQ(Decode("=G1", true), "=G1");
  EXPECT_EQ(Decode("=4G=41", true), "=4GA");
  EXPECT_EQ(Decode("end=", true), "end=");
  EXPECT_EQ(Decode("end=4", true), "end=4");
  EXPECT_EQ(Decode("a=\r", true), "a=");
}

TEST_F(QuotedPrintableDecodeTest, RepairLeavesGoodEscapesAndSoftBreaksAlone) {
  EXPECT_EQ(Decode("a=;=41=\r\nb", true), "a=;Ab");
}

TEST_F(QuotedPrintableDecodeTest, AnEqualsSignBeforeCarriageReturnWithoutLineFeedStillFails) {
  EXPECT_EQ(Decode("a=\rb", true), "<failed>");
  EXPECT_EQ(Decode("a=;b=\rc", true), "<failed>");
}

TEST_F(QuotedPrintableDecodeTest, DecodingGivesBackWhatWasEncoded) {
  std::mt19937 random(77);
  std::uniform_int_distribution<int> byte(1, 255);
  std::uniform_int_distribution<int> length(0, 400);
  for (int round = 0; round < 200; ++round) {
    std::string text;
    for (int i = length(random); i > 0; --i) text += static_cast<char>(byte(random));
    std::string encoded;
    DovantCharConverter::EncodeQuotedPrintable(text, encoded);
    ASSERT_EQ(Decode(encoded, false), text) << "round " << round;
  }
}

}  // namespace
