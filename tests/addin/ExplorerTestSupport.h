// The add-in connected to an Outlook without a ribbon (before 2010): its explorer
// objects build command bars, which the tests read and click as a user would.
#pragma once

#include <functional>
#include <string>

#include "ConnectTestSupport.h"
#include "office/office.h"
#include "outlook/outlook.h"

namespace kelvra::test {

class ExplorerTest : public ConnectTest {
 protected:
  void TearDown() override;

  // Outlook of that major version with its start window on the folder, then
  // OnConnection (which gives the start window its explorer object); prepare sees the
  // window before the add-in does.
  void StartOutlook(int major, Outlook::OlDefaultFolders shown = Outlook::olFolderInbox,
                    const std::function<void(Outlook::_Explorer*)>& prepare = {});
  // OnBeginShutdown, Quit, OnDisconnection; TearDown does it when a test did not.
  void QuitOutlook();
  // A further window, announced by NewExplorer.
  Outlook::_ExplorerPtr OpenWindow(Outlook::OlDefaultFolders shown = Outlook::olFolderInbox);
  Outlook::MAPIFolderPtr Folder(Outlook::OlDefaultFolders which);

  // The controls the add-in made in the window (the start window by default), as
  // testkit prints them, with the window's tag written "<tag>".
  std::string AddedControls(Outlook::_Explorer* window = nullptr);
  // The add-in's button of the window found by parameter, tag, caption or tooltip.
  Office::CommandBarButtonPtr Button(const std::string& text, Outlook::_Explorer* window = nullptr);
  // The tag of the window's controls ("" when it has none).
  std::string WindowTag(Outlook::_Explorer* window = nullptr);
  bool Visible(const std::string& text, Outlook::_Explorer* window = nullptr);

  Outlook::_ExplorerPtr m_window;

 private:
  bool m_running = false;
};

}  // namespace kelvra::test
