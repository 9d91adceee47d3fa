// An action that runs one of the wizards the way a user does: it opens the
// wizard by its ribbon button (Outlook 2010) or its command-bar item (older Outlook),
// sets on each page the controls its options stand for, and reads the counts of the
// finish page into one "result:" line.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "HostOptions.h"
#include "HostUser.h"
#include "OfficeSession.h"

namespace host {

class WizardAction {
 public:
  virtual ~WizardAction() = default;

  // Hands the page scripts to the user before the add-in starts.
  virtual void Prepare(HostUser& user) = 0;
  // The explorer window the action needs.
  virtual ExplorerView View() const { return {}; }
  // Opens the wizard and waits for its end; prints on standard error how many items
  // failed and where the add-in's log is.
  virtual ExitStatus Run(OfficeSession& session, int outlookMajor);
  bool Finished() const { return result_.has_value(); }
  // The "result:" line of the finish page's counts, once it showed.
  const std::optional<std::string>& Result() const { return result_; }

 protected:
  // ribbonId: the ribbon button; parameter: the command-bar item's parameter; item:
  // what the wizard moves ("contact"), for the line about failures.
  WizardAction(std::string ribbonId, std::string parameter, std::string item);

  // The finish page's counts, once it showed, and its number of failed items; read by
  // the page scripts.
  void SetResult(std::string line, int failed);
  // Picks the Outlook folder with the page's folder button (control 230) and checks
  // that the page took it (control 228); a folder that is not there or that the page
  // refuses is noted, with the folders that could be chosen, and false returned.
  bool ChooseOutlookFolder(HWND dlg, const std::string& path, HostUser& user) const;
  // The number a label shows, "" as 0.
  static int Count(HWND dlg, int controlId);
  // The two numbers a label shows as "N/M".
  static std::pair<int, int> CountPair(HWND dlg, int controlId);
  // Windows paths as the import pages' files box takes them: one as it stands, more
  // each in double quotes.
  static std::string FilesText(const std::vector<std::string>& paths);

 private:
  // "the calendar folders are: \\Personal Folders\Calendar, ..." in --folder's form.
  std::string FoldersToChoose(Outlook::_Application* outlook) const;

  std::string ribbonId_;
  std::string parameter_;
  std::string item_;
  std::optional<std::string> result_;
  int failed_ = 0;
};

}  // namespace host
