#include "ExplorerTestSupport.h"

#include "testkit/CommandBars.h"
#include "testkit/Outlook.h"
#include "testkit/Store.h"

namespace kelvra::test {

void ExplorerTest::TearDown() {
  if (m_running) QuitOutlook();
  m_window = nullptr;
  ConnectTest::TearDown();
}

void ExplorerTest::StartOutlook(int major, Outlook::OlDefaultFolders shown,
                                const std::function<void(Outlook::_Explorer*)>& prepare) {
  testkit::SetOutlookVersion(major);
  m_window = testkit::OpenExplorer(Folder(shown));
  if (prepare) prepare(m_window);
  m_running = true;
  ASSERT_EQ(Connect(), S_OK);
  testkit::ClearKelvraAppReceived();
}

void ExplorerTest::QuitOutlook() {
  m_running = false;
  ShutDown();
}

Outlook::_ExplorerPtr ExplorerTest::OpenWindow(Outlook::OlDefaultFolders shown) {
  return testkit::OpenExplorer(Folder(shown));
}

Outlook::MAPIFolderPtr ExplorerTest::Folder(Outlook::OlDefaultFolders which) {
  return m_app->GetSession()->GetDefaultFolder(which);
}

std::string ExplorerTest::AddedControls(Outlook::_Explorer* window) {
  std::string text =
      testkit::PrintCommandBars(window != nullptr ? window : m_window.GetInterfacePtr(), true);
  const std::string tag = WindowTag(window);
  if (tag.empty()) return text;
  for (std::size_t at = text.find(tag); at != std::string::npos; at = text.find(tag, at)) {
    text.replace(at, tag.size(), "<tag>");
  }
  return text;
}

Office::CommandBarButtonPtr ExplorerTest::Button(const std::string& text,
                                                 Outlook::_Explorer* window) {
  return testkit::FindButton(window != nullptr ? window : m_window.GetInterfacePtr(), text);
}

std::string ExplorerTest::WindowTag(Outlook::_Explorer* window) {
  Office::CommandBarButtonPtr syncAll = Button("SyncAll", window);
  if (syncAll == nullptr) return "";
  const _bstr_t tag = syncAll->GetTag();
  return tag.length() > 0 ? static_cast<const char*>(tag) : "";
}

bool ExplorerTest::Visible(const std::string& text, Outlook::_Explorer* window) {
  Office::CommandBarButtonPtr button = Button(text, window);
  return button != nullptr && button->GetVisible() != VARIANT_FALSE;
}

}  // namespace kelvra::test
