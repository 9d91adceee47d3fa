// Whole cards compared byte for byte with files written by hand from the format's
// rules, in both versions.
#include <gtest/gtest.h>

#include <string>

#include "VCardWriterFixture.h"

namespace kelvra::test {
namespace {

class VCardWriterGoldenTest : public VCardWriterTest {
 protected:
  void ExpectBoth(const std::string& fileAs, const std::string& golden) {
    EXPECT_EQ(Card(fileAs, k21), Golden(golden + "-21.vcf")) << golden << " 2.1";
    EXPECT_EQ(Card(fileAs, k30), Golden(golden + "-30.vcf")) << golden << " 3.0";
  }
};

TEST_F(VCardWriterGoldenTest, AMinimalContactGivesNameFormattedNameAndRevision) {
  ExpectBoth("minimal", "minimal");
}

TEST_F(VCardWriterGoldenTest, ACompanyAloneGivesAnEmptyNameAndAnOrganisationWithAnEmptyDepartment) {
  ExpectBoth("company-only", "company-only");
}

TEST_F(VCardWriterGoldenTest, AFullContactInUtf8WritesEveryGroupInOrder) {
  ExpectBoth("full", "full-utf8");
}

TEST_F(VCardWriterGoldenTest, AFullContactInWindows1252ConvertsEveryValue) {
  UseEncoding("Western European (Windows)");
  ExpectBoth("full", "full-1252");
}

TEST_F(VCardWriterGoldenTest, QuotedPrintableBreaksLinesAtTheirLimitsAndOnlyInVersion21) {
  ExpectBoth("qp-boundaries", "qp-boundaries");
}

TEST_F(VCardWriterGoldenTest, SemicolonsAndCommasInsideStructuredParts) {
  ExpectBoth("structured", "structured");
}

TEST_F(VCardWriterGoldenTest, SmtpAddressesAreInternetAndOnlyTheFirstSlotIsPreferred) {
  ExpectBoth("email", "email");
}

TEST_F(VCardWriterGoldenTest, ThePhotoFollowsInFoldedBase64) { ExpectBoth("photo", "photo"); }

}  // namespace
}  // namespace kelvra::test
