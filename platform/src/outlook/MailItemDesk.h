// The record of the mails Application.CreateItem(olMailItem) made: whether each was
// displayed and what was attached to it, for tests and the host to see.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "store/Attachment.h"

namespace kelvra::outlook {

struct MailRecord {
  bool displayed = false;
  bool modal = false;
  // The paths given to Attachments.Add (UTF-8), in call order.
  std::vector<std::string> attachmentPaths;
  std::vector<store::AttachmentPtr> attachments;
};
using MailRecordPtr = std::shared_ptr<MailRecord>;

class MailItemDesk {
 public:
  static MailItemDesk& Instance();

  // The record of a new mail, listed last.
  MailRecordPtr Open();
  // Changes a record under the desk's lock (also one no longer listed after Reset).
  void Update(const MailRecordPtr& mail, const std::function<void(MailRecord&)>& change);
  // A copy of one record, taken under the desk's lock.
  MailRecord Copy(const MailRecordPtr& mail) const;
  // Copies of the listed records, oldest first.
  std::vector<MailRecord> Mails() const;
  void Reset();

 private:
  MailItemDesk() = default;

  mutable std::mutex mutex_;
  std::vector<MailRecordPtr> mails_;
};

}  // namespace kelvra::outlook
