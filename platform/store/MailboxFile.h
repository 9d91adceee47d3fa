// The mailbox as JSON text (format in docs/mailbox-format.md). Parsing builds a
// new mailbox or throws MailboxFileError naming the JSON path of the offending
// value, so a caller that swaps mailboxes only on success never sees half a
// load.
#pragma once

#include <stdexcept>
#include <string>

#include "store/Nodes.h"

namespace kelvra::store {

class MailboxFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class MailboxFile {
 public:
  static MailboxPtr Parse(const std::string& jsonText);
  static std::string Write(const Mailbox& mailbox);

  // Files by their Linux path; errors (also of reading and writing) as
  // MailboxFileError.
  static MailboxPtr Load(const std::string& path);
  static void Save(const Mailbox& mailbox, const std::string& path);
  // Text that Write made.
  static void SaveText(const std::string& text, const std::string& path);
};

}  // namespace kelvra::store
