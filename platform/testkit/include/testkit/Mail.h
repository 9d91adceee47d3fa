// The mails the system made with Application.CreateItem(olMailItem): nothing is sent,
// each is only recorded. Texts are UTF-8.
#pragma once

#include <string>
#include <vector>

namespace testkit {

struct MailRecord {
  // Display was called, and whether it asked to wait (modal).
  bool displayed = false;
  bool modal = false;
  // The paths given to Attachments.Add, in call order, and the names the
  // attachments carry.
  std::vector<std::string> attachmentPaths;
  std::vector<std::string> attachmentNames;
};

// Every mail made since the last ClearMails, oldest first.
std::vector<MailRecord> Mails();
void ClearMails();

}  // namespace testkit
