// The vCard writer over the stand-in Outlook store: the contacts of
// tests/data/vcard/contacts.json (or of a mailbox a test gives), the shipped encodings
// list behind g_CharConverter, a temporary folder of its own and the error log.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ContactsTestSupport.h"
#include "contacts/CvCardExport.h"
#include "contacts/DovantCharConverter.h"
#include "outlook/outlook.h"

namespace kelvra::test {

class VCardWriterTest : public ::testing::Test {
 protected:
  static constexpr int k21 = CvCardExport::kVCard21;
  static constexpr int k30 = CvCardExport::kVCard30;

  void SetUp() override;
  void TearDown() override;

  // Replaces the mailbox with one Contacts folder holding these items (JSON objects
  // joined by ","), and the address book given.
  void LoadContacts(const std::string& itemsJson, const std::string& addressBookJson = "");
  // A contact item of the mailbox file: FileAs, a fixed LastModificationTime and the
  // properties given (JSON members joined by ",").
  static std::string ContactJson(const std::string& fileAs, const std::string& properties);
  // The saved contact whose FileAs is fileAs, through the object model.
  Outlook::_ContactItemPtr Contact(const std::string& fileAs);
  // The Outlook version the application reports; writers made later use it too.
  void SetOutlookVersion(int major);
  // The display name of the encodings list, as the export pages choose it.
  void UseEncoding(const char* name);
  // A converter over this encodings list instead of the shipped one.
  void UseEncodingsList(const std::string& list);

  // The card WriteContact builds for the contact, which must succeed.
  std::string Card(const std::string& fileAs, int format);
  // WriteContact's result for the contact; writer keeps the card.
  int Write(CvCardExport& writer, const std::string& fileAs, int format);

  static std::string Golden(const std::string& name);
  // The lines of a card without their CR LF; a line end other than CR LF fails.
  static std::vector<std::string> Lines(const std::string& card);
  // The first line that begins with start, or "<none>".
  static std::string LineStarting(const std::string& card, const std::string& start);

  const TempDir& Temp() const { return m_temp; }
  const ErrorLogWatch& Log() const { return *m_log; }

 private:
  AddinFolder m_addinFolder;
  TempDir m_temp;
  std::unique_ptr<DovantCharConverter> m_converter;
  std::unique_ptr<ErrorLogWatch> m_log;
  Outlook::_ApplicationPtr m_application;
  int m_outlookVersion = 14;
};

}  // namespace kelvra::test
