#include <gtest/gtest.h>

#include <string>

#include "com/com.h"

namespace {

class ComErrorTest : public ::testing::Test {};

TEST_F(ComErrorTest, IssuedErrorCarriesItsResult) {
  try {
    _com_issue_error(E_POINTER);
    FAIL() << "no exception";
  } catch (const _com_error& error) {
    EXPECT_EQ(error.Error(), E_POINTER);
    EXPECT_EQ(error.Description().length(), 0u);
  }
}

TEST_F(ComErrorTest, MessageNamesTheResultInHex) {
  EXPECT_EQ(std::u16string(_com_error(E_FAIL).ErrorMessage()), u"Unknown error 0x80004005");
  EXPECT_EQ(std::u16string(_com_error(S_FALSE).ErrorMessage()), u"Unknown error 0x1");
}

TEST_F(ComErrorTest, CopiesKeepResultMessageAndDescription) {
  _com_error original(DISP_E_MEMBERNOTFOUND, _bstr_t(u"The operation failed."));
  const char16_t* message = original.ErrorMessage();
  _com_error copy = original;
  EXPECT_EQ(copy.Error(), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(std::u16string(copy.ErrorMessage()), message);
  EXPECT_TRUE(copy.Description() == "The operation failed.");
}

}  // namespace
