// The first page of the export-events wizard: the Outlook calendar folder (or the
// explorer's selection), the Windows folder, one file or one file per event, and a
// summary of the options, which its options dialog changes. "Next >" leads to the
// filter page, "Export All" straight to the export.
#pragma once

#include <span>
#include <string>

#include "addin/WizardFirstPage.h"
#include "outlook/outlook.h"
#include "resource.h"
#include "win32/owners.h"

class CDlgVCalExport : public WizardFirstPage<CDlgVCalExport> {
 public:
  enum { IDD = IDD_VCAL_EXPORT };

  // Loads the page's options from under *optionsKey (borrowed; may be null or hold a
  // null key: then the defaults stand and nothing is stored) and chooses the Outlook
  // folder: folder when it holds appointments, else the explorer's calendar folder,
  // else the default calendar. With wantSelected, two or more appointments selected
  // in the explorer's folder start "Export selected events only" checked.
  CDlgVCalExport(Outlook::_Application* app, HKEY* optionsKey, Outlook::MAPIFolder* folder,
                 bool wantSelected);
  ~CDlgVCalExport() override = default;
  CDlgVCalExport(const CDlgVCalExport&) = delete;
  CDlgVCalExport& operator=(const CDlgVCalExport&) = delete;

  BEGIN_MSG_MAP(CDlgVCalExport)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_HANDLER(IDOK, BN_CLICKED, OnNext)
    COMMAND_HANDLER(IDC_BTN_EXPORT_ALL, BN_CLICKED, OnNext)
    COMMAND_HANDLER(IDC_BTN_OPTIONS, BN_CLICKED, OnChangeOptions)
    COMMAND_HANDLER(IDC_BTN_WIN_FLD, BN_CLICKED, OnBrowseFolder)
    CHAIN_MSG_MAP(WizardFirstPage<CDlgVCalExport>)
  END_MSG_MAP()

  // What the export run reads once DoModal returned IDOK.
  char m_windowsFolder[MAX_PATH] = {};
  // 10 (vCalendar 1.0) or 20 (iCalendar 2.0).
  int m_format = 10;
  // An encoding's Name from the encodings list; "" when the list is empty.
  std::string m_encoding;
  bool m_oneFile = true;
  // Never stored: the explorer's selection instead of the folder's items.
  bool m_exportSelected = false;
  bool m_overwrite = false;
  // True when the page was left with "Next >": the filter page comes next.
  bool m_gotoFilter = false;
  bool m_selectionAvailable = false;

 private:
  LRESULT OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
  LRESULT OnNext(WORD code, WORD id, HWND ctrl, BOOL& handled);
  LRESULT OnChangeOptions(WORD code, WORD id, HWND ctrl, BOOL& handled);
  LRESULT OnBrowseFolder(WORD code, WORD id, HWND ctrl, BOOL& handled);

  void _LoadOptions();
  void _UpdateOptionTexts();
  // The session's folder picker; a calendar folder chosen becomes the page's folder.
  void _PickOutlookFolder();
  // The controls shown in the window colour.
  static std::span<const int> _WindowColoured();
  friend class WizardFirstPage<CDlgVCalExport>;

  UniqueGdiObject<HFONT> m_boldFont;
  // The tooltip of "Export All", owned by the page's window.
  HWND m_tooltip = nullptr;
};
