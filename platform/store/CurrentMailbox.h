// The process-wide mailbox the stand-in Outlook serves. It starts as the
// standard empty mailbox (Mailbox::CreateStandard).
#pragma once

#include "store/Nodes.h"

namespace kelvra::store {

class CurrentMailbox {
 public:
  static MailboxPtr Get();
  static void Replace(MailboxPtr mailbox);
};

}  // namespace kelvra::store
