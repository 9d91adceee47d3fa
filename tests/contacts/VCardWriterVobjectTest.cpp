// An independent reading: the cards go through python3-vobject (tests/tools/
// vcard_dump.py), and what it decodes must be the contact's own fields.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "VCardWriterFixture.h"
#include "testkit/Store.h"

namespace kelvra::test {
namespace {

constexpr const char* kPython = "/usr/bin/python3";
constexpr int kVobjectMissing = 77;

// One property as the dump prints it: its fields are contact properties by name, or
// literal text after "=".
struct Row {
  const char* name;
  const char* types;
  std::vector<const char*> fields;
  char joiner = ';';
};

std::string Escape(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '\\':
        escaped += "\\\\";
        break;
      case '\r':
        escaped += "\\r";
        break;
      case '\n':
        escaped += "\\n";
        break;
      case '\t':
        escaped += "\\t";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
    text.replace(at, from.size(), to);
}

class VCardWriterVobjectTest : public VCardWriterTest {
 protected:
  void SetUp() override {
    VCardWriterTest::SetUp();
    if (access(kPython, X_OK) != 0) GTEST_SKIP() << kPython << " is missing: no vobject check";
  }

  // What vcard_dump.py prints for the card, one row a line.
  std::vector<std::string> Dump(const std::string& card) {
    Temp().write("card.vcf", card);
    const std::string command = std::string(kPython) +
                                " " KELVRA_SOURCE_DIR "/tests/tools/vcard_dump.py " +
                                Temp().linuxPath("card.vcf") + " 2>" + Temp().linuxPath("dump.err");
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), &pclose);
    std::string output;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) output.append(buffer, n);
    const int status = pclose(pipe.release());
    m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    EXPECT_TRUE(m_status == 0 || m_status == kVobjectMissing) << Temp().read("dump.err");
    std::vector<std::string> rows;
    for (size_t start = 0, end; (end = output.find('\n', start)) != std::string::npos;
         start = end + 1)
      rows.push_back(output.substr(start, end - start));
    return rows;
  }

  bool VobjectMissing() const { return m_status == kVobjectMissing; }
  // The exit status of the last Dump.
  int Status() const { return m_status; }

  // The rows the contact's fields give. Structured fields lose their ";" to ",", as
  // the format asks; in 3.0 the line ends of the notes come back as LF.
  std::vector<std::string> Expected(const std::string& contactName, const std::vector<Row>& rows,
                                    int format) {
    const kelvra::store::ItemPtr item = testkit::FindItem("Personal Folders/Contacts", contactName);
    EXPECT_NE(item, nullptr) << contactName;
    std::vector<std::string> expected;
    for (const Row& row : rows) {
      std::string value;
      for (size_t i = 0; i < row.fields.size(); ++i) {
        std::string field = row.fields[i][0] == '=' ? std::string(row.fields[i] + 1)
                                                    : testkit::Text(item, row.fields[i]);
        if (row.fields.size() > 1 && row.joiner == ';') ReplaceAll(field, ";", ",");
        if (format == k30) ReplaceAll(field, "\r\n", "\n");
        // A formatted name skips the empty parts.
        if (row.joiner == ' ' && field.empty()) continue;
        if (i > 0 && !(row.joiner == ' ' && value.empty())) value += row.joiner;
        value += field;
      }
      expected.push_back(std::string(row.name) + "\t" + row.types + "\t" + Escape(value));
    }
    return expected;
  }

  static std::vector<Row> Header(int format) {
    if (format == k21) return {{"VERSION", "", {"=2.1"}}};
    return {{"PRODID", "", {"=-//Ostrane Corporation//Kelvra 1.0//EN"}}, {"VERSION", "", {"=3.0"}}};
  }

  static std::vector<Row> FullContact(int format) {
    std::vector<Row> rows = Header(format);
    const std::vector<Row> body = {
        {"N", "", {"LastName", "FirstName", "MiddleName", "Title", "Suffix"}},
        {"FN", "", {"FirstName", "MiddleName", "LastName", "Suffix"}, ' '},
        {"NICKNAME", "", {"NickName"}},
        {"ORG", "", {"CompanyName", "Department"}},
        {"TITLE", "", {"JobTitle"}},
        {"NOTE", "", {"Body"}},
        {"TEL", "WORK", {"BusinessTelephoneNumber"}},
        {"TEL", "WORK", {"Business2TelephoneNumber"}},
        {"TEL", "WORK,FAX", {"BusinessFaxNumber"}},
        {"TEL", "HOME", {"HomeTelephoneNumber"}},
        {"TEL", "HOME", {"Home2TelephoneNumber"}},
        {"TEL", "HOME,FAX", {"HomeFaxNumber"}},
        {"TEL", "CELL", {"MobileTelephoneNumber"}},
        {"TEL", "CAR", {"CarTelephoneNumber"}},
        {"TEL", "VOICE", {"OtherTelephoneNumber"}},
        {"TEL", "FAX", {"OtherFaxNumber"}},
        {"TEL", "PAGER", {"PagerNumber"}},
        {"TEL", "ISDN", {"ISDNNumber"}},
        {"TEL", "PREF", {"PrimaryTelephoneNumber"}},
        {"TEL", "COMPANYMAIN", {"CompanyMainTelephoneNumber"}},
        {"ADR",
         "WORK",
         {"BusinessAddressPostOfficeBox", "OfficeLocation", "BusinessAddressStreet",
          "BusinessAddressCity", "BusinessAddressState", "BusinessAddressPostalCode",
          "BusinessAddressCountry"}},
        {"ADR",
         "HOME",
         {"HomeAddressPostOfficeBox", "=", "HomeAddressStreet", "HomeAddressCity",
          "HomeAddressState", "HomeAddressPostalCode", "HomeAddressCountry"}},
        {"ADR",
         "POSTAL",
         {"OtherAddressPostOfficeBox", "=", "OtherAddressStreet", "OtherAddressCity",
          "OtherAddressState", "OtherAddressPostalCode", "OtherAddressCountry"}},
        {"URL", "HOME", {"PersonalHomePage"}},
        {"URL", "WORK", {"BusinessHomePage"}},
        {"ROLE", "", {"Profession"}},
        {"BDAY", "", {"=19800102"}},
        {"EMAIL", "PREF,INTERNET", {"Email1Address"}},
        {"EMAIL", "INTERNET", {"=j.mueller@acme.example"}},
        {"EMAIL", "", {"Email3Address"}},
        {"X-OUTL-IMADDRESS", "", {"IMAddress"}},
        {"X-OUTL-MANAGERNAME", "", {"ManagerName"}},
        {"X-OUTL-ASSISTANTNAME", "", {"AssistantName"}},
        {"X-OUTL-SPOUSE", "", {"Spouse"}},
        {"X-OUTL-ANNIVERSARY", "", {"=20050615"}},
        {"X-OUTL-NMSERVER", "", {"NetMeetingServer"}},
        {"X-OUTL-NMALIAS", "", {"NetMeetingAlias"}},
        {"X-OUTL-IFBADDRESS", "", {"InternetFreeBusyAddress"}},
        // vobject reads the 3.0 list as two names (the dump joins them with ";").
        {format == k21 ? "X-OUTL-CATEGORIES" : "CATEGORIES",
         "",
         {format == k21 ? "Categories" : "=Business;Friends"}},
        {"REV", "", {"=20240305T143015"}},
        {format == k21 ? "X-OUTL-CLASS" : "CLASS", "", {"=PRIVATE"}},
    };
    rows.insert(rows.end(), body.begin(), body.end());
    return rows;
  }

  void ExpectDecodesToFields(const std::string& fileAs, const std::string& fullName,
                             const std::vector<Row>& rows, int format) {
    const std::vector<std::string> dump = Dump(Card(fileAs, format));
    if (VobjectMissing()) GTEST_SKIP() << "python3-vobject is not installed: no vobject check";
    EXPECT_EQ(dump, Expected(fullName, rows, format)) << fileAs << " in " << format;
  }

 private:
  int m_status = 0;
};

TEST_F(VCardWriterVobjectTest, TheFullContactReadsBackInUtf8) {
  for (const int format : {k21, k30})
    ExpectDecodesToFields("full", "Dr. J\xC3\xBCrgen K. M\xC3\xBCller Jr.", FullContact(format),
                          format);
}

TEST_F(VCardWriterVobjectTest, TheFullContactReadsBackInWindows1252) {
  UseEncoding("Western European (Windows)");
  for (const int format : {k21, k30})
    ExpectDecodesToFields("full", "Dr. J\xC3\xBCrgen K. M\xC3\xBCller Jr.", FullContact(format),
                          format);
}

TEST_F(VCardWriterVobjectTest, StructuredPartsAndEscapedNotesReadBack) {
  for (const int format : {k21, k30}) {
    std::vector<Row> rows = Header(format);
    rows.insert(rows.end(),
                {
                    {"N", "", {"LastName", "FirstName", "MiddleName", "Title", "Suffix"}},
                    {"FN", "", {"FirstName", "MiddleName", "LastName", "Suffix"}, ' '},
                    {"ORG", "", {"CompanyName", "Department"}},
                    {"NOTE", "", {"Body"}},
                    {"ADR",
                     "WORK",
                     {"=", "=", "BusinessAddressStreet", "BusinessAddressCity", "=", "=", "="}},
                    {"REV", "", {"=20240305T143015"}},
                });
    if (format == k30) {
      // 3.0 keeps a lone CR or LF of the notes only as a line break.
      rows[rows.size() - 3].fields = {"=a,b;c\\d\ne\nf\ng"};
    }
    ExpectDecodesToFields("structured", "Anna, Maria Smith; Jones III", rows, format);
  }
}

TEST_F(VCardWriterVobjectTest, QuotedPrintableLinesJoinBackIntoTheNotes) {
  std::vector<Row> rows = Header(k21);
  rows.insert(rows.end(), {
                              {"N", "", {"LastName", "=", "=", "=", "="}},
                              {"FN", "", {"LastName"}},
                              {"NICKNAME", "", {"NickName"}},
                              {"TITLE", "", {"JobTitle"}},
                              {"NOTE", "", {"Body"}},
                              {"ROLE", "", {"Profession"}},
                              {"REV", "", {"=20240305T143015"}},
                          });
  ExpectDecodesToFields("qp-boundaries", "Boundary", rows, k21);
}

// A 3.0 card must have N and FN, which vobject checks: a contact without a name gets
// an empty N and is known by its company, else its file-as text, else its address.
TEST_F(VCardWriterVobjectTest, ACardWithoutANameStillHasBothNames) {
  struct Case {
    std::string fileAs;
    std::string properties;
    std::string formattedName;
  };
  const std::vector<Case> cases = {
      {"Acme filed", R"("CompanyName": "Acme, Inc.", "Email1Address": "info@acme.example",
                        "Email1AddressType": "SMTP")",
       "Acme, Inc."},
      {"Filed only", R"("Email1Address": "info@acme.example", "Email1AddressType": "SMTP")",
       "Filed only"},
      {"", R"("Email1Address": " ", "Email2Address": "info@acme.example")", "info@acme.example"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.properties);
    LoadContacts(ContactJson(c.fileAs, c.properties));
    const std::vector<std::string> dump = Dump(Card(c.fileAs, k30));
    if (VobjectMissing()) GTEST_SKIP() << "python3-vobject is not installed: no vobject check";
    ASSERT_EQ(Status(), 0);
    const auto row = [&dump](const std::string& name) {
      for (const std::string& line : dump)
        if (line.rfind(name + "\t", 0) == 0) return line;
      return std::string("<none>");
    };
    EXPECT_EQ(row("N"), "N\t\t;;;;");
    EXPECT_EQ(row("FN"), "FN\t\t" + c.formattedName);
  }
}

TEST_F(VCardWriterVobjectTest, ThePhotoDecodesToThePictureBytes) {
  const kelvra::store::ItemPtr item = testkit::FindItem("Personal Folders/Contacts", "Pia");
  ASSERT_NE(item, nullptr);
  std::string hex;
  for (const unsigned char byte : item->Attachments().at(1)->bytes) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02x", byte);
    hex += digits;
  }
  const std::string photo = "=" + hex;
  for (const int format : {k21, k30}) {
    std::vector<Row> rows = Header(format);
    rows.insert(rows.end(), {{"N", "", {"=", "FirstName", "=", "=", "="}},
                             {"FN", "", {"FirstName"}},
                             {"REV", "", {"=20240305T143015"}},
                             {"PHOTO", "JPEG", {photo.c_str()}}});
    ExpectDecodesToFields("photo", "Pia", rows, format);
  }
}

}  // namespace
}  // namespace kelvra::test
