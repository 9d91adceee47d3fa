// export-calendar --to DIR [--folder PATH] [--format 10|20] [--encoding NAME]
//                 [--one-file | --file-per-event] [--overwrite] [--selected]
//                 [the filter options of CalendarFilterOptions]
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CalendarFilterOptions.h"
#include "ExportOptions.h"
#include "WizardAction.h"

namespace host {

class CalendarExportAction : public WizardAction {
 public:
  // Throws UsageError. encodingsFile: the Linux path of supportedEncodings.txt, whose
  // entries' Name or Charset --encoding names.
  CalendarExportAction(const std::vector<std::string>& arguments, const std::string& encodingsFile);

  void Prepare(HostUser& user) override;
  // With --selected the window shows the folder with all its items selected.
  ExplorerView View() const override;

 private:
  void FirstPage(HWND dlg, HostUser& user);
  void OptionsPage(HWND dlg, HostUser& user);
  void FilterPage(HWND dlg, HostUser& user);
  void FinishPage(HWND dlg);

  ExportOptions common_;
  std::optional<int> format_;
  CalendarFilterOptions filter_{"export-calendar"};
};

}  // namespace host
