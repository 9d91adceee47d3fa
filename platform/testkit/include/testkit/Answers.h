// Scripted answers for what the system asks the user: dialogs, message boxes, folder
// browsers and the open-file dialog, read from a small line format (one answer a line;
// "#" starts a comment line):
//   dialog 273: click 373                  the next showing of dialog 273: its actions
//   dialog 225: check 243; select 246 UTF-8; click 1
//   msgbox: IDNO                           the next message box (IDOK, IDCANCEL, IDYES,
//                                          IDNO, IDABORT, IDRETRY, IDIGNORE or a number)
//   folder: Z:\tmp\out                     the next folder browser ("cancel": Cancel)
//   file: Z:\tmp\a.vcf                     every open-file dialog (the first "file:" line;
//                                          "cancel": Cancel)
//   outlook-folder: \\Personal Folders\Contacts
//                                          the next Outlook folder picker ("cancel": Cancel)
// Dialog actions, separated by ";" ("\;" is a ";" inside a text): click ID, check ID,
// uncheck ID, type ID TEXT, select ID TEXT (a combo box item by its text), escape
// (Cancel) and close (the close box). Answers of one kind are used in file order; where
// none is left, the host's default applies.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "win32/windows.h"

namespace testkit {

struct DialogAction {
  enum class Kind { kClick, kCheck, kUncheck, kType, kSelect, kEscape, kClose };
  Kind kind = Kind::kClick;
  int control = 0;
  std::string text;
};

class Answers {
 public:
  Answers() = default;
  // Throws std::invalid_argument "line N: why" for a line that is not an answer.
  explicit Answers(const std::string& text);
  Answers(const Answers&) = delete;
  Answers& operator=(const Answers&) = delete;

  // Each Take hands out the next unused answer of its kind; nullopt when none is left.
  std::optional<std::vector<DialogAction>> TakeDialog(int templateId);
  std::optional<int> TakeMessageBox();
  // The inner nullopt stands for Cancel.
  std::optional<std::optional<std::string>> TakeFolder();
  std::optional<std::optional<std::string>> TakeFile();
  std::optional<std::optional<std::string>> TakeOutlookFolder();

 private:
  struct DialogAnswer {
    int templateId = 0;
    std::vector<DialogAction> actions;
    bool used = false;
  };
  enum class PathKind { kFolder, kFile, kOutlookFolder };
  struct PathAnswer {
    PathKind kind = PathKind::kFolder;
    std::optional<std::string> path;
    bool used = false;
  };
  void ParseLine(const std::string& line);
  std::optional<std::optional<std::string>> TakePath(PathKind kind);
  static std::optional<PathKind> PathKindOf(const std::string& kind);

  mutable std::mutex mutex_;
  std::vector<DialogAnswer> dialogs_;
  std::vector<int> boxes_;
  std::size_t nextBox_ = 0;
  std::vector<PathAnswer> paths_;
};

// Does the actions on the dialog in order, as the user would; stops at the first one
// that cannot be done (a missing, hidden or disabled control, an item the combo box
// lacks) and returns false with that action described in failed.
bool PerformActions(HWND dlg, const std::vector<DialogAction>& actions,
                    std::string* failed = nullptr);
std::string DescribeAction(const DialogAction& action);

}  // namespace testkit
