#include "store/MailboxWriter.h"

#include "outlook/AppointmentTimes.h"
#include "store/Folder.h"
#include "store/HexText.h"
#include "store/Item.h"
#include "store/Mailbox.h"
#include "store/MailboxJson.h"
#include "store/NamedPropertyIds.h"
#include "store/Store.h"
#include "store/Utf.h"

namespace kelvra::store {

namespace {

// The members an item can have besides its properties: EntryID, MessageClass,
// NamedProperties, MapiProperties, Attachments, Recipients, RecurrencePattern,
// Exceptions.
constexpr std::size_t kItemMembers = 8;

// An object with room for `members`: an ordered object keeps its members in a
// vector that copies them, subtrees and all, when it grows.
Json ObjectWithRoom(std::size_t members) {
  Json json = Json::object();
  json.get_ref<Json::object_t&>().reserve(members);
  return json;
}

template <class Element, class WriteOne>
Json ArrayOf(const std::vector<Element>& elements, const std::string& path, WriteOne writeOne) {
  Json array = Json::array();
  for (const Element& element : elements) {
    array.push_back(writeOne(element, PathOf(path, array.size())));
  }
  return array;
}

}  // namespace

Json MailboxWriter::Write(const Mailbox& mailbox) {
  std::lock_guard lock(mailbox.Lock());
  Json root = ObjectWithRoom(2);
  root["stores"] =
      ArrayOf(mailbox.Stores(), "/stores", [](const StorePtr& store, const std::string& path) {
        Json json = ObjectWithRoom(3);
        json["name"] = Utf::ToUtf8(store->Name());
        json["entryId"] = HexText::Of(store->EntryId());
        json["folders"] = WriteFolders(store->Folders(), PathOf(path, "folders"));
        return json;
      });
  root["addressBook"] = WriteAddressBook(mailbox);
  return root;
}

Json MailboxWriter::WriteFolders(const std::vector<FolderPtr>& folders, const std::string& path) {
  return ArrayOf(folders, path, [](const FolderPtr& folder, const std::string& at) {
    Json json = ObjectWithRoom(5);
    json["name"] = Utf::ToUtf8(folder->Name());
    json["entryId"] = HexText::Of(folder->EntryId());
    json["defaultItemType"] = folder->DefaultItemType();
    json["items"] = ArrayOf(
        folder->Items(), PathOf(at, "items"),
        [](const ItemPtr& item, const std::string& itemPath) { return WriteItem(item, itemPath); });
    json["folders"] = WriteFolders(folder->Folders(), PathOf(at, "folders"));
    return json;
  });
}

Json MailboxWriter::WriteItem(const ItemPtr& itemPtr, const std::string& path) {
  const Item& item = *itemPtr;
  const PropertyBag properties = item.Properties();
  Json json = ObjectWithRoom(kItemMembers + properties.Size());
  json["EntryID"] = HexText::Of(item.EntryId());
  json["MessageClass"] = Utf::ToUtf8(item.MessageClass());
  MailboxJson::WriteProperties(properties, json, path);
  WriteAppointmentTimes(itemPtr, json, path);
  if (const auto named = item.NamedProperties(); !named.empty()) {
    json["NamedProperties"] = MailboxJson::WriteNamed(named, PathOf(path, "NamedProperties"));
  }
  if (const auto tagged = item.TaggedProperties(); !tagged.empty()) {
    json["MapiProperties"] = MailboxJson::WriteTagged(tagged, PathOf(path, "MapiProperties"));
  }
  if (const auto attachments = item.Attachments(); !attachments.empty()) {
    json["Attachments"] = ArrayOf(attachments, PathOf(path, "Attachments"),
                                  [](const AttachmentPtr& attachment, const std::string& at) {
                                    return MailboxJson::WriteAttachment(*attachment, at);
                                  });
  }
  if (const auto recipients = item.Recipients(); !recipients.empty()) {
    json["Recipients"] = ArrayOf(recipients, PathOf(path, "Recipients"),
                                 [](const Recipient& recipient, const std::string&) {
                                   return MailboxJson::WriteRecipient(recipient);
                                 });
  }
  if (const auto pattern = item.Recurrence()) {
    json["RecurrencePattern"] =
        MailboxJson::WritePattern(*pattern, PathOf(path, "RecurrencePattern"));
  }
  if (const auto exceptions = item.Exceptions(); !exceptions.empty()) {
    json["Exceptions"] = ArrayOf(exceptions, PathOf(path, "Exceptions"),
                                 [](const RecurrenceException& exception, const std::string& at) {
                                   return MailboxJson::WriteException(exception, at);
                                 });
  }
  return json;
}

void MailboxWriter::WriteAppointmentTimes(const ItemPtr& item, Json& json,
                                          const std::string& path) {
  const std::optional<NamedValue> start = item->GetNamed(kAppointmentStart);
  const std::optional<NamedValue> end = item->GetNamed(kAppointmentEnd);
  if (!start || !end || start->value.Type() != ValueType::Date ||
      end->value.Type() != ValueType::Date) {
    return;
  }
  // The object model keeps them as UTC named properties; a reader of the file finds
  // them where the file documents them too, as the local times the object model shows.
  const outlook::AppointmentTimes times(item);
  json["Start"] = JsonValueCodec::Encode(Value::Date(times.Start()), PathOf(path, "Start"));
  json["End"] = JsonValueCodec::Encode(Value::Date(times.End()), PathOf(path, "End"));
}

Json MailboxWriter::WriteAddressBook(const Mailbox& mailbox) {
  Json book = Json::array();
  for (const AddressEntry& entry : mailbox.Addresses().Entries()) {
    Json json = Json::object();
    json["entryId"] = HexText::Of(entry.entryId);
    json["name"] = Utf::ToUtf8(entry.name);
    json["smtpAddress"] = Utf::ToUtf8(entry.smtpAddress);
    book.push_back(std::move(json));
  }
  return book;
}

}  // namespace kelvra::store
