#include "store/Attachment.h"

namespace kelvra::store {

bool Attachment::IsContactPhoto() const {
  const auto flag = mapiProperties.find(kTagAttachmentContactPhoto);
  return flag != mapiProperties.end() && flag->second.AsBool();
}

}  // namespace kelvra::store
