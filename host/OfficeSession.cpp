#include "OfficeSession.h"

#include <chrono>
#include <stdexcept>
#include <thread>

#include "OutlookCall.h"
#include "OutlookFolders.h"
#include "testkit/Outlook.h"

namespace host {

using AddInDesignerObjects::_IDTExtensibility2;

namespace {

// The folder the window opens on: the one asked for; for the Inbox of a mailbox that
// has none, the first folder of the default store, as Outlook shows then.
Outlook::MAPIFolderPtr StartFolder(Outlook::_Application* application, const ExplorerView& view) {
  if (!view.folderPath.empty()) {
    Outlook::MAPIFolderPtr folder = FolderAtPath(application, view.folderPath);
    if (folder == nullptr) throw std::runtime_error("Outlook has no folder " + view.folderPath);
    return folder;
  }
  Outlook::_NameSpacePtr session = OutlookCall("Application.GetNamespace(MAPI)",
                                               [&] { return application->GetNamespace("MAPI"); });
  const std::string defaultFolder =
      "Namespace.GetDefaultFolder(" + std::to_string(view.defaultFolder) + ")";
  if (view.defaultFolder != Outlook::olFolderInbox)
    return OutlookCall(defaultFolder,
                       [&] { return session->GetDefaultFolder(view.defaultFolder); });
  try {
    return session->GetDefaultFolder(view.defaultFolder);
  } catch (const _com_error&) {
    Outlook::MAPIFolderPtr store = OutlookCall(
        "Namespace.Folders.Item(1)", [&] { return session->GetFolders()->Item(_variant_t(1L)); });
    return OutlookCall("MAPIFolder.Folders.Item(1)",
                       [&] { return store->GetFolders()->Item(_variant_t(1L)); });
  }
}

}  // namespace

OfficeSession::OfficeSession(const AddInModule& module, int outlookMajor, ExplorerView view) {
  application_ = testkit::CreateOutlookApplication();
  Outlook::MAPIFolderPtr folder = StartFolder(application_, view);
  explorer_ = OutlookCall("Explorers.Add", [&] { return testkit::OpenExplorer(folder); });
  if (view.selectAll)
    OutlookCall("Explorer.Selection", [&] { testkit::SelectItems(explorer_, ItemsOf(folder)); });

  connect_ = module.CreateConnect();
  HRESULT hr = connect_->QueryInterface(__uuidof(_IDTExtensibility2),
                                        reinterpret_cast<void**>(&extensibility_));
  if (FAILED(hr))
    throw std::runtime_error("the add-in's object is no Office add-in: " + HresultText(hr));
  IDispatchPtr application(application_);
  extensibility_->OnConnection(application, AddInDesignerObjects::ext_cm_Startup, nullptr, nullptr);
  // Asked before OnConnection, the add-in would fill in its tab label before it has
  // chosen its language: the tab would have no label.
  if (outlookMajor >= 14) {
    ribbon_ = std::make_unique<testkit::RibbonHost>(connect_);
    ribbon_->Load();
    ribbon_->CallOnLoad();
  }
  extensibility_->OnStartupComplete(nullptr);
  PumpMessages(0);
}

OfficeSession::~OfficeSession() {
  extensibility_->OnBeginShutdown(nullptr);
  testkit::RaiseQuit();
  extensibility_->OnDisconnection(AddInDesignerObjects::ext_dm_HostShutdown, nullptr);
  ribbon_.reset();
  extensibility_ = nullptr;
  connect_ = nullptr;
  explorer_ = nullptr;
  testkit::ResetExplorers();
  application_ = nullptr;
}

void PumpMessages(unsigned milliseconds) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  do {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  } while (std::chrono::steady_clock::now() < until);
}

}  // namespace host
