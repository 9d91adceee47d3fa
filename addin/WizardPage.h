// What every page of the two contact wizards shares: the start of WM_INITDIALOG with
// the language texts, and the cancel and help buttons. A page whose cancel button
// does more (the finish pages close with it) maps IDCANCEL itself before chaining here.
#pragma once

#include <cstddef>

#include "addin/CLang.h"
#include "addin/CLib.h"
#include "atl/atlwin.h"

template <class T>
class WizardPage : public ATL::CAxDialogImpl<T> {
 protected:
  // helpTopic: the page's topic for the help button; it must outlive the page.
  explicit WizardPage(const char* helpTopic) : m_helpTopic(helpTopic) {}

  BEGIN_MSG_MAP(WizardPage)
    COMMAND_HANDLER(IDCANCEL, BN_CLICKED, OnCancel)
    COMMAND_HANDLER(IDHELP, BN_CLICKED, OnHelp)
  END_MSG_MAP()

 protected:
  // The dialog's own WM_INITDIALOG work, then the texts of the page's section in the
  // language file; the message counts as handled.
  template <std::size_t N>
  void InitPage(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled,
                const LocalizeRecord (&table)[N], const char* section) {
    ATL::CAxDialogImpl<T>::OnInitDialog(message, wParam, lParam, handled);
    handled = TRUE;
    g_Lang.LocalizeDlg(this->m_hWnd, static_cast<int>(N), table, section, 0);
  }

 private:
  LRESULT OnCancel(WORD, WORD, HWND, BOOL&) {
    this->EndDialog(IDCANCEL);
    return 0;
  }

  LRESULT OnHelp(WORD, WORD, HWND, BOOL&) {
    g_Lib.ShowContextHelp(m_helpTopic);
    return 0;
  }

  const char* m_helpTopic;
};
