// The first page of the import-events wizard: the files or folder to import, the
// target Outlook calendar folder, and a summary of the options (what happens to
// duplicates, the zone of times that name none), which its options dialog changes.
// "Next >" leads to the filter page, "Import All" straight to the import.
#pragma once

#include <span>
#include <string>

#include "addin/WizardFirstPage.h"
#include "calendar/TimezoneStruct.h"
#include "outlook/outlook.h"
#include "resource.h"
#include "win32/owners.h"

class CDlgVCalImport : public WizardFirstPage<CDlgVCalImport> {
 public:
  enum { IDD = IDD_VCAL_IMPORT };

  // Loads the page's options from under *optionsKey (borrowed; may be null) and
  // chooses the Outlook folder: folder when it holds appointments, else the explorer's
  // calendar folder, else the default calendar.
  CDlgVCalImport(Outlook::_Application* app, HKEY* optionsKey, Outlook::MAPIFolder* folder);
  ~CDlgVCalImport() override = default;
  CDlgVCalImport(const CDlgVCalImport&) = delete;
  CDlgVCalImport& operator=(const CDlgVCalImport&) = delete;

  BEGIN_MSG_MAP(CDlgVCalImport)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_HANDLER(IDOK, BN_CLICKED, OnNext)
    COMMAND_HANDLER(IDC_BTN_IMPORT_ALL, BN_CLICKED, OnNext)
    COMMAND_HANDLER(IDC_BTN_OPTIONS, BN_CLICKED, OnChangeOptions)
    COMMAND_HANDLER(IDC_BTN_WIN_FLD, BN_CLICKED, OnBrowseFiles)
    CHAIN_MSG_MAP(WizardFirstPage<CDlgVCalImport>)
  END_MSG_MAP()

  // What the import run reads once DoModal returned IDOK.
  // One or more paths (files or folders) in CMultiPath form.
  std::string m_files;
  // 0 import every event, 1 replace a duplicate, 2 keep it and skip the event.
  int m_conflict = 0;
  // True when the page was left with "Next >": the filter page comes next.
  bool m_gotoFilter = false;
  // The zone of times that name none, and its display name.
  TimezoneStruct m_zone{};
  std::string m_zoneName;

 private:
  LRESULT OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
  LRESULT OnNext(WORD code, WORD id, HWND ctrl, BOOL& handled);
  LRESULT OnChangeOptions(WORD code, WORD id, HWND ctrl, BOOL& handled);
  LRESULT OnBrowseFiles(WORD code, WORD id, HWND ctrl, BOOL& handled);

  void _LoadOptions();
  void _UpdateOptionTexts();
  void _PickOutlookFolder();
  static std::span<const int> _WindowColoured();
  friend class WizardFirstPage<CDlgVCalImport>;

  UniqueGdiObject<HFONT> m_boldFont;
  // The tooltip of "Import All", owned by the page's window.
  HWND m_tooltip = nullptr;
};
