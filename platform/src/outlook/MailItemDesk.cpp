#include "outlook/MailItemDesk.h"

namespace kelvra::outlook {

MailItemDesk& MailItemDesk::Instance() {
  static auto* desk = new MailItemDesk;
  return *desk;
}

MailRecordPtr MailItemDesk::Open() {
  auto mail = std::make_shared<MailRecord>();
  std::lock_guard lock(mutex_);
  mails_.push_back(mail);
  return mail;
}

void MailItemDesk::Update(const MailRecordPtr& mail,
                          const std::function<void(MailRecord&)>& change) {
  std::lock_guard lock(mutex_);
  change(*mail);
}

MailRecord MailItemDesk::Copy(const MailRecordPtr& mail) const {
  std::lock_guard lock(mutex_);
  return *mail;
}

std::vector<MailRecord> MailItemDesk::Mails() const {
  std::lock_guard lock(mutex_);
  std::vector<MailRecord> copies;
  for (const MailRecordPtr& mail : mails_) copies.push_back(*mail);
  return copies;
}

void MailItemDesk::Reset() {
  std::lock_guard lock(mutex_);
  mails_.clear();
}

}  // namespace kelvra::outlook
