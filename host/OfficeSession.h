// Outlook's side of the add-in's life: one explorer window, the connection object
// started in the order Office uses and ended in its order.
#pragma once

#include <memory>
#include <string>

#include "AddInModule.h"
#include "office/Extensibility.h"
#include "outlook/outlook.h"
#include "testkit/Office.h"

namespace host {

struct ExplorerView {
  // The folder the window shows, as "\\Store\Folder"; "": the default folder of that
  // kind. With selectAll all its items are selected.
  std::string folderPath;
  Outlook::OlDefaultFolders defaultFolder = Outlook::olFolderInbox;
  bool selectAll = false;
};

class OfficeSession {
 public:
  // Opens the explorer window, makes the connection object and starts it: constructor,
  // OnConnection, GetCustomUI and RibbonUI_OnLoad (Outlook 2010 and later),
  // OnStartupComplete. Throws std::runtime_error when the add-in cannot be made.
  OfficeSession(const AddInModule& module, int outlookMajor, ExplorerView view);
  // OnBeginShutdown, Quit, OnDisconnection, then the last release.
  ~OfficeSession();
  OfficeSession(const OfficeSession&) = delete;
  OfficeSession& operator=(const OfficeSession&) = delete;

  // Null below Outlook 2010, which has no ribbon.
  testkit::RibbonHost* ribbon() const { return ribbon_.get(); }
  Outlook::_Explorer* explorer() const { return explorer_; }

 private:
  Outlook::_ApplicationPtr application_;
  Outlook::_ExplorerPtr explorer_;
  IUnknownPtr connect_;
  AddInDesignerObjects::_IDTExtensibility2Ptr extensibility_;
  std::unique_ptr<testkit::RibbonHost> ribbon_;
};

// Lets the thread handle what was posted to it, timers due within the wait included.
void PumpMessages(unsigned milliseconds);

}  // namespace host
