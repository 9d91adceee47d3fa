#include "HostUser.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "HostOutput.h"
#include "resources/resource.h"
#include "testkit/Bruvel.h"
#include "testkit/DialogPrinter.h"
#include "testkit/Dialogs.h"
#include "testkit/Operator.h"
#include "testkit/Pickers.h"

namespace host {
namespace {

// The progress dialogs end when their run ends; a user only watches them.
bool IsProgressDialog(int templateId) {
  return templateId == IDD_VCARD_EXPORT_PROGRESS || templateId == IDD_VCARD_IMPORT_PROGRESS ||
         templateId == IDD_VCAL_EXPORT_PROGRESS || templateId == IDD_VCAL_IMPORT_PROGRESS;
}

// The box's first button, which is its default one: OK, OK, Abort, Yes, Yes, Retry.
int FirstButton(unsigned type) {
  constexpr int kFirst[] = {IDOK, IDOK, IDABORT, IDYES, IDYES, IDRETRY};
  const unsigned kind = type & MB_TYPEMASK;
  return kind < std::size(kFirst) ? kFirst[kind] : IDOK;
}

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The dialog as it closes: its first line, then the control lines that differ from
// those it opened with.
std::string DescribeChanges(const std::string& opened, const std::string& closing) {
  const std::vector<std::string> before = LinesOf(opened);
  const std::vector<std::string> after = LinesOf(closing);
  if (after.empty()) return "";
  std::string text = after[0] + " closes";
  for (std::size_t i = 1; i < after.size(); ++i)
    if (before.size() != after.size() || before[i] != after[i]) text += "\n" + after[i];
  return text;
}

std::string AnswerName(int answer) {
  constexpr const char* kNames[] = {"",        "IDOK",     "IDCANCEL", "IDABORT",
                                    "IDRETRY", "IDIGNORE", "IDYES",    "IDNO"};
  return answer > 0 && answer < static_cast<int>(std::size(kNames)) ? kNames[answer]
                                                                    : std::to_string(answer);
}

}  // namespace

HostUser::HostUser(bool verbose, testkit::Answers& answers) : verbose_(verbose), answers_(answers) {
  testkit::SetMessageBoxHandler([this](const testkit::MessageBoxRecord& box) {
    return AnswerMessageBox(box.caption, box.text, box.type);
  });
  testkit::SetFolderBrowserHandler([this](const testkit::FolderBrowserRecord& browser) {
    std::optional<std::optional<std::string>> answer = answers_.TakeFolder();
    std::optional<std::string> folder = answer ? *answer : std::nullopt;
    if (verbose_)
      PrintOut("folder browser \"" + browser.title + "\": " + folder.value_or("cancel"));
    return folder;
  });
  testkit::SetOutlookFolderPickerHandler([this] {
    std::optional<std::string> folder;
    {
      std::lock_guard lock(mutex_);
      folder = std::exchange(nextOutlookFolder_, std::nullopt);
    }
    if (!folder) folder = answers_.TakeOutlookFolder().value_or(std::nullopt);
    if (verbose_) PrintOut("Outlook folder picker: " + folder.value_or("cancel"));
    return folder;
  });
  if (std::optional<std::optional<std::string>> file = answers_.TakeFile())
    testkit::SetBruvelAnswer(*file);
  watcher_ = std::make_unique<testkit::DialogWatcher>(
      [this](HWND dlg, int templateId) { Answer(dlg, templateId); });
}

HostUser::~HostUser() {
  watcher_.reset();
  testkit::SetMessageBoxHandler(nullptr);
  testkit::SetFolderBrowserHandler(nullptr);
  testkit::SetOutlookFolderPickerHandler(nullptr);
}

void HostUser::AnswerNextOutlookFolderPicker(std::string path) {
  std::lock_guard lock(mutex_);
  nextOutlookFolder_ = std::move(path);
}

void HostUser::Drive(int templateId, PageScript script) {
  std::lock_guard lock(mutex_);
  scripts_[templateId] = std::move(script);
}

void HostUser::Refuse(const std::string& problem) {
  std::lock_guard lock(mutex_);
  problems_.push_back(problem);
}

std::vector<std::string> HostUser::Problems() const {
  std::lock_guard lock(mutex_);
  return problems_;
}

HostUser::PageScript HostUser::ScriptFor(int templateId) const {
  std::lock_guard lock(mutex_);
  auto it = scripts_.find(templateId);
  return it == scripts_.end() ? PageScript{} : it->second;
}

void HostUser::Answer(HWND dlg, int templateId) {
  // Nothing may unwind through the add-in's modal loop.
  try {
    AnswerDialog(dlg, templateId);
  } catch (const std::exception& e) {
    Refuse("dialog " + std::to_string(templateId) + ": " + e.what());
    if (!testkit::DialogEnded(dlg)) testkit::PressEscape(dlg);
  }
}

void HostUser::AnswerDialog(HWND dlg, int templateId) {
  const std::string opened = verbose_ ? testkit::DescribeDialog(dlg) : std::string();
  if (verbose_) PrintOut(opened);
  {
    std::lock_guard lock(mutex_);
    lastMessage_.clear();
  }
  if (PageScript script = ScriptFor(templateId)) {
    script(dlg);
    PrintClosing(dlg, opened);
    Finish(dlg, templateId, "after the action's answers");
    return;
  }
  if (std::optional<std::vector<testkit::DialogAction>> actions = answers_.TakeDialog(templateId)) {
    std::string failed;
    if (!testkit::PerformActions(dlg, *actions, &failed))
      Refuse("dialog " + std::to_string(templateId) + ": cannot " + failed);
    PrintClosing(dlg, opened);
    // A progress dialog stays up after Cancel until its run closes it.
    if (!IsProgressDialog(templateId)) Finish(dlg, templateId, "after its answer");
    return;
  }
  if (IsProgressDialog(templateId)) return;
  Refuse("dialog " + std::to_string(templateId) + " has no answer: cancelled");
  testkit::PressEscape(dlg);
}

void HostUser::PrintClosing(HWND dlg, const std::string& opened) const {
  if (!verbose_) return;
  const std::string changes = DescribeChanges(opened, testkit::DescribeDialog(dlg));
  if (!changes.empty()) PrintOut(changes);
}

// A page that refused its answer (a check failed, a message box said why) would wait
// for a user who is not there: it is cancelled.
void HostUser::Finish(HWND dlg, int templateId, const std::string& what) {
  if (testkit::DialogEnded(dlg)) return;
  std::string problem =
      "dialog " + std::to_string(templateId) + " stayed open " + what + ": cancelled";
  {
    std::lock_guard lock(mutex_);
    if (!lastMessage_.empty()) problem += " (\"" + lastMessage_ + "\")";
  }
  Refuse(problem);
  testkit::PressEscape(dlg);
}

int HostUser::AnswerMessageBox(const std::string& caption, const std::string& text, unsigned type) {
  const int answer = answers_.TakeMessageBox().value_or(FirstButton(type));
  {
    std::lock_guard lock(mutex_);
    lastMessage_ = text;
  }
  // What the user would have read, on one line.
  std::string line = text;
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  PrintError("message: " + line);
  if (verbose_)
    PrintOut("message box \"" + caption + "\": \"" + text + "\" -> " + AnswerName(answer));
  return answer;
}

}  // namespace host
