#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>

#include "ContactsTestSupport.h"
#include "com/comutil.h"
#include "contacts/DovantCharConverter.h"
#include "testkit/Operator.h"

namespace {

using kelvra::test::AddinFolder;

std::string ShippedFile() {
  std::ifstream in(KELVRA_SOURCE_DIR "/resources/supportedEncodings.txt", std::ios::binary);
  EXPECT_TRUE(in.good()) << "resources/supportedEncodings.txt is missing";
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The file that ships beside the add-in, read as the add-in reads it.
class ShippedEncodingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.WriteEncodings(ShippedFile());
    converter_ = std::make_unique<DovantCharConverter>();
  }

  const SupportedEncodingsList::EntryList& Entries() const {
    return converter_->GetEncodingsList().GetList();
  }

  AddinFolder folder_;
  std::unique_ptr<DovantCharConverter> converter_;
};

TEST_F(ShippedEncodingsTest, EveryLineIsGoodAndUtf8ComesFirst) {
  EXPECT_TRUE(testkit::MessageBoxes().empty());
  ASSERT_GT(Entries().size(), 1u);
  const EncodingEntry& first = *Entries().front();
  EXPECT_EQ(first.Name, "UTF-8");
  EXPECT_EQ(first.Charset, "UTF-8");
  EXPECT_EQ(first.CodePage, 65001);
}

TEST_F(ShippedEncodingsTest, NamesCharsetsAndCodePagesAreUnique) {
  std::set<std::string> names;
  std::set<std::string> charsets;
  std::set<int> codePages;
  for (const auto& entry : Entries()) {
    EXPECT_TRUE(names.insert(entry->Name).second) << entry->Name;
    EXPECT_TRUE(charsets.insert(entry->Charset).second) << entry->Charset;
    EXPECT_TRUE(codePages.insert(entry->CodePage).second) << entry->CodePage;
    EXPECT_EQ(converter_->CharsetToCodePage(entry->Charset.c_str()), entry->CodePage);
    EXPECT_EQ(converter_->NameToCodePage(entry->Name.c_str()), entry->CodePage);
  }
}

TEST_F(ShippedEncodingsTest, EveryEncodingConvertsBothWays) {
  const _bstr_t text(u"Kelvra 2.1; ORG:Ostrane, Inc. <info@example.org>");
  for (const auto& entry : Entries()) {
    std::string bytes;
    EXPECT_GT(converter_->EncodeByCharset(entry->Charset.c_str(), text, bytes), 0) << entry->Name;
    _bstr_t back;
    converter_->DecodeByCharset(entry->Charset.c_str(), bytes, back);
    EXPECT_TRUE(back == text) << entry->Name;
  }
}

TEST_F(ShippedEncodingsTest, NationalEncodingsCarryTheirOwnScripts) {
  struct Sample {
    const char* charset;
    const char16_t* text;
  };
  const Sample samples[] = {
      {"windows-1252", u"Caf\u00E9 \u20AC"},
      {"windows-1250", u"\u0141\u00F3d\u017A"},
      {"windows-1251", u"\u041F\u0440\u0438\u0432\u0435\u0442"},
      {"ISO-8859-2", u"\u017Blu\u0165"},
      {"ISO-8859-15", u"\u20AC\u0153"},
      {"KOI8-R", u"\u041A\u041E\u0418"},
      {"Shift_JIS", u"\u65E5\u672C\u8A9E\u30AB\u30CA"},
      {"EUC-JP", u"\u65E5\u672C\u8A9E"},
      {"ISO-2022-JP", u"\u65E5\u672C\u8A9E"},
      {"GB2312", u"\u4E2D\u6587"},
      {"GB18030", u"\u4E2D\u6587\U00020000"},
      {"Big5", u"\u4E2D\u6587"},
      {"ks_c_5601-1987", u"\uD55C\uAD6D\uC5B4"},
      {"EUC-KR", u"\uD55C\uAD6D\uC5B4"},
      {"UTF-7", u"\u00E9\u65E5"},
  };
  for (const Sample& sample : samples) {
    std::string bytes;
    ASSERT_GT(converter_->EncodeByCharset(sample.charset, _bstr_t(sample.text), bytes), 0)
        << sample.charset;
    EXPECT_EQ(bytes.find('?'), std::string::npos) << sample.charset;
    _bstr_t back;
    converter_->DecodeByCharset(sample.charset, bytes, back);
    EXPECT_TRUE(back == sample.text) << sample.charset;
  }
}

}  // namespace
