// The first page of the import-contacts wizard: the target Outlook folder, the files
// or the Windows folder to read, and a summary of the options, which its options
// dialog changes.
#pragma once

#include <span>
#include <string>

#include "addin/WizardFirstPage.h"
#include "contacts/ContactFilter.h"
#include "outlook/outlook.h"
#include "resource.h"
#include "win32/owners.h"

class CDlgVCardImport : public WizardFirstPage<CDlgVCardImport> {
 public:
  enum { IDD = IDD_VCARD_IMPORT };

  // Values of m_conflictResolution.
  static constexpr int kImportAsNew = 0;
  static constexpr int kReplaceExisting = 1;
  static constexpr int kLeaveExisting = 2;

  // Loads the page's options from under *optionsKey (borrowed; may be null or hold a
  // null key: then the defaults stand and nothing is stored).
  CDlgVCardImport(Outlook::_Application* app, HKEY* optionsKey);
  ~CDlgVCardImport() override = default;
  CDlgVCardImport(const CDlgVCardImport&) = delete;
  CDlgVCardImport& operator=(const CDlgVCardImport&) = delete;

  BEGIN_MSG_MAP(CDlgVCardImport)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_HANDLER(IDOK, BN_CLICKED, OnNext)
    COMMAND_HANDLER(IDC_BTN_OPTIONS, BN_CLICKED, OnChangeOptions)
    COMMAND_HANDLER(IDC_BTN_WIN_FLD, BN_CLICKED, OnBrowseFiles)
    CHAIN_MSG_MAP(WizardFirstPage<CDlgVCardImport>)
  END_MSG_MAP()

  // Files text empty, conflict 0, no filter, the categories "Personal" below Outlook 12.
  void SetDefaults();
  ContactFilter GetFilter() const { return {m_filterMask, m_filterCategories}; }

  // What the import run reads once DoModal returned IDOK.
  // One or more file paths (several in double quotes) or a folder, as typed.
  std::string m_files;
  int m_conflictResolution = kImportAsNew;
  DWORD m_filterMask = 0;
  std::string m_filterCategories;

 private:
  LRESULT OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
  LRESULT OnNext(WORD code, WORD id, HWND ctrl, BOOL& handled);
  LRESULT OnChangeOptions(WORD code, WORD id, HWND ctrl, BOOL& handled);
  LRESULT OnBrowseFiles(WORD code, WORD id, HWND ctrl, BOOL& handled);

  void _LoadOptions();
  void _UpdateOptionTexts();
  // The session's folder picker; a contacts folder chosen becomes the page's folder.
  void _PickOutlookFolder();
  // The controls shown in the window colour, over the page's panel.
  static std::span<const int> _WindowColoured();
  // The shared colours, Outlook folder button and Next use the members above.
  friend class WizardFirstPage<CDlgVCardImport>;
  // The open-file dialog over the text of 229; a choice replaces the files text.
  void _BrowseFiles();
  // Whether the files text names at least one path and every path exists; with
  // messages, a missing path is shown.
  bool _ValidateFiles(bool messages);
  // m_files from the text of 229, trimmed.
  void _ReadFilesText();
};
