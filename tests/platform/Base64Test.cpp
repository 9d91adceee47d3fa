// ATL's Base64 coder: line layout, flags, the room protocol and what decoding refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "atl/Base64.h"

namespace {

std::string Encode(const std::string& bytes, DWORD flags = ATL_BASE64_FLAG_NONE) {
  const int size = static_cast<int>(bytes.size());
  int length = Base64EncodeGetRequiredLength(size, flags);
  std::string text(static_cast<std::size_t>(length), '#');
  EXPECT_TRUE(
      Base64Encode(reinterpret_cast<const BYTE*>(bytes.data()), size, text.data(), &length, flags));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

bool Decode(const std::string& text, std::string& bytes) {
  const int length = static_cast<int>(text.size());
  int size = Base64DecodeGetRequiredLength(length);
  std::vector<BYTE> out(static_cast<std::size_t>(size) + 1);
  const BOOL ok = Base64Decode(text.data(), length, out.data(), &size);
  bytes.assign(out.begin(), out.begin() + (ok ? size : 0));
  return ok != FALSE;
}

class Base64EncodeTest : public ::testing::Test {};

TEST_F(Base64EncodeTest, BreaksLinesAfterSeventySixCharactersWithNoBreakAtTheEnd) {
  EXPECT_EQ(Encode(std::string(57, '\0')), std::string(76, 'A'));
  EXPECT_EQ(Encode(std::string(58, '\0')), std::string(76, 'A') + "\r\nAA==");
  EXPECT_EQ(Encode(std::string(58, '\0'), ATL_BASE64_FLAG_NOCRLF), std::string(76, 'A') + "AA==");
}

TEST_F(Base64EncodeTest, NoPadLeavesOutTheEqualsSigns) {
  EXPECT_EQ(Encode("f", ATL_BASE64_FLAG_NOPAD), "Zg");
  EXPECT_EQ(Encode("fo", ATL_BASE64_FLAG_NOPAD), "Zm8");
  EXPECT_EQ(Encode("foo", ATL_BASE64_FLAG_NOPAD), "Zm9v");
}

TEST_F(Base64EncodeTest, TooLittleRoomFailsAndTellsTheRoomNeeded) {
  const BYTE bytes[4] = {1, 2, 3, 4};
  char text[7];
  int length = sizeof text;
  EXPECT_FALSE(Base64Encode(bytes, 4, text, &length));
  EXPECT_EQ(length, 8);
}

class Base64DecodeTest : public ::testing::Test {};

TEST_F(Base64DecodeTest, SkipsBlanksAndLineEndsAndTakesMissingPadding) {
  std::string bytes;
  ASSERT_TRUE(Decode("Zm9v\r\n Ym\tFy", bytes));
  EXPECT_EQ(bytes, "foobar");
  ASSERT_TRUE(Decode("Zm8", bytes));
  EXPECT_EQ(bytes, "fo");
  ASSERT_TRUE(Decode("", bytes));
  EXPECT_EQ(bytes, "");
}

TEST_F(Base64DecodeTest, RefusesForeignCharactersDataAfterPaddingAndADanglingDigit) {
  std::string bytes;
  EXPECT_FALSE(Decode("Zm9v*", bytes));
  EXPECT_FALSE(Decode("Zg==Zg==", bytes));
  EXPECT_FALSE(Decode("Zm9vY", bytes));
}

TEST_F(Base64DecodeTest, TooLittleRoomFailsAndTellsTheBytesNeeded) {
  BYTE out[2];
  int size = sizeof out;
  EXPECT_FALSE(Base64Decode("Zm9v", 4, out, &size));
  EXPECT_EQ(size, 3);
}

}  // namespace
