// The options both export actions share and what they set on the wizard's first page
// and options dialog (the same controls in both wizards):
//   --to DIR [--folder PATH] [--encoding NAME] [--one-file | --file-per-ITEM]
//   [--overwrite] [--selected]
#pragma once

#include <optional>
#include <string>

#include "ActionArguments.h"
#include "HostUser.h"
#include "win32/windows.h"

namespace host {

class ExportOptions {
 public:
  // action names the action in messages; item is what one file per item means
  // ("contact": --file-per-contact); encodingsFile is the Linux path of
  // supportedEncodings.txt.
  ExportOptions(std::string action, std::string item, std::string encodingsFile);

  // Takes option (and its value) when it is one of these; false otherwise. Throws
  // UsageError for a bad value.
  bool Take(const std::string& option, ActionArguments& args);

  // The first page: Windows folder, one file, selected only, then the options dialog.
  // False, after telling the user why, when the page cannot take them.
  bool FillFirstPage(HWND dlg, HostUser& user) const;
  // The options dialog's encoding and overwrite; false, after telling why, when the
  // dialog does not offer the encoding.
  bool FillOptions(HWND dlg, HostUser& user) const;

  const std::string& Folder() const { return folder_; }
  bool Selected() const { return selected_; }

 private:
  std::string action_;
  std::string item_;
  std::string encodingsFile_;
  std::string to_;  // Windows path
  std::string folder_;
  std::string encoding_;  // an entry's Name
  std::optional<bool> oneFile_;
  bool overwrite_ = false;
  bool selected_ = false;
};

}  // namespace host
