// The contact wizard pages over the stand-in Outlook store: a mailbox with a Contacts
// folder (two contacts and a distribution list), an empty contacts folder "Other" and a
// Calendar; the options key; the English texts; the shipped encodings list behind
// g_CharConverter; the fake open-file library; Outlook 14 unless a test says otherwise.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "ContactsTestSupport.h"
#include "addin/RegKey.h"
#include "contacts/DovantCharConverter.h"
#include "outlook/outlook.h"
#include "testkit/Dialogs.h"
#include "testkit/Watchdog.h"

namespace kelvra::test {

class ContactPageTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // What the operator does inside the next dialog of that template.
  static void Answer(int templateId, testkit::DialogScript script) {
    testkit::OnDialog(templateId, std::move(script));
  }

  // A folder of "Personal Folders" by name.
  Outlook::MAPIFolderPtr Folder(const char* name);
  // Item index (1-based) of the Contacts folder.
  IDispatchPtr ContactsItem(long index);
  // An explorer in front showing the folder, with the items selected.
  Outlook::_ExplorerPtr ShowInExplorer(const char* folder, std::vector<IDispatchPtr> selection);
  // A mailbox with a calendar and no contacts folder at all.
  static void LoadMailboxWithoutContacts();

  // The options key (HKEY_CURRENT_USER "Software\Ostrane\Kelvra") the engine would lend.
  HKEY* Key() { return m_key.Address(); }
  static void StoreDword(const char* name, DWORD value);
  static void StoreString(const char* name, const std::string& text, DWORD type = REG_SZ);
  static std::optional<DWORD> StoredDword(const char* name);
  static std::optional<std::string> StoredString(const char* name);
  static bool Stored(const char* name);

  Outlook::_ApplicationPtr App() const { return m_application; }
  const ErrorLogWatch& Log() const { return *m_log; }
  const TempDir& Files() const { return m_files; }

 private:
  testkit::Watchdog m_watchdog{"contact pages", std::chrono::seconds(60)};
  EnglishTexts m_texts;
  TempDir m_files;
  std::string m_moduleFolder;
  std::unique_ptr<DovantCharConverter> m_converter;
  std::unique_ptr<ErrorLogWatch> m_log;
  Outlook::_ApplicationPtr m_application;
  RegKey m_key;
};

}  // namespace kelvra::test
