// The developer's and translator's dialog: shows any dialog of the add-in, with sample
// values, in any installed language, so that layouts and texts can be reviewed without
// running a conversion. Reached through the command bars' debug item.
#pragma once

#include <vector>

#include "addin/CLang.h"
#include "atl/atlwin.h"
#include "resource.h"

class CDlgDebug : public ATL::CAxDialogImpl<CDlgDebug> {
 public:
  enum { IDD = IDD_DEBUG };

  // Lists the language files in the add-in's folder.
  CDlgDebug();
  ~CDlgDebug() = default;
  CDlgDebug(const CDlgDebug&) = delete;
  CDlgDebug& operator=(const CDlgDebug&) = delete;

  BEGIN_MSG_MAP(CDlgDebug)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_HANDLER(IDC_BTN_DEBUG_SHOW, BN_CLICKED, OnShowDialog)
    COMMAND_HANDLER(IDC_BTN_DEBUG_SLIDE_SHOW, BN_CLICKED, OnSlideShow)
    COMMAND_HANDLER(IDC_BTN_DEBUG_HELP, BN_CLICKED, OnShowHelp)
    COMMAND_HANDLER(IDC_BTN_DEBUG_FOREGROUND, BN_CLICKED, OnSetForeground)
    COMMAND_HANDLER(IDCANCEL, BN_CLICKED, OnClose)
  END_MSG_MAP()

 private:
  LRESULT OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
  LRESULT OnShowDialog(WORD code, WORD id, HWND ctrl, BOOL& handled);
  LRESULT OnSlideShow(WORD code, WORD id, HWND ctrl, BOOL& handled);
  LRESULT OnShowHelp(WORD code, WORD id, HWND ctrl, BOOL& handled);
  LRESULT OnSetForeground(WORD code, WORD id, HWND ctrl, BOOL& handled);
  LRESULT OnClose(WORD code, WORD id, HWND ctrl, BOOL& handled);

  void _FillLanguages();
  void _FillDialogs();
  // Loads the language chosen in the list when it is not the one loaded.
  void _UseChosenLanguage();
  // Shows the dialog chosen in the list, in the chosen language.
  void _ShowChosenDialog();
  // SetForegroundWindow on the handle written in the hidden edit; a message box tells
  // of a failure.
  void _BringNamedWindowForward();
  // The item data of the list's selection; -1 when nothing is selected.
  LRESULT _ChosenData(int listId) const;

  // The installed language files in directory order; the list's item data index it.
  std::vector<CLang::FileInfo> m_languages;
};
