// The user at the keyboard while an action runs: answers every dialog, message box,
// folder browser and open-file dialog the add-in shows — first as the action drives its
// pages, then from the answers file — and cancels a dialog nobody answers, so that the
// host never waits for ever. Under --verbose each dialog is printed as it opens, and as
// it closes the controls that the answers changed, with the values the page took.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "testkit/Answers.h"
#include "testkit/DialogWatcher.h"

namespace host {

class HostUser {
 public:
  // What an action does on a page; it runs inside the page's modal loop.
  using PageScript = std::function<void(HWND dlg)>;

  HostUser(bool verbose, testkit::Answers& answers);
  ~HostUser();
  HostUser(const HostUser&) = delete;
  HostUser& operator=(const HostUser&) = delete;

  // The action answers every showing of that dialog with the script.
  void Drive(int templateId, PageScript script);
  // The next Outlook folder picker answers the path (before the answers file does).
  void AnswerNextOutlookFolderPicker(std::string path);
  // Notes something that kept the action from completing as asked.
  void Refuse(const std::string& problem);

  // What kept the action from completing: unanswered dialogs, answers that could not be
  // done, pages that stayed open.
  std::vector<std::string> Problems() const;

 private:
  void Answer(HWND dlg, int templateId);
  void AnswerDialog(HWND dlg, int templateId);
  void Finish(HWND dlg, int templateId, const std::string& what);
  // Under --verbose: the controls whose state the answers changed since it opened.
  void PrintClosing(HWND dlg, const std::string& opened) const;
  int AnswerMessageBox(const std::string& caption, const std::string& text, unsigned type);
  PageScript ScriptFor(int templateId) const;

  const bool verbose_;
  testkit::Answers& answers_;
  mutable std::mutex mutex_;
  std::map<int, PageScript> scripts_;
  std::vector<std::string> problems_;
  std::string lastMessage_;
  std::optional<std::string> nextOutlookFolder_;
  std::unique_ptr<testkit::DialogWatcher> watcher_;
};

}  // namespace host
