// What the first pages of the four wizards add to what every wizard page shares: the
// application, the options key and the chosen Outlook folder, the colours of their labels
// and the two folder buttons. The page T lists its window-coloured controls in
// _WindowColoured() and provides the folder picker as _PickOutlookFolder() (an export
// page does more with a new folder).
#pragma once

#include "addin/FirstPageParts.h"
#include "addin/WizardPage.h"
#include "outlook/outlook.h"
#include "resource.h"
#include "win32/owners.h"

template <class T>
class WizardFirstPage : public WizardPage<T> {
 public:
  // The chosen Outlook folder with a reference for the caller; null when none.
  Outlook::MAPIFolderPtr GetFolderObject() const { return m_folder; }

  // What the run reads once DoModal returned IDOK.
  Outlook::_ApplicationPtr m_app;
  // Borrowed; may be null or hold a null key: then the defaults stand and nothing is
  // stored.
  HKEY* m_optionsKey;
  Outlook::MAPIFolderPtr m_folder;

 protected:
  WizardFirstPage(const char* helpTopic, Outlook::_Application* app, HKEY* optionsKey)
      : WizardPage<T>(helpTopic), m_app(app), m_optionsKey(optionsKey) {}

  BEGIN_MSG_MAP(WizardFirstPage)
    MESSAGE_HANDLER(WM_CTLCOLORSTATIC, OnCtlColor)
    MESSAGE_HANDLER(WM_CTLCOLORBTN, OnCtlColor)
    COMMAND_HANDLER(IDC_BTN_OL_FLD, BN_CLICKED, OnOutlookFolder)
    CHAIN_MSG_MAP(WizardPage<T>)
  END_MSG_MAP()

 protected:
  // Next without an Outlook folder would leave the run nothing to work on: the picker
  // gives one more chance. True when there is a folder.
  bool HaveOutlookFolder() {
    if (!m_folder) static_cast<T*>(this)->_PickOutlookFolder();
    return static_cast<bool>(m_folder);
  }
  // The Windows folder button's picture and the Outlook one's from outlookIcon.
  void SetFolderButtonPictures(int outlookIcon) {
    FirstPageParts::SetFolderButtonPictures(this->m_hWnd, outlookIcon, m_browseBitmap,
                                            m_folderBitmap);
  }

 private:
  // Controls not listed keep the dialog's colour: the message stays unhandled.
  LRESULT OnCtlColor(UINT, WPARAM wParam, LPARAM lParam, BOOL& handled) {
    HBRUSH brush = FirstPageParts::WindowColourFor(
        reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), T::_WindowColoured());
    handled = brush != nullptr;
    return reinterpret_cast<LRESULT>(brush);
  }

  LRESULT OnOutlookFolder(WORD, WORD, HWND, BOOL&) {
    static_cast<T*>(this)->_PickOutlookFolder();
    return 0;
  }

  UniqueGdiObject<HBITMAP> m_browseBitmap;
  UniqueGdiObject<HBITMAP> m_folderBitmap;
};
