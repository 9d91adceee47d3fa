// The message handlers the finish pages add to what every wizard page
// shares: the colours and cursor of their links and the clicks on them. What the
// open-folder link does differs (a Windows folder, an Outlook folder): the page T
// provides it as _OpenFolderLink(). The page maps IDCANCEL itself, to close.
#pragma once

#include "addin/CLib.h"
#include "addin/FinishPageLook.h"
#include "addin/LinkCommands.h"
#include "addin/WizardPage.h"

template <class T>
class WizardFinishPage : public WizardPage<T> {
 protected:
  explicit WizardFinishPage(const char* helpTopic) : WizardPage<T>(helpTopic) {}

  BEGIN_MSG_MAP(WizardFinishPage)
    MESSAGE_HANDLER(WM_CTLCOLORSTATIC, OnCtlColor)
    MESSAGE_HANDLER(WM_CTLCOLORBTN, OnCtlColor)
    MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
    MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
    CHAIN_MSG_MAP(WizardPage<T>)
  END_MSG_MAP()

 protected:
  FinishPageLook m_look;

 private:
  LRESULT OnCtlColor(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
    return reinterpret_cast<LRESULT>(
        m_look.OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
  }

  // Not handled away from the links, so that the default cursor stays.
  LRESULT OnSetCursor(UINT, WPARAM wParam, LPARAM, BOOL& handled) {
    handled = m_look.SetLinkCursor(reinterpret_cast<HWND>(wParam));
    return TRUE;
  }

  // The links are labels, which get no clicks of their own: the page hit-tests them.
  LRESULT OnLButtonDown(UINT, WPARAM, LPARAM lParam, BOOL&) {
    switch (m_look.LinkAt(FinishPageLook::ClientPoint(lParam))) {
      case FinishPageLook::kWhySkipped:
        g_Lib.ShowContextHelp(help_topics::kItemSkipping);
        break;
      case FinishPageLook::kOpenFolder:
        static_cast<T*>(this)->_OpenFolderLink();
        break;
      case FinishPageLook::kNoLink:
        break;
    }
    return 0;
  }
};
