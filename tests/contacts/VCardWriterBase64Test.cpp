// The PHOTO value's Base64: the RFC 4648 alphabet and padding, folded into lines.
#include <gtest/gtest.h>

#include <string>

#include "contacts/FoldedBase64.h"

namespace {

std::string Encode(const std::string& bytes) {
  std::string text = "<";
  FoldedBase64::Append(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), text);
  return text;
}

class FoldedBase64Test : public ::testing::Test {};

TEST_F(FoldedBase64Test, EncodesTheStandardTestVectors) {
  EXPECT_EQ(Encode(""), "<");
  EXPECT_EQ(Encode("f"), "<Zg==");
  EXPECT_EQ(Encode("fo"), "<Zm8=");
  EXPECT_EQ(Encode("foo"), "<Zm9v");
  EXPECT_EQ(Encode("foob"), "<Zm9vYg==");
  EXPECT_EQ(Encode("fooba"), "<Zm9vYmE=");
  EXPECT_EQ(Encode("foobar"), "<Zm9vYmFy");
}

TEST_F(FoldedBase64Test, UsesPlusAndSlashForTheHighValues) {
  EXPECT_EQ(Encode(std::string("\xFB\xFF\xBF", 3)), "<+/+/");
  EXPECT_EQ(Encode(std::string("\0\0\0", 3)), "<AAAA");
}

TEST_F(FoldedBase64Test, BreaksAfterSeventySixCharactersAndIndentsTheNextLine) {
  // 57 bytes fill one line exactly: no break after it.
  EXPECT_EQ(Encode(std::string(57, '\0')), "<" + std::string(76, 'A'));
  EXPECT_EQ(Encode(std::string(58, '\0')), "<" + std::string(76, 'A') + "\r\n AA==");
  EXPECT_EQ(Encode(std::string(114, '\0')),
            "<" + std::string(76, 'A') + "\r\n " + std::string(76, 'A'));
}

}  // namespace
