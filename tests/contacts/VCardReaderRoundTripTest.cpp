// Every card the writer makes reads back to the contact it came from, in both versions
// and in UTF-8 and windows-1252, within what the format keeps: ";" inside a structured
// part comes back as ",", values lose their outer blanks, 3.0 line ends come back as
// CR LF, a second telephone moves up when the first is empty, an other fax is taken
// for the business fax when that is empty, every address comes back as SMTP.
#include <algorithm>
#include <cmath>

#include "VCardReaderFixture.h"
#include "VCardWriterFixture.h"
#include "addin/Application.h"
#include "contacts/VCardDate.h"
#include "testkit/Store.h"

namespace kelvra::test {

namespace {

// Stands for an address whose written form depends on the address book.
const std::u16string kResolved = u"<resolved>";

std::u16string Trim(const std::u16string& text) {
  const std::u16string blanks = u" \t\r\n";
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::u16string::npos) return std::u16string();
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::u16string Wide(const _bstr_t& text) {
  const char16_t* chars = text;
  return chars ? std::u16string(chars, text.length()) : std::u16string();
}

std::u16string CrLfLineEnds(const std::u16string& text) {
  std::u16string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' || text[i] == u'\n') {
      result += u"\r\n";
      if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else {
      result += text[i];
    }
  }
  return result;
}

std::string Utf8(const std::u16string& text) {
  std::string bytes;
  for (const char16_t c : text) {
    if (c < 0x80) {
      bytes += static_cast<char>(c);
    } else if (c < 0x800) {
      bytes += static_cast<char>(0xC0 | (c >> 6));
      bytes += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      bytes += static_cast<char>(0xE0 | (c >> 12));
      bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return bytes;
}

// The fields in which two cards differ, with both values, for the failure message.
std::string Differences(const ParsedCard& read, const ParsedCard& expected) {
  std::vector<std::pair<std::u16string, std::u16string>> texts = {
      {read.firstName, expected.firstName},
      {read.middleName, expected.middleName},
      {read.lastName, expected.lastName},
      {read.namePrefix, expected.namePrefix},
      {read.nameSuffix, expected.nameSuffix},
      {read.fullName, expected.fullName},
      {read.nickName, expected.nickName},
      {read.profession, expected.profession},
      {read.companyName, expected.companyName},
      {read.department, expected.department},
      {read.jobTitle, expected.jobTitle},
      {read.notes, expected.notes},
      {read.officeLocation, expected.officeLocation},
      {read.imAddress, expected.imAddress},
      {read.categories, expected.categories},
      {read.managerName, expected.managerName},
      {read.assistantName, expected.assistantName},
      {read.spouse, expected.spouse},
      {read.netMeetingServer, expected.netMeetingServer},
      {read.netMeetingAlias, expected.netMeetingAlias},
      {read.freeBusyAddress, expected.freeBusyAddress},
      {read.businessHomePage, expected.businessHomePage},
      {read.personalHomePage, expected.personalHomePage}};
  for (int i = 0; i < ParsedCard::kPhoneCount; ++i)
    texts.push_back({read.phones[i], expected.phones[i]});
  for (int i = 0; i < ParsedCard::kEmailCount; ++i) {
    texts.push_back({read.emails[i].address, expected.emails[i].address});
    texts.push_back({read.emails[i].addressType, expected.emails[i].addressType});
  }
  for (const auto* a : {&read.business, &read.home, &read.other}) {
    const ParsedAddress& b = a == &read.business ? expected.business
                             : a == &read.home   ? expected.home
                                                 : expected.other;
    for (auto field :
         {&ParsedAddress::postOfficeBox, &ParsedAddress::street, &ParsedAddress::city,
          &ParsedAddress::region, &ParsedAddress::postalCode, &ParsedAddress::country}) {
      texts.push_back({a->*field, b.*field});
    }
  }
  std::string out;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (texts[i].first != texts[i].second) {
      out += "#" + std::to_string(i) + " read '" + Utf8(texts[i].first) + "' expected '" +
             Utf8(texts[i].second) + "'\n";
    }
  }
  if (read.birthday != expected.birthday) out += "birthday\n";
  if (read.anniversary != expected.anniversary) out += "anniversary\n";
  if (read.sensitivity != expected.sensitivity) out += "sensitivity\n";
  if (read.pictureExtension != expected.pictureExtension) out += "picture\n";
  return out;
}

}  // namespace

class VCardReaderRoundTripTest : public VCardWriterTest {
 protected:
  // The text as the card's encoding keeps it, without outer blanks.
  std::u16string Kept(const _bstr_t& value) const {
    std::string bytes;
    _bstr_t back;
    if (g_CharConverter->EncodeByCharset(m_charset, value, bytes) < 0) bytes.clear();
    g_CharConverter->DecodeByCharset(m_charset, bytes, back);
    const char16_t* text = back;
    return Trim(text ? std::u16string(text, back.length()) : std::u16string());
  }
  std::u16string Part(const _bstr_t& value) const {
    std::u16string text = Kept(value);
    for (char16_t& c : text) c = c == u';' ? u',' : c;
    return Trim(text);
  }

  ParsedCard Expected(Outlook::_ContactItem* c, int format, bool hasPhoto) const;
  void CheckAllContacts();

  const char* m_charset = "";
};

ParsedCard VCardReaderRoundTripTest::Expected(Outlook::_ContactItem* c, int format,
                                              bool hasPhoto) const {
  ParsedCard e;
  e.lastName = Part(c->GetLastName());
  e.firstName = Part(c->GetFirstName());
  e.middleName = Part(c->GetMiddleName());
  e.namePrefix = Part(c->GetTitle());
  e.nameSuffix = Part(c->GetSuffix());
  for (const std::u16string& part : {Kept(c->GetFirstName()), Kept(c->GetMiddleName()),
                                     Kept(c->GetLastName()), Kept(c->GetSuffix())}) {
    if (part.empty()) continue;
    e.fullName += (e.fullName.empty() ? u"" : u" ") + part;
  }
  e.nickName = Kept(c->GetNickName());
  e.companyName = Part(c->GetCompanyName());
  e.department = Part(c->GetDepartment());
  e.jobTitle = Kept(c->GetJobTitle());
  e.profession = Kept(c->GetProfession());
  e.notes = format == k30 ? Trim(CrLfLineEnds(Kept(c->GetBody()))) : Kept(c->GetBody());
  e.business = {Part(c->GetBusinessAddressPostOfficeBox()), Part(c->GetBusinessAddressStreet()),
                Part(c->GetBusinessAddressCity()),          Part(c->GetBusinessAddressState()),
                Part(c->GetBusinessAddressPostalCode()),    Part(c->GetBusinessAddressCountry())};
  e.officeLocation = Part(c->GetOfficeLocation());
  e.home = {Part(c->GetHomeAddressPostOfficeBox()), Part(c->GetHomeAddressStreet()),
            Part(c->GetHomeAddressCity()),          Part(c->GetHomeAddressState()),
            Part(c->GetHomeAddressPostalCode()),    Part(c->GetHomeAddressCountry())};
  e.other = {Part(c->GetOtherAddressPostOfficeBox()), Part(c->GetOtherAddressStreet()),
             Part(c->GetOtherAddressCity()),          Part(c->GetOtherAddressState()),
             Part(c->GetOtherAddressPostalCode()),    Part(c->GetOtherAddressCountry())};
  auto& p = e.phones;
  p[ParsedCard::kBusinessPhone] = Kept(c->GetBusinessTelephoneNumber());
  p[ParsedCard::kBusiness2Phone] = Kept(c->GetBusiness2TelephoneNumber());
  p[ParsedCard::kBusinessFax] = Kept(c->GetBusinessFaxNumber());
  p[ParsedCard::kHomePhone] = Kept(c->GetHomeTelephoneNumber());
  p[ParsedCard::kHome2Phone] = Kept(c->GetHome2TelephoneNumber());
  p[ParsedCard::kHomeFax] = Kept(c->GetHomeFaxNumber());
  p[ParsedCard::kMobilePhone] = Kept(c->GetMobileTelephoneNumber());
  p[ParsedCard::kCarPhone] = Kept(c->GetCarTelephoneNumber());
  p[ParsedCard::kPager] = Kept(c->GetPagerNumber());
  p[ParsedCard::kIsdn] = Kept(c->GetISDNNumber());
  p[ParsedCard::kPrimaryPhone] = Kept(c->GetPrimaryTelephoneNumber());
  p[ParsedCard::kOtherPhone] = Kept(c->GetOtherTelephoneNumber());
  p[ParsedCard::kOtherFax] = Kept(c->GetOtherFaxNumber());
  p[ParsedCard::kCompanyMainPhone] = Kept(c->GetCompanyMainTelephoneNumber());
  for (auto [first, second] : {std::pair{ParsedCard::kBusinessPhone, ParsedCard::kBusiness2Phone},
                               std::pair{ParsedCard::kHomePhone, ParsedCard::kHome2Phone},
                               std::pair{ParsedCard::kBusinessFax, ParsedCard::kOtherFax}}) {
    if (p[first].empty()) std::swap(p[first], p[second]);
  }
  int slot = 0;
  const std::pair<_bstr_t, _bstr_t> emails[] = {{c->GetEmail1Address(), c->GetEmail1AddressType()},
                                                {c->GetEmail2Address(), c->GetEmail2AddressType()},
                                                {c->GetEmail3Address(), c->GetEmail3AddressType()}};
  for (const auto& [address, type] : emails) {
    if (Kept(address).empty()) continue;
    // Another type is written as the SMTP address its entry resolves to, when it does.
    const bool smtp = Kept(type) == u"SMTP" || Kept(type) == u"smtp";
    e.emails[slot++] = {smtp ? Kept(address) : kResolved, u"SMTP"};
  }
  e.imAddress = Kept(c->GetIMAddress());
  e.categories = Kept(c->GetCategories());
  e.managerName = Kept(c->GetManagerName());
  e.assistantName = Kept(c->GetAssistantName());
  e.spouse = Kept(c->GetSpouse());
  e.netMeetingServer = Kept(c->GetNetMeetingServer());
  e.netMeetingAlias = Kept(c->GetNetMeetingAlias());
  e.freeBusyAddress = Kept(c->GetInternetFreeBusyAddress());
  e.businessHomePage = Kept(c->GetBusinessHomePage());
  e.personalHomePage = Kept(c->GetPersonalHomePage());
  SYSTEMTIME parts;
  for (auto [date, field] :
       {std::pair{c->GetBirthday(), &e.birthday}, std::pair{c->GetAnniversary(), &e.anniversary}}) {
    if (date != VCardDate::kNoDate && VCardDate::Split(date, parts)) *field = std::floor(date);
  }
  const int sensitivity = c->GetSensitivity();
  e.sensitivity = sensitivity == 2 || sensitivity == 3 ? sensitivity : 0;
  if (hasPhoto) e.pictureExtension = "JPG";
  return e;
}

void VCardReaderRoundTripTest::CheckAllContacts() {
  Outlook::_ItemsPtr items =
      g_Application->GetSession()->GetDefaultFolder(Outlook::olFolderContacts)->GetItems();
  int checked = 0;
  for (long i = 1; i <= items->GetCount(); ++i) {
    Outlook::_ContactItemPtr contact = items->Item(_variant_t(i));
    if (!contact) continue;
    for (const char* encoding : {"UTF-8", "Western European (Windows)"}) {
      for (const int format : {k21, k30}) {
        // Reading moves the converter's current code page: the writer's is set anew.
        UseEncoding(encoding);
        m_charset = g_CharConverter->GetCurrentCharset();
        SCOPED_TRACE(std::string(contact->GetFileAs()) + " " + encoding + " " +
                     std::to_string(format));
        CvCardExport writer;
        writer.SetOutlookVersion(14);
        writer.SetFormat(format);
        writer.SetContact(contact);
        ASSERT_EQ(writer.WriteContact(), 0);
        const std::string card = writer.GetCard();
        RecordingImport reader;
        reader.SetOutlookVersion(14);
        ASSERT_EQ(reader.ParseBytes(card.data(), card.size()), 0);
        ASSERT_EQ(reader.cards.size(), 1u) << card;
        ParsedCard read = reader.cards[0];
        const bool hasPhoto = card.find("\r\nPHOTO;") != std::string::npos;
        EXPECT_EQ(read.picture.empty(), !hasPhoto);
        read.picture.clear();
        ParsedCard expected = Expected(contact, format, hasPhoto);
        for (int slot = 0; slot < ParsedCard::kEmailCount; ++slot) {
          std::u16string& address = expected.emails[slot].address;
          if (address == kResolved && !read.emails[slot].address.empty()) {
            address = read.emails[slot].address;
          }
        }
        EXPECT_TRUE(read == expected) << Differences(read, expected) << card;
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 0);
}

TEST_F(VCardReaderRoundTripTest, WriterTestMailbox) { CheckAllContacts(); }

TEST_F(VCardReaderRoundTripTest, EscapesOfThreeZeroStayOutsideMultiByteCharacters) {
  // Each text holds characters whose encoded bytes include a backslash or a comma (the
  // second byte of a double-byte character, or inside a shifted sequence).
  struct Case {
    const char* encoding;
    const char* text;  // JSON
  };
  const Case cases[] = {
      {"Japanese (Shift-JIS)", "\\u4e88\\u8868"},          // 0x97 0x5C, 0x95 0x5C
      {"Chinese Traditional (Big5)", "\\u4e48\\u8a31"},    // 0xA4 0x5C, 0xB3 0x5C
      {"Chinese Simplified (GB2312)", "\\u4e57\\u4fd3"},   // 0x81 0x5C, 0x82 0x5C
      {"Japanese (JIS)", "\\u500d\\u516b\\u5c71\\u7530"},  // "G\\", "H,", ";3ED" when shifted
      {"Unicode (UTF-7)", "\\u8868\\u5c71"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.encoding);
    const std::string t = c.text;
    LoadContacts(ContactJson("m", "\"LastName\": \"" + t + "\\\\\", \"FirstName\": \"a," + t +
                                      "\", \"CompanyName\": \"" + t + ";" + t + "\", \"Body\": \"" +
                                      t + "\\r\\n" + t + ",\\\\n\""));
    UseEncoding(c.encoding);
    Outlook::_ContactItemPtr contact = Contact("m");
    CvCardExport writer;
    writer.SetOutlookVersion(14);
    writer.SetFormat(k30);
    writer.SetContact(contact);
    ASSERT_EQ(writer.WriteContact(), 0);
    const std::string card = writer.GetCard();
    RecordingImport reader;
    reader.SetOutlookVersion(14);
    ASSERT_EQ(reader.ParseBytes(card.data(), card.size()), 0);
    ASSERT_EQ(reader.cards.size(), 1u) << card;
    const ParsedCard& read = reader.cards[0];
    EXPECT_EQ(read.lastName, Wide(contact->GetLastName())) << card;
    EXPECT_EQ(read.firstName, Wide(contact->GetFirstName())) << card;
    // A ";" inside a structured part is written as a ",".
    std::u16string company = Wide(contact->GetCompanyName());
    std::replace(company.begin(), company.end(), u';', u',');
    EXPECT_EQ(read.companyName, company) << card;
    EXPECT_EQ(read.notes, Wide(contact->GetBody())) << card;
  }
}

TEST_F(VCardReaderRoundTripTest, DemoMailbox) {
  testkit::LoadMailboxFile(KELVRA_SOURCE_DIR "/resources/demo-mailbox.json");
  CheckAllContacts();
}

}  // namespace kelvra::test
