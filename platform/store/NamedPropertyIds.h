// The mailbox-wide numbering of named properties: each (property set, id) name a
// mailbox knows has a property number of 0x8000 or above, the high word of its tag.
// Outlook's calendar names are known from the start, as in any mailbox that holds a
// calendar; other names become known when created or when an item carries them.
// A new current mailbox starts a new numbering.
#pragma once

#include <cstdint>
#include <optional>

#include "store/MapiProperty.h"

namespace kelvra::store {

namespace propertyset {
inline constexpr GUID kAppointment{
    0x00062002, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr GUID kCommon{
    0x00062008, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr GUID kMeeting{
    0x6ED8DA90, 0x450B, 0x101B, {0x98, 0xDA, 0x00, 0xAA, 0x00, 0x3F, 0x13, 0x05}};
}  // namespace propertyset

// An appointment's start and end, UTC.
inline constexpr NamedPropertyKey kAppointmentStart{propertyset::kAppointment, 0x820D};
inline constexpr NamedPropertyKey kAppointmentEnd{propertyset::kAppointment, 0x820E};
// The zone the appointment was entered in: a 48-byte zone record.
inline constexpr NamedPropertyKey kAppointmentTimeZone{propertyset::kAppointment, 0x8233};

class NamedPropertyIds {
 public:
  static std::optional<std::uint16_t> Find(const NamedPropertyKey& key);
  // Nothing when all numbers are taken.
  static std::optional<std::uint16_t> FindOrAssign(const NamedPropertyKey& key);
  static std::optional<NamedPropertyKey> KeyOf(std::uint16_t number);
};

}  // namespace kelvra::store
