// The contact export and import runs over the stand-in Outlook store: a mailbox with a
// Contacts folder (and an empty "Target" contacts folder), the shipped encodings list
// behind g_CharConverter, the English texts, folders for the files and the user's
// application data, and the error log.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ContactsTestSupport.h"
#include "contacts/ContactExportChoices.h"
#include "contacts/ContactImportChoices.h"
#include "contacts/DovantCharConverter.h"
#include "outlook/outlook.h"
#include "testkit/Watchdog.h"

namespace kelvra::test {

class ContactRunTest : public ::testing::Test {
 public:
  // A contact item of the mailbox file with the properties given (JSON members).
  static std::string ContactJson(const std::string& properties);

 protected:
  void SetUp() override;
  void TearDown() override;

  // Replaces the mailbox: "Personal Folders" with Deleted Items, Contacts holding these
  // items (JSON objects joined by ",") and an empty contacts folder "Target".
  void LoadContacts(const std::string& itemsJson);
  // A folder of "Personal Folders" by name.
  Outlook::MAPIFolderPtr Folder(const char* name);
  // The saved items of a folder of "Personal Folders".
  std::size_t ItemCount(const char* folder);

  // Exporting the Contacts folder into Out(): one file per contact, vCard 2.1, UTF-8.
  ContactExportChoices ExportChoices();
  // Importing these paths (joined as the page would take them) into Target.
  ContactImportChoices ImportChoices(const std::string& files);

  // The names of the files in Out(), sorted.
  std::vector<std::string> OutFiles() const;
  const TempDir& Out() const { return m_out; }
  // The user's application-data folder.
  const TempDir& AppData() const { return m_appData; }
  const ErrorLogWatch& Log() const { return *m_log; }
  Outlook::_ApplicationPtr App() const { return m_application; }

 private:
  testkit::Watchdog m_watchdog{"contact run", std::chrono::seconds(60)};
  AddinFolder m_addinFolder;
  EnglishTexts m_texts;
  TempDir m_out;
  TempDir m_temp;
  TempDir m_appData;
  std::unique_ptr<DovantCharConverter> m_converter;
  std::unique_ptr<ErrorLogWatch> m_log;
  Outlook::_ApplicationPtr m_application;
};

}  // namespace kelvra::test
