// libFuzzer entry for the vCard reader: every input is read as the bytes of a .vcf file,
// decoded and parsed card by card. Each finished card is walked field by field so that
// a record left with broken texts shows up under the sanitizers.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ReaderFuzzSetup.h"
#include "contacts/CvCardImport.h"
#include "testkit/Operator.h"

namespace {

using fuzzsetup::Checksum;

size_t Checksum(const ParsedAddress& address) {
  return Checksum(address.postOfficeBox) + Checksum(address.street) + Checksum(address.city) +
         Checksum(address.region) + Checksum(address.postalCode) + Checksum(address.country);
}

// Touches every byte of every field, so reads past a text's end are caught here.
class CheckingReader : public CvCardImport {
 public:
  size_t Sum() const { return m_sum; }

 protected:
  int putContactItem(const ParsedCard& card) override {
    for (const std::u16string* text :
         {&card.firstName,        &card.middleName,      &card.lastName,
          &card.namePrefix,       &card.nameSuffix,      &card.fullName,
          &card.nickName,         &card.profession,      &card.companyName,
          &card.department,       &card.jobTitle,        &card.notes,
          &card.officeLocation,   &card.imAddress,       &card.categories,
          &card.managerName,      &card.assistantName,   &card.spouse,
          &card.netMeetingServer, &card.netMeetingAlias, &card.freeBusyAddress,
          &card.businessHomePage, &card.personalHomePage})
      m_sum += Checksum(*text);
    m_sum += Checksum(card.business) + Checksum(card.home) + Checksum(card.other);
    for (const std::u16string& phone : card.phones) m_sum += Checksum(phone);
    for (const ParsedEmail& email : card.emails)
      m_sum += Checksum(email.address) + Checksum(email.addressType);
    for (unsigned char byte : card.picture) m_sum = m_sum * 31 + byte;
    m_sum += card.pictureExtension.size() + static_cast<size_t>(card.sensitivity) +
             (card.birthday != 0) + (card.anniversary != 0);
    return 0;
  }

 private:
  size_t m_sum = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = (fuzzsetup::SetUpAddin(), true);
  (void)ready;
  CheckingReader reader;
  reader.SetOutlookVersion(14);
  reader.ParseBytes(data, size);
  volatile size_t sum = reader.Sum();
  (void)sum;
  testkit::ClearMessageBoxes();
  return 0;
}
