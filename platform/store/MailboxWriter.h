// Writes a mailbox as the JSON of a mailbox file, in the shape MailboxReader
// reads: saving and loading again gives the same mailbox, entry ids included.
#pragma once

#include "store/JsonValueCodec.h"
#include "store/Nodes.h"

namespace kelvra::store {

class MailboxWriter {
 public:
  // Throws MailboxFileError for a value a file cannot hold (a date out of
  // range).
  static Json Write(const Mailbox& mailbox);

 private:
  static Json WriteFolders(const std::vector<FolderPtr>& folders, const std::string& path);
  static Json WriteItem(const ItemPtr& item, const std::string& path);
  // An appointment whose times the object model set: its Start and End as local times.
  static void WriteAppointmentTimes(const ItemPtr& item, Json& json, const std::string& path);
  static Json WriteAddressBook(const Mailbox& mailbox);
};

}  // namespace kelvra::store
