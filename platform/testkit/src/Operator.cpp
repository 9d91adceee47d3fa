#include "testkit/Operator.h"

#include <utility>

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
  for (const ShownMessageBox& box : MessageBoxDesk::Instance().Shown()) records.push_back(ToRecord(box));
  return records;
}

void ClearMessageBoxes() { MessageBoxDesk::Instance().Clear(); }

void SetMessageBoxAnswer(int answer) { MessageBoxDesk::Instance().SetAnswer(answer); }

void SetMessageBoxHandler(MessageBoxHandler handler) {
  if (!handler) {
    MessageBoxDesk::Instance().SetHandler(nullptr);
    return;
  }
  MessageBoxDesk::Instance().SetHandler(
      [handler = std::move(handler)](const ShownMessageBox& box) { return handler(ToRecord(box)); });
}

}  // namespace testkit
