// The PHOTO property: parameters, Base64 over folded lines, the end of the data, and
// the image type told from the bytes.
#include "VCardReaderFixture.h"
#include "contacts/VCardReaderPicture.h"

namespace kelvra::test {

namespace {

// "\xFF\xD8\xFF\xE0" and "\x89PNG", in Base64.
constexpr const char* kJpeg = "/9j/4A==";
constexpr const char* kPng = "iVBORw==";

}  // namespace

class VCardReaderPhotoTest : public VCardReaderTest {};

TEST_F(VCardReaderPhotoTest, AcceptedForms) {
  struct Case {
    const char* version;
    std::vector<std::string> lines;
    const char* extension;
  };
  const std::vector<Case> cases = {
      {"2.1", {"PHOTO;ENCODING=BASE64;TYPE=JPEG:", std::string(" ") + kJpeg, ""}, "JPG"},
      {"3.0", {std::string("PHOTO;ENCODING=b;TYPE=png:") + kPng}, "PNG"},
      {"3.0", {"PHOTO;encoding=B;type=JPEG:/9j/", " 4A=="}, "JPG"},
      {"2.1", {std::string("PHOTO;ENCODING=BASE64;GIF:") + kJpeg, ""}, "JPG"},
      {"2.1", {std::string("PHOTO;BASE64;JPEG:") + kJpeg, ""}, "JPG"},
      {"2.1", {std::string("PHOTO;CHARSET=UTF-8;ENCODING=BASE64;TYPE=XYZ:") + kPng, ""}, "PNG"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines.front());
    const ParsedCard card = ParseOne(Card(c.version, c.lines));
    EXPECT_EQ(card.pictureExtension, c.extension);
    EXPECT_GE(card.picture.size(), 4u);
  }
}

TEST_F(VCardReaderPhotoTest, DataEndsAtTheNextPropertyWithoutAnEmptyLine) {
  const ParsedCard card =
      ParseOne(Card("3.0", {"PHOTO;ENCODING=b;TYPE=JPEG:/9j/", " 4A==", "TEL:1"}));
  EXPECT_EQ(card.pictureExtension, "JPG");
  EXPECT_EQ(card.phones[ParsedCard::kOtherPhone], u"1");
  EXPECT_NE(Log().Lines().find("no end empty line"), std::string::npos);
}

TEST_F(VCardReaderPhotoTest, RefusedPicturesLeaveTheRestOfTheCard) {
  struct Case {
    std::vector<std::string> lines;
    const char* logged;
  };
  const std::vector<Case> cases = {
      {{std::string("PHOTO;TYPE=JPEG:") + kJpeg}, "No ENCODING param in \"PHOTO;TYPE=JPEG:"},
      {{std::string("PHOTO;ENCODING=8BIT:") + kJpeg}, "Unsupported ENCODING in"},
      {{"PHOTO;VALUE=url:http://x/p.jpg"}, "Unsupported PHOTO by URL"},
      {{"PHOTO;ENCODING=BASE64;TYPE=JPEG:", "!!!!", ""}, "Base64Decode failed"},
      {{"PHOTO;ENCODING=BASE64;TYPE=JPEG:", ""}, "no data(in vcf)"},
      {{"PHOTO;ENCODING=BASE64;TYPE=JPEG:QUJDREVGR0g=", ""},
       "cant detect image type; data starts with{0x41,0x42,0x43,0x44,0x45,0x46,0x47,0x48}"},
      {{"PHOTO;ENCODING=BASE64;TYPE=JPEG:Qg==", ""}, "cant detect image type"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines.front());
    ErrorLogWatch log;
    std::vector<std::string> lines = c.lines;
    lines.push_back("N:Doe");
    const ParsedCard card = ParseOne(Card("2.1", lines));
    EXPECT_TRUE(card.picture.empty());
    EXPECT_TRUE(card.pictureExtension.empty());
    EXPECT_EQ(card.lastName, u"Doe");
    EXPECT_NE(log.Lines().find(c.logged), std::string::npos) << log.Lines();
  }
}

TEST_F(VCardReaderPhotoTest, UnsupportedImageTypeIsOnlyAWarning) {
  const ParsedCard card =
      ParseOne(Card("3.0", {std::string("PHOTO;ENCODING=b;TYPE=HEIC;X-FOO=bar:") + kJpeg}));
  EXPECT_EQ(card.pictureExtension, "JPG");
  const std::string log = Log().Lines();
  EXPECT_NE(log.find("image type(HEIC) is unsupported (by outlook)"), std::string::npos) << log;
  EXPECT_NE(log.find("Skipping unknown ParamName(X-FOO) & ParamValue(bar)"), std::string::npos);
}

class VCardReaderPictureTest : public ::testing::Test {};

TEST_F(VCardReaderPictureTest, SignaturesAreCheckedOnlyWhereTheDataIsLongEnough) {
  using Bytes = std::vector<unsigned char>;
  struct Case {
    Bytes data;
    const char* extension;
  };
  const std::vector<Case> cases = {
      {{'B', 'M'}, "BMP"},
      {{0xFF, 0xD8, 0xFF}, "JPG"},
      {{'G', 'I', 'F', '8'}, "GIF"},
      {{'I', 'I', '*', 0}, "TIF"},
      {{0x89, 'P', 'N', 'G'}, "PNG"},
      {{}, nullptr},
      {{'G'}, nullptr},
      {{'G', 'I'}, nullptr},
      {{0xFF, 0xD8}, nullptr},
      {{0x89, 'P', 'N'}, nullptr},
      {{'X', 'Y', 'Z', 'W'}, nullptr},
  };
  for (const Case& c : cases) {
    const char* extension = VCardReaderPicture::DetectExtension(c.data);
    EXPECT_STREQ(extension, c.extension) << testing::PrintToString(c.data);
  }
}

TEST_F(VCardReaderPictureTest, Base64DecodingOverLineBreaks) {
  struct Case {
    std::string text;
    bool ok;
    std::string bytes;
  };
  const std::vector<Case> cases = {
      {"QUJD", true, "ABC"},    {"QUI=", true, "AB"},
      {"QQ==", true, "A"},      {"QU\r\n JD\tRA", true, "ABCD"},
      {"QUJDRA", true, "ABCD"}, {"Q", false, ""},
      {"QU*D", false, ""},      {"QQ==QQ==", false, ""},
      {"", true, ""},
  };
  for (const Case& c : cases) {
    std::vector<unsigned char> data;
    EXPECT_EQ(VCardReaderPicture::DecodeBase64(c.text, data), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(std::string(data.begin(), data.end()), c.bytes) << c.text;
    }
  }
}

}  // namespace kelvra::test
