#include "store/MailboxJson.h"

#include <algorithm>

#include "store/Base64.h"
#include "store/GuidText.h"
#include "store/PropertySchema.h"
#include "store/RecurrenceFields.h"

namespace kelvra::store {

std::string PathOf(const std::string& path, std::string_view key) {
  std::string result = path + "/";
  for (const char c : key) {
    if (c == '~') {
      result += "~0";
    } else if (c == '/') {
      result += "~1";
    } else {
      result.push_back(c);
    }
  }
  return result;
}

std::string PathOf(const std::string& path, std::size_t index) {
  return path + "/" + std::to_string(index);
}

const Json& RequireArray(const Json& json, const std::string& path) {
  if (!json.is_array()) ThrowAt(path, "expected an array, got " + json.dump());
  return json;
}

const Json& RequireObject(const Json& json, const std::string& path) {
  if (!json.is_object()) ThrowAt(path, "expected an object, got " + json.dump());
  return json;
}

void RequireKeys(const Json& object, std::initializer_list<std::string_view> allowed,
                 const std::string& path) {
  for (const auto& [key, value] : RequireObject(object, path).items()) {
    if (std::find(allowed.begin(), allowed.end(), key) == allowed.end()) {
      ThrowAt(PathOf(path, key), "unknown key \"" + key + "\"");
    }
  }
}

const Json* MemberOf(const Json& object, std::string_view key) {
  const auto found = object.find(key);
  return found == object.end() ? nullptr : &*found;
}

const Json& RequiredMember(const Json& object, std::string_view key, const std::string& path) {
  const Json* member = MemberOf(object, key);
  if (member == nullptr) ThrowAt(path, "missing \"" + std::string(key) + "\"");
  return *member;
}

void MailboxJson::ReadProperty(const std::string& name, const Json& value, PropertyBag& bag,
                               const std::string& path) {
  const PropertyInfo* info = PropertySchema::Find(name);
  const std::string_view spelling = info ? info->name : std::string_view(name);
  if (bag.Contains(spelling)) ThrowAt(path, "the property \"" + name + "\" is given twice");
  bag.Set(spelling,
          info ? JsonValueCodec::Decode(value, info->type, path) : Value::Json(value.dump()));
}

void MailboxJson::WriteProperties(const PropertyBag& bag, Json& object, const std::string& path) {
  for (const auto& [name, value] : bag) {
    if (!value.IsEmpty()) object[name] = JsonValueCodec::Encode(value, PathOf(path, name));
  }
}

Attachment MailboxJson::ReadAttachment(const Json& json, const std::string& path) {
  RequireKeys(json, {"FileName", "Type", "Data", "MapiProperties"}, path);
  Attachment attachment;
  if (const Json* name = MemberOf(json, "FileName")) {
    attachment.fileName = JsonValueCodec::DecodeText(*name, PathOf(path, "FileName"));
  }
  if (const Json* type = MemberOf(json, "Type")) {
    attachment.type = JsonValueCodec::DecodeLong(*type, PathOf(path, "Type"));
  }
  if (const Json* data = MemberOf(json, "Data")) {
    const std::string dataPath = PathOf(path, "Data");
    if (!data->is_string()) ThrowAt(dataPath, "expected Base64 text, got " + data->dump());
    const auto bytes = Base64::Decode(data->get_ref<const std::string&>());
    if (!bytes) ThrowAt(dataPath, "the Base64 text is malformed");
    attachment.bytes = *bytes;
  }
  if (const Json* props = MemberOf(json, "MapiProperties")) {
    attachment.mapiProperties = ReadTagged(*props, PathOf(path, "MapiProperties"));
  }
  return attachment;
}

Json MailboxJson::WriteAttachment(const Attachment& attachment, const std::string& path) {
  Json json = Json::object();
  json["FileName"] = JsonValueCodec::Encode(Value::Text(attachment.fileName), path);
  json["Type"] = attachment.type;
  json["Data"] = Base64::Encode(attachment.bytes);
  if (!attachment.mapiProperties.empty()) {
    json["MapiProperties"] = WriteTagged(attachment.mapiProperties, PathOf(path, "MapiProperties"));
  }
  return json;
}

Recipient MailboxJson::ReadRecipient(const Json& json, const std::string& path) {
  RequireKeys(json, {"Type", "Name", "Address"}, path);
  Recipient recipient;
  if (const Json* type = MemberOf(json, "Type")) {
    recipient.type = JsonValueCodec::DecodeLong(*type, PathOf(path, "Type"));
  }
  if (const Json* name = MemberOf(json, "Name")) {
    recipient.name = JsonValueCodec::DecodeText(*name, PathOf(path, "Name"));
  }
  if (const Json* address = MemberOf(json, "Address")) {
    recipient.address = JsonValueCodec::DecodeText(*address, PathOf(path, "Address"));
  }
  return recipient;
}

Json MailboxJson::WriteRecipient(const Recipient& recipient) {
  Json json = Json::object();
  json["Type"] = recipient.type;
  json["Name"] = JsonValueCodec::Encode(Value::Text(recipient.name), {});
  json["Address"] = JsonValueCodec::Encode(Value::Text(recipient.address), {});
  return json;
}

RecurrencePattern MailboxJson::ReadPattern(const Json& json, const std::string& path) {
  RecurrencePattern pattern;
  for (const auto& [key, value] : RequireObject(json, path).items()) {
    const std::string& name = key;  // clang 14 cannot capture a structured binding
    const auto field = std::find_if(kRecurrenceFields.begin(), kRecurrenceFields.end(),
                                    [&](const RecurrenceField& f) { return f.name == name; });
    if (field == kRecurrenceFields.end()) ThrowAt(PathOf(path, key), "unknown key \"" + key + "\"");
    field->Write(pattern,
                 JsonValueCodec::Decode(value, field->Type(), PathOf(path, key), field->timeOfDay));
  }
  return pattern;
}

Json MailboxJson::WritePattern(const RecurrencePattern& pattern, const std::string& path) {
  Json json = Json::object();
  for (const RecurrenceField& field : kRecurrenceFields) {
    const std::string name(field.name);
    json[name] = JsonValueCodec::Encode(field.Read(pattern), PathOf(path, name), field.timeOfDay);
  }
  return json;
}

RecurrenceException MailboxJson::ReadException(const Json& json, const std::string& path) {
  RecurrenceException exception;
  exception.originalDate =
      JsonValueCodec::Decode(RequiredMember(RequireObject(json, path), "OriginalDate", path),
                             ValueType::Date, PathOf(path, "OriginalDate"))
          .AsDate();
  for (const auto& [key, value] : json.items()) {
    if (key == "OriginalDate") continue;
    if (key == "Deleted") {
      exception.deleted =
          JsonValueCodec::Decode(value, ValueType::Bool, PathOf(path, key)).AsBool();
    } else {
      ReadProperty(key, value, exception.changes, PathOf(path, key));
    }
  }
  return exception;
}

Json MailboxJson::WriteException(const RecurrenceException& exception, const std::string& path) {
  Json json = Json::object();
  json["OriginalDate"] =
      JsonValueCodec::Encode(Value::Date(exception.originalDate), PathOf(path, "OriginalDate"));
  json["Deleted"] = exception.deleted;
  WriteProperties(exception.changes, json, path);
  return json;
}

std::map<NamedPropertyKey, NamedValue> MailboxJson::ReadNamed(const Json& json,
                                                              const std::string& path) {
  std::map<NamedPropertyKey, NamedValue> named;
  std::size_t index = 0;
  for (const Json& entry : RequireArray(json, path)) {
    const std::string at = PathOf(path, index++);
    RequireKeys(entry, {"set", "id", "type", "value"}, at);
    const Json& set = RequiredMember(entry, "set", at);
    const auto guid =
        set.is_string() ? GuidText::Parse(set.get_ref<const std::string&>()) : std::nullopt;
    if (!guid) ThrowAt(PathOf(at, "set"), "expected a GUID in braces, got " + set.dump());
    const std::uint32_t id =
        JsonValueCodec::DecodeNumber(RequiredMember(entry, "id", at), PathOf(at, "id"));
    const std::uint32_t type =
        JsonValueCodec::DecodeNumber(RequiredMember(entry, "type", at), PathOf(at, "type"));
    if (type > 0xFFFF) ThrowAt(PathOf(at, "type"), "a MAPI type has 16 bits");
    const NamedPropertyKey key{*guid, static_cast<std::int32_t>(id)};
    const auto mapiType = static_cast<std::uint16_t>(type);
    NamedValue value{mapiType,
                     JsonValueCodec::Decode(RequiredMember(entry, "value", at),
                                            ValueTypeOfMapiType(mapiType), PathOf(at, "value"))};
    if (!named.emplace(key, std::move(value)).second) ThrowAt(at, "the property is given twice");
  }
  return named;
}

Json MailboxJson::WriteNamed(const std::map<NamedPropertyKey, NamedValue>& named,
                             const std::string& path) {
  Json json = Json::array();
  for (const auto& [key, value] : named) {
    const std::string at = PathOf(path, json.size());
    Json entry = Json::object();
    entry["set"] = GuidText::Of(key.propertySet);
    entry["id"] = JsonValueCodec::EncodeNumber(static_cast<std::uint32_t>(key.id), 4);
    entry["type"] = JsonValueCodec::EncodeNumber(value.mapiType, 4);
    entry["value"] = JsonValueCodec::Encode(value.value, PathOf(at, "value"));
    json.push_back(std::move(entry));
  }
  return json;
}

std::map<std::uint32_t, Value> MailboxJson::ReadTagged(const Json& json, const std::string& path) {
  std::map<std::uint32_t, Value> tagged;
  std::size_t index = 0;
  for (const Json& entry : RequireArray(json, path)) {
    const std::string at = PathOf(path, index++);
    RequireKeys(entry, {"tag", "value"}, at);
    const std::uint32_t tag =
        JsonValueCodec::DecodeNumber(RequiredMember(entry, "tag", at), PathOf(at, "tag"));
    Value value = JsonValueCodec::Decode(RequiredMember(entry, "value", at),
                                         ValueTypeOfMapiType(PropTypeOf(tag)), PathOf(at, "value"));
    if (!tagged.emplace(tag, std::move(value)).second) ThrowAt(at, "the tag is given twice");
  }
  return tagged;
}

Json MailboxJson::WriteTagged(const std::map<std::uint32_t, Value>& tagged,
                              const std::string& path) {
  Json json = Json::array();
  for (const auto& [tag, value] : tagged) {
    const std::string at = PathOf(path, json.size());
    Json entry = Json::object();
    entry["tag"] = JsonValueCodec::EncodeNumber(tag, 8);
    entry["value"] = JsonValueCodec::Encode(value, PathOf(at, "value"));
    json.push_back(std::move(entry));
  }
  return json;
}

}  // namespace kelvra::store
