// The new mail of Application.CreateItem(olMailItem): its window recorded, the files
// attached to it read at once and kept in order.
#include <gtest/gtest.h>

#include "OutlookTestMailbox.h"
#include "support/TempDir.h"
#include "testkit/Mail.h"

namespace {

using namespace outlooktest;

_variant_t Missing() { return _variant_t(static_cast<LONG>(DISP_E_PARAMNOTFOUND), VT_ERROR); }

class MailItemTest : public OutlookTest {
 protected:
  void SetUp() override {
    OutlookTest::SetUp();
    testkit::ClearMails();
    files_.write("a.vcf", "BEGIN:VCARD\r\nEND:VCARD\r\n");
    files_.write("b.vcf", "bb");
  }
  void TearDown() override {
    testkit::ClearMails();
    testkit::ClearFaults();
    OutlookTest::TearDown();
  }
  Outlook::_MailItemPtr NewMail() { return app_->CreateItem(Outlook::olMailItem); }
  _variant_t PathOf(const char* name) const { return _variant_t(files_.windowsPath(name).c_str()); }

  kelvra::test::TempDir files_;
};

TEST_F(MailItemTest, ANewMailIsRecordedAndItsDisplayNoted) {
  Outlook::_MailItemPtr mail = NewMail();
  ASSERT_TRUE(mail);
  auto mails = testkit::Mails();
  ASSERT_EQ(mails.size(), 1u);
  EXPECT_FALSE(mails[0].displayed);
  mail->Display(_variant_t(false));
  mails = testkit::Mails();
  EXPECT_TRUE(mails[0].displayed);
  EXPECT_FALSE(mails[0].modal);
  NewMail()->Display(Missing());
  EXPECT_EQ(testkit::Mails().size(), 2u);
  EXPECT_TRUE(testkit::Mails()[1].displayed);
  // A new mail is no item of the store.
  EXPECT_EQ(testkit::FindFolder("Personal Folders/Inbox")->ItemCount(), 0u);
}

TEST_F(MailItemTest, AttachmentsAreReadAtOnceAndKeptInOrderAlsoAfterDisplay) {
  Outlook::_MailItemPtr mail = NewMail();
  mail->Display(_variant_t(false));
  Outlook::AttachmentsPtr attachments = mail->GetAttachments();
  Outlook::AttachmentPtr first = attachments->Add(PathOf("b.vcf"), Missing(), Missing(), Missing());
  attachments->Add(PathOf("a.vcf"), Missing(), Missing(), _variant_t("Card.vcf"));
  EXPECT_EQ(Text(first->GetFileName()), u"b.vcf");
  EXPECT_EQ(mail->GetAttachments()->GetCount(), 2);
  EXPECT_EQ(Text(mail->GetAttachments()->Item(2L)->GetFileName()), u"Card.vcf");
  const auto mails = testkit::Mails();
  ASSERT_EQ(mails.size(), 1u);
  EXPECT_EQ(mails[0].attachmentPaths,
            (std::vector<std::string>{files_.windowsPath("b.vcf"), files_.windowsPath("a.vcf")}));
  EXPECT_EQ(mails[0].attachmentNames, (std::vector<std::string>{"b.vcf", "Card.vcf"}));
  // The mail keeps the bytes, not the file.
  files_.write("b.vcf", "changed");
  kelvra::test::TempDir saved;
  first->SaveAsFile(_bstr_t(saved.windowsPath("copy").c_str()));
  EXPECT_EQ(saved.read("copy"), "bb");
}

TEST_F(MailItemTest, AFileThatCannotBeReadIsRefusedAndNotRecorded) {
  Outlook::AttachmentsPtr attachments = NewMail()->GetAttachments();
  EXPECT_EQ(
      ErrorOf([&] { attachments->Add(PathOf("missing.vcf"), Missing(), Missing(), Missing()); }),
      HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(ErrorOf([&] { attachments->Add(_variant_t(3L), Missing(), Missing(), Missing()); }),
            DISP_E_TYPEMISMATCH);
  EXPECT_EQ(attachments->GetCount(), 0);
  EXPECT_TRUE(testkit::Mails()[0].attachmentPaths.empty());
}

TEST_F(MailItemTest, PlannedFailuresStopDisplayAndAdd) {
  Outlook::_MailItemPtr mail = NewMail();
  testkit::FailCall("MailItem.Display", 1, E_FAIL);
  EXPECT_EQ(ErrorOf([&] { mail->Display(_variant_t(false)); }), E_FAIL);
  EXPECT_FALSE(testkit::Mails()[0].displayed);
  testkit::FailCall("Attachments.Add", 1, E_ACCESSDENIED);
  Outlook::AttachmentsPtr attachments = mail->GetAttachments();
  EXPECT_EQ(ErrorOf([&] { attachments->Add(PathOf("a.vcf"), Missing(), Missing(), Missing()); }),
            E_ACCESSDENIED);
  testkit::FailCall("Application.CreateItem", 1, E_FAIL);
  EXPECT_EQ(ErrorOf([&] { NewMail(); }), E_FAIL);
  EXPECT_EQ(testkit::Mails().size(), 1u);
}

TEST_F(MailItemTest, AnItemsOwnAttachmentsTakeNoNewFile) {
  Outlook::AttachmentsPtr own = Ann()->GetAttachments();
  EXPECT_EQ(ErrorOf([&] { own->Add(PathOf("a.vcf"), Missing(), Missing(), Missing()); }),
            E_NOTIMPL);
}

}  // namespace
