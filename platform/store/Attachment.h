// A file attached to an item, with its bytes and its MAPI properties by tag
// (0x7FFF000B marks a contact's photo). Items hand attachments out shared and
// never change one once added, so readers need no lock (AddPicture replaces,
// not edits).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "store/Value.h"

namespace kelvra::store {

inline constexpr std::uint32_t kTagAttachmentContactPhoto = 0x7FFF000B;
inline constexpr std::int32_t kAttachByValue = 1;

struct Attachment {
  std::u16string fileName;
  std::int32_t type = kAttachByValue;
  Bytes bytes;
  std::map<std::uint32_t, Value> mapiProperties;

  bool IsContactPhoto() const;
  bool operator==(const Attachment&) const = default;
};

using AttachmentPtr = std::shared_ptr<Attachment>;

}  // namespace kelvra::store
