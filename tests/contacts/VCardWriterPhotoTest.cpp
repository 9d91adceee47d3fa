// The contact's picture: which attachment is taken, what is refused, what a failure
// leaves behind (never a half-written photo, never a temporary file).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "VCardWriterFixture.h"
#include "com/comdef.h"
#include "testkit/Files.h"
#include "testkit/Store.h"

namespace kelvra::test {
namespace {

// "hello" and "world" in Base64, standing for two pictures.
constexpr const char* kHello = "aGVsbG8=";
constexpr const char* kWorld = "d29ybGQ=";

std::string Attachment(const std::string& fileName, const char* data, bool photo, int type = 1) {
  return R"({"FileName": ")" + fileName + R"(", "Type": )" + std::to_string(type) +
         R"(, "Data": ")" + data + R"(", "MapiProperties": [{"tag": "0x7FFF000B", "value": )" +
         (photo ? "true" : "false") + "}]}";
}

class VCardWriterPhotoTest : public VCardWriterTest {
 protected:
  // The card of a contact with these attachments (JSON objects joined by ",").
  std::string PhotoCard(const std::string& attachments, bool hasPicture = true, int format = k21) {
    LoadContacts(ContactJson("p", std::string(R"("HasPicture": )") +
                                      (hasPicture ? "true" : "false") + R"(, "Attachments": [)" +
                                      attachments + "]"));
    return Card("p", format);
  }

  // The PHOTO property's lines, or "<none>".
  static std::string Photo(const std::string& card) {
    const size_t start = card.find("PHOTO");
    if (start == std::string::npos) return "<none>";
    return card.substr(start, card.find("END:VCARD") - start);
  }

  bool TempFolderEmpty() const { return std::filesystem::is_empty(Temp().linux()); }
};

TEST_F(VCardWriterPhotoTest, TheFirstFlaggedJpegAttachmentIsWritten) {
  const std::string card =
      PhotoCard(Attachment("a.jpg", kHello, false) + "," + Attachment("b.jpeg", kWorld, true) +
                "," + Attachment("c.jpg", kHello, true));
  EXPECT_EQ(Photo(card), "PHOTO;ENCODING=BASE64;TYPE=JPEG:\r\n d29ybGQ=\r\n\r\n");
  EXPECT_TRUE(TempFolderEmpty());
}

TEST_F(VCardWriterPhotoTest, TheExtensionIsComparedWithoutCase) {
  EXPECT_EQ(Photo(PhotoCard(Attachment("Picture.JPG", kHello, true), true, k30)),
            "PHOTO;ENCODING=BASE64;TYPE=JPEG:\r\n aGVsbG8=\r\n\r\n");
  EXPECT_EQ(Photo(PhotoCard(Attachment("x.Jpeg", kWorld, true))),
            "PHOTO;ENCODING=BASE64;TYPE=JPEG:\r\n d29ybGQ=\r\n\r\n");
}

TEST_F(VCardWriterPhotoTest, OtherPicturesAreRefusedWithAWarningAndTheWalkGoesOn) {
  const std::string card = PhotoCard(
      Attachment("face.png", kHello, true) + "," + Attachment("face", kHello, true) + "," +
      Attachment("face.", kHello, true) + "," + Attachment("face.jpg", kWorld, true));
  EXPECT_EQ(Photo(card), "PHOTO;ENCODING=BASE64;TYPE=JPEG:\r\n d29ybGQ=\r\n\r\n");
  const std::string log = Log().Lines();
  EXPECT_NE(log.find("War[0] in CvCardExport::addPHOTO: Attachment.Filename(face.png) has "
                     "unsupported ext"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("War[0] in CvCardExport::addPHOTO: Attachment.Filename(face) has no ext"),
            std::string::npos);
  EXPECT_NE(log.find("War[0] in CvCardExport::addPHOTO: Attachment.Filename(face.) has no ext"),
            std::string::npos);
}

TEST_F(VCardWriterPhotoTest, AnAttachmentThatIsNotByValueIsRefused) {
  EXPECT_EQ(Photo(PhotoCard(Attachment("face.jpg", kHello, true, 5))), "<none>");
  EXPECT_NE(Log().Lines().find("in CvCardExport::addPHOTO: Attachment.Type != olByValue"),
            std::string::npos);
}

TEST_F(VCardWriterPhotoTest, WithoutAPictureOrAFlagNothingIsWritten) {
  EXPECT_EQ(Photo(PhotoCard(Attachment("face.jpg", kHello, true), false)), "<none>");
  EXPECT_EQ(Photo(PhotoCard(Attachment("face.jpg", kHello, false))), "<none>");
  EXPECT_EQ(Log().Lines(), "");
}

TEST_F(VCardWriterPhotoTest, AnEmptyPictureIsNotWritten) {
  EXPECT_EQ(Photo(PhotoCard(Attachment("face.jpg", "", true))), "<none>");
  EXPECT_NE(Log().Lines().find("in CvCardExport::addPHOTO: SavedFile.Len <= 0"), std::string::npos);
  EXPECT_TRUE(TempFolderEmpty());
}

TEST_F(VCardWriterPhotoTest, APictureLargerThanAnyFixedBufferIsWrittenWhole) {
  std::string data;
  while (data.size() < 400000) data += "/9j/4AAQSkZJRgABAQEASABIAAD";
  data.resize(400000);
  const std::string card = PhotoCard(Attachment("big.jpg", data.c_str(), true));
  const std::string photo = Photo(card);
  ASSERT_NE(photo, "<none>");
  std::string unfolded;
  const std::string header = "PHOTO;ENCODING=BASE64;TYPE=JPEG:\r\n ";
  ASSERT_EQ(photo.compare(0, header.size(), header), 0);
  for (size_t i = header.size(); i < photo.size(); ++i)
    if (photo[i] != '\r' && photo[i] != '\n' && photo[i] != ' ') unfolded += photo[i];
  EXPECT_EQ(unfolded, data);
  EXPECT_EQ(card.substr(card.size() - 15), "\r\n\r\nEND:VCARD\r\n");
}

class VCardWriterPhotoFailureTest : public VCardWriterPhotoTest {
 protected:
  // The photo contact's card with member failing on every call; the card must be
  // whole and without a photo, and no temporary file may be left.
  std::string CardWithFailure(const char* member) {
    testkit::ClearFaults();
    testkit::FailCall(member, 0, E_FAIL);
    const std::string card = Card("photo", k21);
    EXPECT_EQ(Photo(card), "<none>") << member;
    EXPECT_EQ(card.substr(card.size() - 11), "END:VCARD\r\n") << member;
    EXPECT_TRUE(TempFolderEmpty()) << member;
    return Log().Lines();
  }
};

TEST_F(VCardWriterPhotoFailureTest, EachFailedStepIsLoggedAndTheCardGoesOn) {
  const struct {
    const char* member;
    const char* message;
  } steps[] = {
      {"SafeContactItem.Attachments", "SafeItem->Attachmens failed"},
      {"Attachments.Count", "spAttaches->get_Count failed"},
      {"Attachments.Item", "spAttaches->Item failed"},
      {"Attachment.FileName", "spAttach->get_FileName failed"},
      {"Attachment.SaveAsFile", "Attach->SaveAsFile"},
      {"Attachment.Fields", "exception occured"},
      {"Attachment.Type", "exception occured"},
      {"ContactItem.HasPicture", "exception occured"},
  };
  for (const auto& step : steps) {
    const std::string expected =
        std::string("Err") + "[-2147467259] in CvCardExport::addPHOTO: " + step.message;
    EXPECT_NE(CardWithFailure(step.member).find(expected), std::string::npos) << step.member << "\n"
                                                                              << Log().Lines();
  }
}

TEST_F(VCardWriterPhotoFailureTest, ATemporaryFileThatCannotBeMadeLeavesThePhotoOut) {
  testkit::SetTempPath(Temp().windowsPath("missing"));
  const std::string card = Card("photo", k30);
  EXPECT_EQ(Photo(card), "<none>");
  EXPECT_NE(Log().Lines().find("in GetTempFileName2: Failed"), std::string::npos);
}

}  // namespace
}  // namespace kelvra::test
