// libFuzzer entry for the vCard reader: every input is read as the bytes of a .vcf file,
// decoded and parsed card by card. Each finished card is walked field by field so that
// a record left with broken texts shows up under the sanitizers.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "addin/CLib.h"
#include "contacts/CvCardImport.h"
#include "contacts/DovantCharConverter.h"
#include "testkit/Files.h"
#include "testkit/Modules.h"
#include "testkit/Operator.h"
#include "win32/module.h"

namespace {

std::string WindowsPath(const std::string& linuxPath) {
  std::string path = "Z:" + linuxPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

size_t Checksum(const std::u16string& text) {
  size_t sum = text.size();
  for (char16_t c : text) sum = sum * 31 + c;
  return sum;
}

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
         {&card.firstName, &card.middleName, &card.lastName, &card.namePrefix,
          &card.nameSuffix, &card.fullName, &card.nickName, &card.profession,
          &card.companyName, &card.department, &card.jobTitle, &card.notes,
          &card.officeLocation, &card.imAddress, &card.categories, &card.managerName,
          &card.assistantName, &card.spouse, &card.netMeetingServer, &card.netMeetingAlias,
          &card.freeBusyAddress, &card.businessHomePage, &card.personalHomePage})
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

// The log's folder lives as long as the process; every fork of the fuzzer has its own.
char g_logFolder[] = "/tmp/kelvra-fuzz-XXXXXX";

void RemoveLogFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(g_logFolder, ignored);
}

// The shipped encodings list, and a log so that the lines the reader logs about bad
// input are formatted and written as in a real run.
void SetUpOnce() {
  testkit::SetModuleFolder("Kelvra.dll", WindowsPath(KELVRA_SOURCE_DIR "/resources"));
  static std::unique_ptr<DovantCharConverter> converter =
      std::make_unique<DovantCharConverter>();
  g_CharConverter = converter.get();
  if (mkdtemp(g_logFolder)) {
    atexit(RemoveLogFolder);
    testkit::SetAppDataFolder(WindowsPath(g_logFolder));
    g_Lib.Init(GetModuleHandleA("Kelvra.dll"));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = (SetUpOnce(), true);
  (void)ready;
  CheckingReader reader;
  reader.SetOutlookVersion(14);
  reader.ParseBytes(data, size);
  volatile size_t sum = reader.Sum();
  (void)sum;
  testkit::ClearMessageBoxes();
  return 0;
}
