// The options dialog of the import-events wizard, opened from its first page: what to
// do with an event that is already in the folder, and the zone of times that name none.
#pragma once

#include <string>
#include <vector>

#include "addin/WizardPage.h"
#include "calendar/TimezoneEntry.h"
#include "resource.h"

class CDlgVCalImportOptions : public WizardPage<CDlgVCalImportOptions> {
 public:
  enum { IDD = IDD_VCAL_IMPORT_OPTIONS };

  // The values shown when the dialog opens; after IDOK, the values chosen. Reads the
  // Windows zone list (an error leaves it empty).
  CDlgVCalImportOptions(int conflict, const TimezoneStruct& zone, const std::string& zoneName);
  CDlgVCalImportOptions(const CDlgVCalImportOptions&) = delete;
  CDlgVCalImportOptions& operator=(const CDlgVCalImportOptions&) = delete;

  BEGIN_MSG_MAP(CDlgVCalImportOptions)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_HANDLER(IDOK, BN_CLICKED, OnOK)
    CHAIN_MSG_MAP(WizardPage<CDlgVCalImportOptions>)
  END_MSG_MAP()

  int m_conflict;
  TimezoneStruct m_zone;
  std::string m_zoneName;

 private:
  LRESULT OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
  LRESULT OnOK(WORD code, WORD id, HWND ctrl, BOOL& handled);
  // The combo item of the zone: same rules and name, else the last with the same
  // rules, else an extra item with the zone's name.
  void _SelectZone();

  std::vector<TimezoneEntry> m_zones;
};
