// Reads that fail: those that abandon the card, those the card survives, and those
// that reach the caller.
#include <gtest/gtest.h>

#include <string>

#include "VCardWriterFixture.h"
#include "com/comdef.h"
#include "testkit/Store.h"

namespace kelvra::test {
namespace {

constexpr const char* kEFail = "[-2147467259]";

class VCardWriterAbandonTest : public VCardWriterTest {
 protected:
  // WriteContact's result for the full contact with member failing on its first call.
  int WriteWithFailure(const char* member, int format = k21) {
    testkit::FailCall(member, 1, E_FAIL);
    CvCardExport writer;
    const int result = Write(writer, "full", format);
    m_card = writer.GetCard();
    return result;
  }

  std::string m_card;
};

TEST_F(VCardWriterAbandonTest, ABodyThatCannotBeReadAbandonsTheCard) {
  EXPECT_EQ(WriteWithFailure("SafeContactItem.Body"), -1);
  EXPECT_NE(Log().Lines().find(std::string("Err") + kEFail +
                               " in CvCardExport::addNOTE: SafeContactItem->get_Body failed"),
            std::string::npos)
      << Log().Lines();
  EXPECT_EQ(m_card.find("END:VCARD"), std::string::npos);
  EXPECT_EQ(m_card.find("NOTE"), std::string::npos);
}

TEST_F(VCardWriterAbandonTest, AnImAddressThatCannotBeReadAbandonsTheCard) {
  EXPECT_EQ(WriteWithFailure("SafeContactItem.IMAddress", k30), -1);
  EXPECT_NE(
      Log().Lines().find(std::string("Err") + kEFail +
                         " in CvCardExport::addNSFields: SafeContactItem->get_IMAddress failed"),
      std::string::npos)
      << Log().Lines();
  EXPECT_EQ(m_card.find("X-OUTL-"), std::string::npos);
}

TEST_F(VCardWriterAbandonTest, ANetMeetingAliasThatCannotBeReadAbandonsTheCardAndIsLogged) {
  EXPECT_EQ(WriteWithFailure("SafeContactItem.NetMeetingAlias"), -1);
  EXPECT_NE(Log().Lines().find(
                std::string("Err") + kEFail +
                " in CvCardExport::addNSFields: SafeContactItem->get_NetMeetingAlias failed"),
            std::string::npos)
      << Log().Lines();
  EXPECT_EQ(m_card.find("X-OUTL-"), std::string::npos);
}

TEST_F(VCardWriterAbandonTest, ANetMeetingServerThatCannotBeReadAbandonsTheCardSilently) {
  EXPECT_EQ(WriteWithFailure("ContactItem.NetMeetingServer"), -1);
  EXPECT_EQ(Log().Lines(), "");
  EXPECT_EQ(m_card.find("END:VCARD"), std::string::npos);
}

TEST_F(VCardWriterAbandonTest, TheSameWriterBuildsTheNextCardWhole) {
  ASSERT_EQ(WriteWithFailure("SafeContactItem.Body"), -1);
  CvCardExport writer;
  EXPECT_EQ(Write(writer, "full", k21), 0);
  EXPECT_EQ(writer.GetCard(), Golden("full-utf8-21.vcf"));
}

class VCardWriterPropagationTest : public VCardWriterTest {};

TEST_F(VCardWriterPropagationTest, AContactReadThatFailsReachesTheCaller) {
  for (const char* member : {"ContactItem.LastName", "ContactItem.Categories",
                             "ContactItem.LastModificationTime", "ContactItem.Sensitivity"}) {
    testkit::ClearFaults();
    testkit::FailCall(member, 0, E_OUTOFMEMORY);
    CvCardExport writer;
    writer.SetFormat(k30);
    writer.SetOutlookVersion(14);
    writer.SetContact(Contact("full"));
    try {
      writer.WriteContact();
      ADD_FAILURE() << member << " did not raise";
    } catch (const _com_error& error) {
      EXPECT_EQ(error.Error(), E_OUTOFMEMORY) << member;
    }
  }
}

}  // namespace
}  // namespace kelvra::test
