// Builds a mailbox from the JSON of a mailbox file. Every entry id the file
// gives is reserved before any node is made, so the ids made for nodes without
// one never take an id a later node of the file carries.
#pragma once

#include <string>
#include <string_view>

#include "store/Item.h"
#include "store/JsonValueCodec.h"
#include "store/Nodes.h"

namespace kelvra::store {

class MailboxReader {
 public:
  // Throws MailboxFileError naming the offending value.
  static MailboxPtr Read(const Json& root);

 private:
  explicit MailboxReader(MailboxPtr mailbox);

  void ReserveEntryIds(const Json& root);
  void ReserveFolderIds(const Json& folders, const std::string& path);
  void ReserveId(const Json& object, std::string_view key, const std::string& path);

  void ReadStore(const Json& json, const std::string& path);
  template <class Parent>
  void ReadFolders(const Json& json, Parent& parent, const std::string& path);
  void ReadItem(const Json& json, const FolderPtr& folder, const std::string& path);
  void ReadAddressBook(const Json& json, const std::string& path);

  MailboxPtr mailbox_;
};

}  // namespace kelvra::store
