// Item types and default folders by their object-model numbers, and the message
// class that goes with each item type.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvra::store {

namespace itemtype {
inline constexpr std::int32_t kMail = 0;
inline constexpr std::int32_t kAppointment = 1;
inline constexpr std::int32_t kContact = 2;
inline constexpr std::int32_t kTask = 3;
inline constexpr std::int32_t kJournal = 4;
inline constexpr std::int32_t kNote = 5;
inline constexpr std::int32_t kPost = 6;
inline constexpr std::int32_t kDistributionList = 7;
}  // namespace itemtype

namespace defaultfolder {
inline constexpr std::int32_t kDeletedItems = 3;
inline constexpr std::int32_t kInbox = 6;
inline constexpr std::int32_t kCalendar = 9;
inline constexpr std::int32_t kContacts = 10;
inline constexpr std::int32_t kJournal = 11;
inline constexpr std::int32_t kNotes = 12;
inline constexpr std::int32_t kTasks = 13;
}  // namespace defaultfolder

class ItemType {
 public:
  static bool IsKnown(std::int32_t itemType);
  // "IPM.Contact" for kContact...; empty for an unknown type.
  static std::u16string MessageClassOf(std::int32_t itemType);
  // The item type a message class stands for, by its first two segments
  // ("IPM.Contact.Custom" is a contact); kMail for any class not recognised.
  static std::int32_t OfMessageClass(std::u16string_view messageClass);
  // The folder item type whose first folder is the given default folder; -1 for
  // a default folder found otherwise (Deleted Items) or not served.
  static std::int32_t OfDefaultFolder(std::int32_t defaultFolder);
};

}  // namespace kelvra::store
