// Shapes shared by the mailbox file's reader and writer: JSON paths, the checks
// of an object's keys, and the object forms of the parts of an item.
#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "store/Attachment.h"
#include "store/JsonValueCodec.h"
#include "store/MapiProperty.h"
#include "store/PropertyBag.h"
#include "store/Recipient.h"
#include "store/Recurrence.h"

namespace kelvra::store {

// The JSON pointer of a member or an element below `path`.
std::string PathOf(const std::string& path, std::string_view key);
std::string PathOf(const std::string& path, std::size_t index);

const Json& RequireArray(const Json& json, const std::string& path);
const Json& RequireObject(const Json& json, const std::string& path);
// Rejects any key not listed, so that a misspelt key is reported, not ignored.
void RequireKeys(const Json& object, std::initializer_list<std::string_view> allowed,
                 const std::string& path);
// The member, or nullptr when the object lacks it.
const Json* MemberOf(const Json& object, std::string_view key);
const Json& RequiredMember(const Json& object, std::string_view key, const std::string& path);

class MailboxJson {
 public:
  // Known names take their type from the store's schema (and their spelling);
  // other names keep their JSON as it stands. A name given twice (in any case)
  // is an error.
  static void ReadProperty(const std::string& name, const Json& value, PropertyBag& bag,
                           const std::string& path);
  static void WriteProperties(const PropertyBag& bag, Json& object, const std::string& path);

  static Attachment ReadAttachment(const Json& json, const std::string& path);
  static Json WriteAttachment(const Attachment& attachment, const std::string& path);
  static Recipient ReadRecipient(const Json& json, const std::string& path);
  static Json WriteRecipient(const Recipient& recipient);
  static RecurrencePattern ReadPattern(const Json& json, const std::string& path);
  static Json WritePattern(const RecurrencePattern& pattern, const std::string& path);
  static RecurrenceException ReadException(const Json& json, const std::string& path);
  static Json WriteException(const RecurrenceException& exception, const std::string& path);

  static std::map<NamedPropertyKey, NamedValue> ReadNamed(const Json& json,
                                                          const std::string& path);
  static Json WriteNamed(const std::map<NamedPropertyKey, NamedValue>& named,
                         const std::string& path);
  static std::map<std::uint32_t, Value> ReadTagged(const Json& json, const std::string& path);
  static Json WriteTagged(const std::map<std::uint32_t, Value>& tagged, const std::string& path);
};

}  // namespace kelvra::store
