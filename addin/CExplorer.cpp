// The explorer object's life: its sinks, the window's events and the clicks. The
// controls are built in CExplorerBuilders.cpp, the profile items in CExplorerProfiles.cpp.
#include "addin/CExplorer.h"

#include <string>

#include "addin/CConnect.h"
#include "addin/ComBoundary.h"
#include "addin/GetOutlookVersion.h"
#include "addin/LogComError.h"
#include "addin/MakeUniqueTag.h"
#include "outlook/MAPIFolder.h"

namespace {

template <class Sink>
void Connect(Sink& sink, IUnknown* source) {
  if (source != nullptr && sink.m_dwEventCookie == Sink::kNotConnected) {
    sink.DispEventAdvise(source);
  }
}

// Marks the sink not connected even when its source no longer knows the connection.
template <class Sink>
void Disconnect(Sink& sink, IUnknown* source) {
  if (sink.m_dwEventCookie == Sink::kNotConnected) return;
  if (source != nullptr) sink.DispEventUnadvise(source);
  sink.m_dwEventCookie = Sink::kNotConnected;
}

// COM identity: the objects' IUnknown pointers are the same.
bool SameObject(IUnknown* a, IUnknown* b) {
  if (a == nullptr || b == nullptr) return false;
  IUnknown* left = nullptr;
  IUnknown* right = nullptr;
  a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&left));
  b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&right));
  const bool same = left != nullptr && left == right;
  if (left != nullptr) left->Release();
  if (right != nullptr) right->Release();
  return same;
}

std::string AnsiText(const _bstr_t& text) {
  const char* ansi = text.length() > 0 ? static_cast<const char*>(text) : "";
  return ansi != nullptr ? std::string(ansi) : std::string();
}

}  // namespace

CExplorer::CExplorer(IDispatch* explorer, bool newWindow, CConnect* owner) : m_owner(owner) {
  try {
    m_explorer = explorer;
    // Outlook 2003 and older complete a new window's bars only once it shows a view.
    if (newWindow && GetOutlookVersion() <= 11) {
      Connect(static_cast<CExplorerWindowSink<8>&>(*this), m_explorer);
    } else {
      CreateUI();
    }
    // The close sink is there in every case, so that a closed window's object goes.
    Connect(static_cast<CExplorerWindowSink<6>&>(*this), m_explorer);
  } catch (const _com_error& error) {
    LogComError("CExplorer::CExplorer", error);
  }
}

CExplorer::~CExplorer() { UnadviseAll(); }

Outlook::_Explorer* CExplorer::GetExplorer() const { return m_explorer; }

bool CExplorer::HasBars() const { return GetOutlookVersion() < 14; }

void CExplorer::CreateUI() {
  m_tag = _bstr_t(("Kelvra" + MakeUniqueTag()).c_str());
  HRESULT built = E_FAIL;
  try {
    built = BuildControls();
  } catch (const _com_error& error) {
    LogComError("CExplorer::CreateUI", error);
  }
  if (FAILED(built)) {
    UnadviseAll();
    Connect(static_cast<CExplorerWindowSink<6>&>(*this), m_explorer);
    return;
  }
  if (m_explorer != nullptr) {
    Outlook::MAPIFolder* shown = nullptr;
    if (SUCCEEDED(m_explorer->get_CurrentFolder(&shown))) {
      const Outlook::MAPIFolderPtr folder(shown, false);
      ShowPictureButtonsFor(folder);
    }
  }
  AdviseControlSinks();
  AdviseWindowSinks();
}

template <class Visit>
void CExplorer::VisitButtonSinks(Visit visit) {
  visit(static_cast<CExplorerButtonSink<1>&>(*this), m_contactsImportButton);
  visit(static_cast<CExplorerButtonSink<2>&>(*this), m_contactsExportButton);
  visit(static_cast<CExplorerButtonSink<3>&>(*this), m_contactsImportItem);
  visit(static_cast<CExplorerButtonSink<4>&>(*this), m_contactsExportItem);
  visit(static_cast<CExplorerButtonSink<10>&>(*this), m_eventsImportButton);
  visit(static_cast<CExplorerButtonSink<11>&>(*this), m_eventsExportButton);
  visit(static_cast<CExplorerButtonSink<12>&>(*this), m_eventsImportItem);
  visit(static_cast<CExplorerButtonSink<13>&>(*this), m_eventsExportItem);
  visit(static_cast<CExplorerButtonSink<14>&>(*this), m_debugItem);
  visit(static_cast<CExplorerButtonSink<15>&>(*this), m_syncAllButton);
  visit(static_cast<CExplorerButtonSink<16>&>(*this), m_aboutItem);
}

void CExplorer::AdviseControlSinks() {
  VisitButtonSinks([](auto& sink, Office::CommandBarButtonPtr& control) {
    Connect(sink, static_cast<Office::CommandBarButton*>(control));
  });
}

void CExplorer::AdviseWindowSinks() {
  Connect(static_cast<CExplorerWindowSink<5>&>(*this), m_explorer);
  Connect(static_cast<CExplorerWindowSink<6>&>(*this), m_explorer);
}

void CExplorer::UnadviseAll() {
  VisitButtonSinks([](auto& sink, Office::CommandBarButtonPtr& control) {
    Disconnect(sink, static_cast<Office::CommandBarButton*>(control));
  });
  Disconnect(static_cast<CExplorerWindowSink<5>&>(*this), m_explorer);
  Disconnect(static_cast<CExplorerWindowSink<6>&>(*this), m_explorer);
  Disconnect(static_cast<CExplorerWindowSink<8>&>(*this), m_explorer);
  ReleaseControls();
}

void CExplorer::ReleaseControls() {
  m_contactsImportButton = nullptr;
  m_contactsExportButton = nullptr;
  m_contactsImportItem = nullptr;
  m_contactsExportItem = nullptr;
  m_eventsImportButton = nullptr;
  m_eventsExportButton = nullptr;
  m_eventsImportItem = nullptr;
  m_eventsExportItem = nullptr;
  m_debugItem = nullptr;
  m_openItem1 = nullptr;
  m_openItem2 = nullptr;
  m_syncAllButton = nullptr;
  m_syncPopup = nullptr;
  m_aboutItem = nullptr;
}

void CExplorer::ShowPictureButtonsFor(IDispatch* folder) {
  Outlook::OlItemType type = Outlook::olMailItem;
  try {
    const Outlook::MAPIFolderPtr shown(folder);
    if (shown != nullptr) type = shown->GetDefaultItemType();
  } catch (const _com_error& error) {
    // A folder that cannot tell its type counts as one of an unknown type.
    LogComError("CExplorer::OnBeforeFolderSwitch", error);
    type = Outlook::olMailItem;
  }
  const VARIANT_BOOL contacts = type == Outlook::olContactItem ? VARIANT_TRUE : VARIANT_FALSE;
  const VARIANT_BOOL events = type == Outlook::olAppointmentItem ? VARIANT_TRUE : VARIANT_FALSE;
  const struct {
    Office::CommandBarButton* button;
    VARIANT_BOOL visible;
  } buttons[] = {{m_contactsImportButton, contacts},
                 {m_contactsExportButton, contacts},
                 {m_eventsImportButton, events},
                 {m_eventsExportButton, events}};
  for (const auto& each : buttons) {
    if (each.button == nullptr) continue;
    try {
      each.button->PutVisible(each.visible);
    } catch (const _com_error& error) {
      LogComError("CExplorer::OnBeforeFolderSwitch", error);
    }
  }
}

void CExplorer::Dispatch(const _bstr_t& parameter) {
  const std::string text = AnsiText(parameter);
  if (text == "SyncAll") {
    m_owner->SyncAll();
  } else if (text == "OpenExe") {
    m_owner->ShowOpenMain();
  } else if (text == "NewProfile") {
    m_owner->NewProfile();
  } else if (text.compare(0, kProfilePrefixLength, kProfilePrefix) == 0) {
    m_owner->OnClickSync(text.c_str() + kProfilePrefixLength);
  } else if (text == "ImportC") {
    m_owner->ShowContactImportWizard();
  } else if (text == "ImportE") {
    m_owner->ShowCalendarImportWizard();
  } else if (text == "ExportC") {
    m_owner->ShowContactExportWizard();
  } else if (text == "ExportE") {
    m_owner->ShowCalendarExportWizard();
  } else if (text == "Help") {
    m_owner->ShowHelp();
  } else if (text == "About") {
    m_owner->ShowAbout();
  }
}

void STDMETHODCALLTYPE CExplorer::OnButtonClick(Office::CommandBarButton* ctrl, VARIANT_BOOL*) {
  if (ctrl == nullptr) return;
  EventBoundary("CExplorer::OnButtonClick", [&] { Dispatch(ctrl->GetParameter()); });
}

void STDMETHODCALLTYPE CExplorer::OnImportContactsClick(Office::CommandBarButton*, VARIANT_BOOL*) {
  EventBoundary("CExplorer::OnImportContactsClick", [&] { m_owner->ShowContactImportWizard(); });
}

void STDMETHODCALLTYPE CExplorer::OnExportContactsClick(Office::CommandBarButton*, VARIANT_BOOL*) {
  EventBoundary("CExplorer::OnExportContactsClick", [&] { m_owner->ShowContactExportWizard(); });
}

void STDMETHODCALLTYPE CExplorer::OnImportEventsClick(Office::CommandBarButton*, VARIANT_BOOL*) {
  EventBoundary("CExplorer::OnImportEventsClick", [&] { m_owner->ShowCalendarImportWizard(); });
}

void STDMETHODCALLTYPE CExplorer::OnExportEventsClick(Office::CommandBarButton*, VARIANT_BOOL*) {
  EventBoundary("CExplorer::OnExportEventsClick", [&] { m_owner->ShowCalendarExportWizard(); });
}

void STDMETHODCALLTYPE CExplorer::OnDebugClick(Office::CommandBarButton* ctrl, VARIANT_BOOL*) {
  // Every window's debug item shares one tag, so each of them hears every click: only
  // the window whose own item was clicked answers it.
  if (!SameObject(ctrl, m_debugItem)) return;
  EventBoundary("CExplorer::OnDebugClick", [&] { m_owner->ShowDebugDialog(); });
}

void STDMETHODCALLTYPE CExplorer::OnAboutClick(Office::CommandBarButton*, VARIANT_BOOL*) {
  EventBoundary("CExplorer::OnAboutClick", [&] { m_owner->ShowAbout(); });
}

void STDMETHODCALLTYPE CExplorer::OnBeforeFolderSwitch(IDispatch* folder, VARIANT_BOOL*) {
  EventBoundary("CExplorer::OnBeforeFolderSwitch", [&] { ShowPictureButtonsFor(folder); });
}

void STDMETHODCALLTYPE CExplorer::OnFirstViewSwitch() {
  Disconnect(static_cast<CExplorerWindowSink<8>&>(*this), m_explorer);
  EventBoundary("CExplorer::OnFirstViewSwitch", [&] { CreateUI(); });
}

void STDMETHODCALLTYPE CExplorer::OnClose() {
  EventBoundary("CExplorer::OnClose", [&] { UnadviseAll(); });
  m_explorer = nullptr;
  // Deletes this object: nothing of it may be touched after the call.
  m_owner->RemoveClosedExplorers();
}
