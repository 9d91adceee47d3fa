// The connection object as Outlook holds it, over the stand-in Outlook, with the
// language files in the add-in's folder and the fake Kelvra application installed.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "AddinTestSupport.h"
#include "addin/CConnect.h"
#include "support/TempDir.h"
#include "testkit/KelvraApp.h"

namespace kelvra::test {

// A ribbon control as Office passes it to a callback: only its id.
class FakeRibbonControl : public kelvra::ComObject<Office::IRibbonControl> {
 public:
  explicit FakeRibbonControl(std::u16string id) : m_id(std::move(id)) {}
  STDMETHODIMP get_Id(BSTR* id) override;
  STDMETHODIMP get_Context(IDispatch** context) override;
  STDMETHODIMP get_Tag(BSTR* tag) override;

 private:
  std::u16string m_id;
};

// A control object for an id given in UTF-8; the caller owns the reference.
IDispatchPtr RibbonControl(const std::string& id);

// The wizards, as a request's effect is recognised.
enum class Wizard { kNone, kExportContacts, kImportContacts, kExportEvents, kImportEvents };

// Every wizard's first page is cancelled as soon as it is up.
void CancelFirstPages();
// Which wizard ran since log began: its first page was shown or, for a run that shows
// no page, its converter logged. Forgets the dialogs shown and the page scripts.
Wizard WizardThatRan(const LogWatch& log);

class ConnectTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Installs a language file of the add-in's folder.
  void WriteLanguageFile(const std::string& name, const std::string& langId,
                         const std::string& texts) const;
  void CopyLanguageFile(const std::string& name) const;
  // The value under HKEY_CURRENT_USER "Software\Ostrane\Kelvra"; "<missing>" when none.
  static std::string Option(const char* name);

  // Opens an explorer window before connecting, as at Outlook's start.
  void OpenStartWindow();
  HRESULT Connect();
  // OnBeginShutdown, Quit, OnDisconnection, as Outlook ends.
  void ShutDown();

  // Texts of the commands the Kelvra application received.
  static std::vector<std::string> Commands();

  TempDir m_folder;
  LogWatch m_log;
  ATL::CComObject<CConnect>* m_connect = nullptr;
  Outlook::_ApplicationPtr m_app;
};

}  // namespace kelvra::test
