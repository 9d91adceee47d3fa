#include "store/CurrentMailbox.h"

#include <mutex>

#include "store/Mailbox.h"

namespace kelvra::store {

namespace {

struct Current {
  std::mutex mutex;
  MailboxPtr mailbox = Mailbox::CreateStandard();
};

Current& TheCurrent() {
  static Current current;
  return current;
}

}  // namespace

MailboxPtr CurrentMailbox::Get() {
  Current& current = TheCurrent();
  std::lock_guard lock(current.mutex);
  return current.mailbox;
}

void CurrentMailbox::Replace(MailboxPtr mailbox) {
  Current& current = TheCurrent();
  std::lock_guard lock(current.mutex);
  current.mailbox = std::move(mailbox);
}

}  // namespace kelvra::store
