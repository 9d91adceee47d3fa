// The first page of the export-contacts wizard: the Outlook folder (or the explorer's
// selection), the Windows folder, one file or one file per contact, and a summary of
// the options, which its options dialog changes.
#pragma once

#include <span>
#include <string>

#include "addin/WizardFirstPage.h"
#include "contacts/ContactFilter.h"
#include "outlook/outlook.h"
#include "resource.h"
#include "win32/owners.h"

class CDlgVCardExport : public WizardFirstPage<CDlgVCardExport> {
 public:
  enum { IDD = IDD_VCARD_EXPORT };

  // Values of m_formatChoice.
  static constexpr int kVCard21 = 0;
  static constexpr int kVCard30 = 1;

  // Loads the page's options from under *optionsKey (borrowed; may be null or hold a
  // null key: then the defaults stand and nothing is stored).
  CDlgVCardExport(Outlook::_Application* app, HKEY* optionsKey);
  ~CDlgVCardExport() override = default;
  CDlgVCardExport(const CDlgVCardExport&) = delete;
  CDlgVCardExport& operator=(const CDlgVCardExport&) = delete;

  BEGIN_MSG_MAP(CDlgVCardExport)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_HANDLER(IDOK, BN_CLICKED, OnNext)
    COMMAND_HANDLER(IDC_BTN_OPTIONS, BN_CLICKED, OnChangeOptions)
    COMMAND_HANDLER(IDC_BTN_WIN_FLD, BN_CLICKED, OnBrowseFolder)
    CHAIN_MSG_MAP(WizardFirstPage<CDlgVCardExport>)
  END_MSG_MAP()

  // Folder empty, one file, vCard 2.1, no encoding, no overwrite, no filter, the
  // categories "Personal" below Outlook 12.
  void SetDefaults();
  ContactFilter GetFilter() const { return {m_filterMask, m_filterCategories}; }

  // What the export run reads once DoModal returned IDOK.
  char m_windowsFolder[MAX_PATH] = {};
  int m_formatChoice = kVCard21;
  // An encoding's Name from the encodings list; "" for none.
  std::string m_encoding;
  bool m_oneFile = true;
  // Never stored: the explorer's selection instead of the folder's items.
  bool m_exportSelected = false;
  bool m_overwrite = false;
  DWORD m_filterMask = 0;
  std::string m_filterCategories;

 private:
  LRESULT OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
  LRESULT OnNext(WORD code, WORD id, HWND ctrl, BOOL& handled);
  LRESULT OnChangeOptions(WORD code, WORD id, HWND ctrl, BOOL& handled);
  LRESULT OnBrowseFolder(WORD code, WORD id, HWND ctrl, BOOL& handled);

  void _LoadOptions();
  void _UpdateOptionTexts();
  // The session's folder picker; a contacts folder chosen becomes the page's folder.
  void _PickOutlookFolder();
  // The controls shown in the window colour, over the page's panel.
  static std::span<const int> _WindowColoured();
  // The shared colours, Outlook folder button and Next use the members above.
  friend class WizardFirstPage<CDlgVCardExport>;
  // Check 233 after the folder changed to m_folder.
  void _UpdateSelectionCheck();
};
