#include "WizardAction.h"

#include <cctype>
#include <cstdlib>
#include <string>
#include <utility>

#include "AddInActions.h"
#include "AddInLogFiles.h"
#include "HostOutput.h"
#include "OutlookFolders.h"
#include "resources/resource.h"
#include "testkit/Dialogs.h"
#include "testkit/Files.h"
#include "testkit/Outlook.h"

namespace host {
namespace {

// Folder paths compare as the add-in shows them: names without case, either separator.
std::string FolderKey(const std::string& path) {
  std::string key;
  for (char c : path) {
    char k = c == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (k == '\\' && !key.empty() && key.back() == '\\') continue;
    key += k;
  }
  while (!key.empty() && key.back() == '\\') key.pop_back();
  return key;
}

}  // namespace

WizardAction::WizardAction(std::string ribbonId, std::string parameter, std::string item)
    : ribbonId_(std::move(ribbonId)), parameter_(std::move(parameter)), item_(std::move(item)) {}

ExitStatus WizardAction::Run(OfficeSession& session, int outlookMajor) {
  const ExitStatus pressed =
      outlookMajor >= 14 ? PressRibbon(session, ribbonId_) : ClickButton(session, parameter_);
  if (pressed != kCompleted || !result_) return kCancelled;
  if (failed_ == 0) return kCompleted;
  PrintError(std::to_string(failed_) + " " + item_ + (failed_ == 1 ? "" : "s") +
             " failed; the add-in's log: " + AddInLogFiles::LogPath());
  return kCompletedWithFailures;
}

void WizardAction::SetResult(std::string line, int failed) {
  result_ = std::move(line);
  failed_ = failed;
}

bool WizardAction::ChooseOutlookFolder(HWND dlg, const std::string& path, HostUser& user) const {
  Outlook::_ApplicationPtr outlook = testkit::CreateOutlookApplication();
  if (FolderAtPath(outlook, path) == nullptr) {
    user.Refuse("--folder " + path + ": Outlook has no such folder; " + FoldersToChoose(outlook));
    return false;
  }
  user.AnswerNextOutlookFolderPicker(path);
  const bool clicked = testkit::Click(dlg, IDC_BTN_OL_FLD);
  if (clicked && FolderKey(testkit::ControlText(dlg, IDC_TXT_OL_FLD)) == FolderKey(path))
    return true;
  user.Refuse("the page did not take the Outlook folder " + path + " (it shows \"" +
              testkit::ControlText(dlg, IDC_TXT_OL_FLD) + "\"); " + FoldersToChoose(outlook));
  return false;
}

std::string WizardAction::FoldersToChoose(Outlook::_Application* outlook) const {
  const bool contacts = item_ == "contact";
  const std::vector<std::string> paths =
      FolderPathsOf(outlook, contacts ? Outlook::olContactItem : Outlook::olAppointmentItem);
  const std::string kind = contacts ? "contact" : "calendar";
  if (paths.empty()) return "the mailbox has no " + kind + " folder";
  std::string text = "the " + kind + " folders are:";
  for (const std::string& folder : paths) text += (text.back() == ':' ? " " : ", ") + folder;
  return text;
}

int WizardAction::Count(HWND dlg, int controlId) {
  return std::atoi(testkit::ControlText(dlg, controlId).c_str());
}

std::pair<int, int> WizardAction::CountPair(HWND dlg, int controlId) {
  const std::string both = testkit::ControlText(dlg, controlId);
  const std::size_t slash = both.find('/');
  return {std::atoi(both.c_str()),
          slash == std::string::npos ? 0 : std::atoi(both.c_str() + slash + 1)};
}

std::string WizardAction::FilesText(const std::vector<std::string>& paths) {
  if (paths.size() == 1) return paths[0];
  std::string text;
  for (const std::string& path : paths) text += (text.empty() ? "\"" : " \"") + path + "\"";
  return text;
}

}  // namespace host
