#include "store/PropertySchema.h"

#include <array>
#include <unordered_map>

#include "store/PropertyBag.h"

namespace kelvra::store {

namespace {

constexpr PropertyInfo TextProperty(std::string_view name) { return {name, ValueType::Text, 0}; }
constexpr PropertyInfo LongProperty(std::string_view name, std::int32_t absent = 0) {
  return {name, ValueType::Long, absent};
}
constexpr PropertyInfo BoolProperty(std::string_view name) { return {name, ValueType::Bool, 0}; }
constexpr PropertyInfo DateProperty(std::string_view name) { return {name, ValueType::Date, 0}; }
constexpr PropertyInfo BinaryProperty(std::string_view name) {
  return {name, ValueType::Binary, 0};
}

// Contacts, distribution lists, appointments and mail, by the object model's
// names.
constexpr std::array kProperties{
    // Shared by every item type.
    TextProperty("Body"),
    TextProperty("Categories"),
    LongProperty("Sensitivity"),
    LongProperty("Importance", 1),
    DateProperty("LastModificationTime"),
    // Contacts.
    TextProperty("FirstName"),
    TextProperty("MiddleName"),
    TextProperty("LastName"),
    TextProperty("Title"),
    TextProperty("Suffix"),
    TextProperty("FullName"),
    TextProperty("FileAs"),
    TextProperty("NickName"),
    TextProperty("CompanyName"),
    TextProperty("Department"),
    TextProperty("JobTitle"),
    TextProperty("Profession"),
    TextProperty("ManagerName"),
    TextProperty("AssistantName"),
    TextProperty("Spouse"),
    TextProperty("NetMeetingServer"),
    TextProperty("NetMeetingAlias"),
    TextProperty("InternetFreeBusyAddress"),
    TextProperty("PersonalHomePage"),
    TextProperty("BusinessHomePage"),
    TextProperty("IMAddress"),
    TextProperty("BusinessTelephoneNumber"),
    TextProperty("Business2TelephoneNumber"),
    TextProperty("BusinessFaxNumber"),
    TextProperty("HomeTelephoneNumber"),
    TextProperty("Home2TelephoneNumber"),
    TextProperty("HomeFaxNumber"),
    TextProperty("MobileTelephoneNumber"),
    TextProperty("CarTelephoneNumber"),
    TextProperty("OtherTelephoneNumber"),
    TextProperty("OtherFaxNumber"),
    TextProperty("PagerNumber"),
    TextProperty("ISDNNumber"),
    TextProperty("PrimaryTelephoneNumber"),
    TextProperty("CompanyMainTelephoneNumber"),
    TextProperty("OfficeLocation"),
    TextProperty("BusinessAddressPostOfficeBox"),
    TextProperty("BusinessAddressStreet"),
    TextProperty("BusinessAddressCity"),
    TextProperty("BusinessAddressState"),
    TextProperty("BusinessAddressPostalCode"),
    TextProperty("BusinessAddressCountry"),
    TextProperty("HomeAddressPostOfficeBox"),
    TextProperty("HomeAddressStreet"),
    TextProperty("HomeAddressCity"),
    TextProperty("HomeAddressState"),
    TextProperty("HomeAddressPostalCode"),
    TextProperty("HomeAddressCountry"),
    TextProperty("OtherAddressPostOfficeBox"),
    TextProperty("OtherAddressStreet"),
    TextProperty("OtherAddressCity"),
    TextProperty("OtherAddressState"),
    TextProperty("OtherAddressPostalCode"),
    TextProperty("OtherAddressCountry"),
    TextProperty("Email1Address"),
    TextProperty("Email2Address"),
    TextProperty("Email3Address"),
    TextProperty("Email1AddressType"),
    TextProperty("Email2AddressType"),
    TextProperty("Email3AddressType"),
    BinaryProperty("Email1EntryID"),
    BinaryProperty("Email2EntryID"),
    BinaryProperty("Email3EntryID"),
    DateProperty("Birthday"),
    DateProperty("Anniversary"),
    BoolProperty("HasPicture"),
    // Distribution lists.
    TextProperty("DLName"),
    // Appointments.
    DateProperty("Start"),
    DateProperty("End"),
    LongProperty("Duration", 30),
    TextProperty("Subject"),
    TextProperty("Location"),
    TextProperty("Resources"),
    LongProperty("BusyStatus", 2),
    LongProperty("MeetingStatus"),
    BoolProperty("AllDayEvent"),
    BoolProperty("ReminderSet"),
    LongProperty("ReminderMinutesBeforeStart"),
    // Mail.
    TextProperty("SenderName"),
    TextProperty("SenderEmailAddress"),
    DateProperty("ReceivedTime"),
};

using SchemaIndex = std::unordered_map<std::string_view, const PropertyInfo*, IgnoreAsciiCaseHash,
                                       IgnoreAsciiCaseEqual>;

// Every property read of an absent value asks here, so look up by hash.
const SchemaIndex& Index() {
  static const SchemaIndex index = [] {
    SchemaIndex built;
    for (const PropertyInfo& info : kProperties) built.emplace(info.name, &info);
    return built;
  }();
  return index;
}

}  // namespace

const PropertyInfo* PropertySchema::Find(std::string_view name) {
  const auto found = Index().find(name);
  return found == Index().end() ? nullptr : found->second;
}

Value PropertySchema::DefaultOf(std::string_view name) {
  const PropertyInfo* info = Find(name);
  if (info == nullptr) return Value();
  switch (info->type) {
    case ValueType::Text:
      return Value::Text({});
    case ValueType::Long:
      return Value::Long(info->longDefault);
    case ValueType::Bool:
      return Value::Bool(false);
    case ValueType::Date:
      return Value::Date(kNoDate);
    case ValueType::Binary:
      return Value::Binary({});
    case ValueType::Empty:
    case ValueType::Json:
      break;
  }
  return Value();
}

}  // namespace kelvra::store
