// export-contacts --to DIR [--folder PATH] [--format 21|30] [--encoding NAME]
//                 [--one-file | --file-per-contact] [--overwrite] [--selected]
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ExportOptions.h"
#include "WizardAction.h"

namespace host {

class ContactExportAction : public WizardAction {
 public:
  // Throws UsageError. encodingsFile: the Linux path of supportedEncodings.txt, whose
  // entries' Name or Charset --encoding names.
  ContactExportAction(const std::vector<std::string>& arguments, const std::string& encodingsFile);

  void Prepare(HostUser& user) override;
  // With --selected the window shows the folder with all its items selected.
  ExplorerView View() const override;

 private:
  void FirstPage(HWND dlg, HostUser& user);
  void OptionsPage(HWND dlg, HostUser& user);
  void FinishPage(HWND dlg);

  ExportOptions common_;
  std::optional<int> format_;
};

}  // namespace host
