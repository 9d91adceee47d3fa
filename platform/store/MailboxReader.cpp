#include "store/MailboxReader.h"

#include <algorithm>
#include <iterator>

#include "store/Folder.h"
#include "store/ItemType.h"
#include "store/Mailbox.h"
#include "store/MailboxJson.h"
#include "store/Store.h"

namespace kelvra::store {

namespace {

constexpr std::string_view kEntryId = "EntryID";
constexpr std::string_view kMessageClass = "MessageClass";
constexpr std::string_view kIsRecurring = "IsRecurring";

Bytes EntryIdOf(const Json& object, std::string_view key, const std::string& path) {
  const Json* id = MemberOf(object, key);
  return id ? JsonValueCodec::DecodeHex(*id, PathOf(path, key)) : Bytes();
}

// Calls read for each element of an array with the element's path.
template <class Read>
void ForEachElement(const Json& array, const std::string& path, Read read) {
  std::size_t index = 0;
  for (const Json& element : RequireArray(array, path)) read(element, PathOf(path, index++));
}

// The members of an item that are not properties of its bag, and how each is
// read.
struct ItemMember {
  std::string_view key;
  void (*read)(const Json& value, Item& item, const std::string& path);
};

constexpr ItemMember kItemMembers[] = {
    {kIsRecurring,
     [](const Json& value, Item&, const std::string& path) {
       // Derived from the pattern: only checked, once the item is read.
       JsonValueCodec::Decode(value, ValueType::Bool, path);
     }},
    {"RecurrencePattern",
     [](const Json& value, Item& item, const std::string& path) {
       item.SetRecurrence(MailboxJson::ReadPattern(value, path));
     }},
    {"Exceptions",
     [](const Json& value, Item& item, const std::string& path) {
       std::vector<RecurrenceException> exceptions;
       ForEachElement(value, path, [&](const Json& entry, const std::string& at) {
         exceptions.push_back(MailboxJson::ReadException(entry, at));
       });
       item.SetExceptions(std::move(exceptions));
     }},
    {"Attachments",
     [](const Json& value, Item& item, const std::string& path) {
       ForEachElement(value, path, [&](const Json& entry, const std::string& at) {
         item.AddAttachment(std::make_shared<Attachment>(MailboxJson::ReadAttachment(entry, at)));
       });
     }},
    {"Recipients",
     [](const Json& value, Item& item, const std::string& path) {
       ForEachElement(value, path, [&](const Json& entry, const std::string& at) {
         item.AddRecipient(MailboxJson::ReadRecipient(entry, at));
       });
     }},
    {"NamedProperties",
     [](const Json& value, Item& item, const std::string& path) {
       for (auto& [key, named] : MailboxJson::ReadNamed(value, path)) item.SetNamed(key, named);
     }},
    {"MapiProperties",
     [](const Json& value, Item& item, const std::string& path) {
       for (auto& [tag, tagged] : MailboxJson::ReadTagged(value, path)) item.SetTagged(tag, tagged);
     }},
};

}  // namespace

MailboxReader::MailboxReader(MailboxPtr mailbox) : mailbox_(std::move(mailbox)) {}

MailboxPtr MailboxReader::Read(const Json& root) {
  MailboxReader reader(Mailbox::Create());
  RequireKeys(root, {"stores", "addressBook"}, "");
  reader.ReserveEntryIds(root);
  if (const Json* stores = MemberOf(root, "stores")) {
    ForEachElement(*stores, "/stores", [&](const Json& store, const std::string& path) {
      reader.ReadStore(store, path);
    });
  }
  if (const Json* book = MemberOf(root, "addressBook"))
    reader.ReadAddressBook(*book, "/addressBook");
  return reader.mailbox_;
}

// First pass: only the ids; shapes are checked by the second pass.
void MailboxReader::ReserveEntryIds(const Json& root) {
  const Json* stores = MemberOf(root, "stores");
  if (stores == nullptr || !stores->is_array()) return;
  for (std::size_t i = 0; i < stores->size(); ++i) {
    const Json& store = (*stores)[i];
    if (!store.is_object()) continue;
    const std::string path = PathOf("/stores", i);
    ReserveId(store, "entryId", path);
    if (const Json* folders = MemberOf(store, "folders")) {
      ReserveFolderIds(*folders, PathOf(path, "folders"));
    }
  }
}

void MailboxReader::ReserveFolderIds(const Json& folders, const std::string& path) {
  if (!folders.is_array()) return;
  for (std::size_t i = 0; i < folders.size(); ++i) {
    const Json& folder = folders[i];
    if (!folder.is_object()) continue;
    const std::string at = PathOf(path, i);
    ReserveId(folder, "entryId", at);
    const Json* items = MemberOf(folder, "items");
    for (std::size_t k = 0; items && items->is_array() && k < items->size(); ++k) {
      if ((*items)[k].is_object()) ReserveId((*items)[k], kEntryId, PathOf(PathOf(at, "items"), k));
    }
    if (const Json* subfolders = MemberOf(folder, "folders")) {
      ReserveFolderIds(*subfolders, PathOf(at, "folders"));
    }
  }
}

void MailboxReader::ReserveId(const Json& object, std::string_view key, const std::string& path) {
  if (MemberOf(object, key) == nullptr) return;
  const Bytes id = EntryIdOf(object, key, path);
  if (id.empty()) ThrowAt(PathOf(path, key), "an entry id cannot be empty");
  if (!mailbox_->Reserve(id)) ThrowAt(PathOf(path, key), "the entry id is already in use");
}

void MailboxReader::ReadStore(const Json& json, const std::string& path) {
  RequireKeys(json, {"name", "entryId", "folders"}, path);
  const std::u16string name =
      JsonValueCodec::DecodeText(RequiredMember(json, "name", path), PathOf(path, "name"));
  StorePtr store = mailbox_->AddStore(name, EntryIdOf(json, "entryId", path));
  if (const Json* folders = MemberOf(json, "folders")) {
    ReadFolders(*folders, *store, PathOf(path, "folders"));
  }
}

// Parent is a Store or a Folder: both add folders the same way.
template <class Parent>
void MailboxReader::ReadFolders(const Json& json, Parent& parent, const std::string& path) {
  ForEachElement(json, path, [&](const Json& entry, const std::string& at) {
    RequireKeys(entry, {"name", "entryId", "defaultItemType", "items", "folders"}, at);
    const std::u16string name =
        JsonValueCodec::DecodeText(RequiredMember(entry, "name", at), PathOf(at, "name"));
    std::int32_t type = itemtype::kMail;
    if (const Json* given = MemberOf(entry, "defaultItemType")) {
      type = JsonValueCodec::DecodeLong(*given, PathOf(at, "defaultItemType"));
      if (!ItemType::IsKnown(type)) {
        ThrowAt(PathOf(at, "defaultItemType"),
                "unknown item type " + std::to_string(type) + " (expected 0 to 7)");
      }
    }
    FolderPtr folder = parent.AddFolder(name, type, EntryIdOf(entry, "entryId", at));
    if (const Json* items = MemberOf(entry, "items")) {
      ForEachElement(
          *items, PathOf(at, "items"),
          [&](const Json& item, const std::string& itemPath) { ReadItem(item, folder, itemPath); });
    }
    if (const Json* subfolders = MemberOf(entry, "folders")) {
      ReadFolders(*subfolders, *folder, PathOf(at, "folders"));
    }
  });
}

void MailboxReader::ReadItem(const Json& json, const FolderPtr& folder, const std::string& path) {
  RequireObject(json, path);
  std::u16string messageClass;
  if (const Json* given = MemberOf(json, kMessageClass)) {
    messageClass = JsonValueCodec::DecodeText(*given, PathOf(path, kMessageClass));
  }
  ItemPtr item = folder->NewItem(messageClass);
  PropertyBag properties;
  for (const auto& [key, value] : json.items()) {
    if (key == kEntryId || key == kMessageClass) continue;
    const std::string& name = key;  // clang 14 cannot capture a structured binding
    const auto member = std::find_if(std::begin(kItemMembers), std::end(kItemMembers),
                                     [&](const ItemMember& m) { return m.key == name; });
    if (member != std::end(kItemMembers)) {
      member->read(value, *item, PathOf(path, key));
    } else {
      MailboxJson::ReadProperty(key, value, properties, PathOf(path, key));
    }
  }
  if (const Json* recurring = MemberOf(json, kIsRecurring)) {
    if (recurring->get<bool>() != item->Recurrence().has_value()) {
      ThrowAt(PathOf(path, kIsRecurring),
              "IsRecurring must be true exactly when the item has a "
              "RecurrencePattern");
    }
  }
  item->Restore(EntryIdOf(json, kEntryId, path), std::move(properties));
}

void MailboxReader::ReadAddressBook(const Json& json, const std::string& path) {
  ForEachElement(json, path, [&](const Json& entry, const std::string& at) {
    RequireKeys(entry, {"entryId", "name", "smtpAddress"}, at);
    AddressEntry address;
    address.entryId =
        JsonValueCodec::DecodeHex(RequiredMember(entry, "entryId", at), PathOf(at, "entryId"));
    if (address.entryId.empty()) ThrowAt(PathOf(at, "entryId"), "an entry id cannot be empty");
    if (mailbox_->Addresses().Find(address.entryId)) {
      ThrowAt(PathOf(at, "entryId"), "the entry id is already in the address book");
    }
    if (const Json* name = MemberOf(entry, "name")) {
      address.name = JsonValueCodec::DecodeText(*name, PathOf(at, "name"));
    }
    if (const Json* smtp = MemberOf(entry, "smtpAddress")) {
      address.smtpAddress = JsonValueCodec::DecodeText(*smtp, PathOf(at, "smtpAddress"));
    }
    mailbox_->Addresses().Add(std::move(address));
  });
}

}  // namespace kelvra::store
