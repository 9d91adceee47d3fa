#include "testkit/Operator.h"

#include <utility>

#include "shell/FolderBrowserDesk.h"
#include "user/MessageBoxDesk.h"

namespace testkit {
namespace {

using kelvra::platform::MessageBoxDesk;
using kelvra::platform::ShownMessageBox;

MessageBoxRecord ToRecord(const ShownMessageBox& box) {
  return MessageBoxRecord{box.owner, box.text, box.caption, box.type, box.answer};
}

}  // namespace

std::vector<MessageBoxRecord> MessageBoxes() {
  std::vector<MessageBoxRecord> records;
  for (const ShownMessageBox& box : MessageBoxDesk::Instance().Shown())
    records.push_back(ToRecord(box));
  return records;
}

void ClearMessageBoxes() { MessageBoxDesk::Instance().Clear(); }

void SetMessageBoxAnswer(int answer) { MessageBoxDesk::Instance().SetAnswer(answer); }

void SetMessageBoxHandler(MessageBoxHandler handler) {
  if (!handler) {
    MessageBoxDesk::Instance().SetHandler(nullptr);
    return;
  }
  MessageBoxDesk::Instance().SetHandler([handler = std::move(handler)](const ShownMessageBox& box) {
    return handler(ToRecord(box));
  });
}

}  // namespace testkit

namespace testkit {

using kelvra::platform::FolderBrowserDesk;

void SetFolderBrowserAnswer(std::optional<std::string> folder) {
  FolderBrowserDesk::Instance().SetAnswer(std::move(folder));
}

void SetFolderBrowserHandler(FolderBrowserHandler handler) {
  if (!handler) {
    FolderBrowserDesk::Instance().SetHandler(nullptr);
    return;
  }
  FolderBrowserDesk::Instance().SetHandler(
      [handler = std::move(handler)](const kelvra::platform::ShownFolderBrowser& b) {
        return handler(FolderBrowserRecord{b.owner, b.title, b.flags, b.startFolder});
      });
}

std::vector<FolderBrowserRecord> FolderBrowsers() {
  std::vector<FolderBrowserRecord> records;
  for (const auto& b : FolderBrowserDesk::Instance().Shown())
    records.push_back(FolderBrowserRecord{b.owner, b.title, b.flags, b.startFolder});
  return records;
}

void ClearFolderBrowsers() { FolderBrowserDesk::Instance().Clear(); }

std::vector<ShellExecuteRecord> ShellExecutes() {
  std::vector<ShellExecuteRecord> records;
  for (const auto& c : FolderBrowserDesk::Instance().Executes())
    records.push_back(
        ShellExecuteRecord{c.wnd, c.operation, c.file, c.parameters, c.directory, c.showCommand});
  return records;
}

void ClearShellExecutes() { FolderBrowserDesk::Instance().ClearExecutes(); }

}  // namespace testkit
