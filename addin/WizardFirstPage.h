// The message handlers the first pages of the two contact wizards add to what every
// contact page shares: the colours of their labels and the Outlook folder button. The
// page T lists its window-coloured controls in _WindowColoured(), provides the folder
// picker as _PickOutlookFolder() (the export page does more with a new folder) and
// holds the chosen folder as m_folder.
#pragma once

#include "addin/FirstPageParts.h"
#include "addin/WizardPage.h"
#include "resource.h"

template <class T>
class WizardFirstPage : public WizardPage<T> {
 protected:
  explicit WizardFirstPage(const char* helpTopic) : WizardPage<T>(helpTopic) {}

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
    T& page = *static_cast<T*>(this);
    if (!page.m_folder) page._PickOutlookFolder();
    return static_cast<bool>(page.m_folder);
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
};
