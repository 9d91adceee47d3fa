#include "store/ItemType.h"

#include <array>

namespace kelvra::store {

namespace {

constexpr std::array<std::u16string_view, 8> kMessageClasses{
    u"IPM.Note",     u"IPM.Appointment", u"IPM.Contact", u"IPM.Task",
    u"IPM.Activity", u"IPM.StickyNote",  u"IPM.Post",    u"IPM.DistList"};

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? c - u'A' + u'a' : c; }

// "IPM.Contact" matches "ipm.contact" and "IPM.Contact.Custom", not
// "IPM.ContactX".
bool IsClassOrSubclass(std::u16string_view messageClass, std::u16string_view base) {
  if (messageClass.size() < base.size()) return false;
  for (std::size_t i = 0; i < base.size(); ++i) {
    if (Lower(messageClass[i]) != Lower(base[i])) return false;
  }
  return messageClass.size() == base.size() || messageClass[base.size()] == u'.';
}

}  // namespace

bool ItemType::IsKnown(std::int32_t itemType) {
  return itemType >= 0 && itemType < static_cast<std::int32_t>(kMessageClasses.size());
}

std::u16string ItemType::MessageClassOf(std::int32_t itemType) {
  return IsKnown(itemType) ? std::u16string(kMessageClasses[itemType]) : std::u16string();
}

std::int32_t ItemType::OfMessageClass(std::u16string_view messageClass) {
  for (std::size_t type = 0; type < kMessageClasses.size(); ++type) {
    if (IsClassOrSubclass(messageClass, kMessageClasses[type])) {
      return static_cast<std::int32_t>(type);
    }
  }
  return itemtype::kMail;
}

std::int32_t ItemType::OfDefaultFolder(std::int32_t defaultFolder) {
  switch (defaultFolder) {
    case defaultfolder::kInbox:
      return itemtype::kMail;
    case defaultfolder::kCalendar:
      return itemtype::kAppointment;
    case defaultfolder::kContacts:
      return itemtype::kContact;
    case defaultfolder::kJournal:
      return itemtype::kJournal;
    case defaultfolder::kNotes:
      return itemtype::kNote;
    case defaultfolder::kTasks:
      return itemtype::kTask;
    default:
      return -1;
  }
}

}  // namespace kelvra::store
