#include "store/NamedPropertyIds.h"

#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "store/CurrentMailbox.h"

namespace kelvra::store {

namespace {

constexpr std::uint32_t kFirstNumber = 0x8000;
constexpr std::uint32_t kLastNumber = 0xFFFE;

constexpr GUID kAppointmentSet = propertyset::kAppointment;
constexpr GUID kCommonSet = propertyset::kCommon;
constexpr GUID kMeetingSet = propertyset::kMeeting;

const std::vector<NamedPropertyKey>& CalendarNames() {
  static const std::vector<NamedPropertyKey> names{
      {kAppointmentSet, 0x820D}, {kAppointmentSet, 0x820E}, {kAppointmentSet, 0x8214},
      {kAppointmentSet, 0x8233}, {kAppointmentSet, 0x8234}, {kAppointmentSet, 0x8235},
      {kAppointmentSet, 0x8236}, {kCommonSet, 0x8502},      {kCommonSet, 0x8516},
      {kCommonSet, 0x8517},      {kCommonSet, 0x8560},      {kMeetingSet, 0x0003},
  };
  return names;
}

class Numbering {
 public:
  static Numbering& OfCurrentMailbox() {
    static Numbering numbering;
    const MailboxPtr mailbox = CurrentMailbox::Get();
    if (numbering.mailbox_.lock() != mailbox) numbering.Restart(mailbox);
    return numbering;
  }

  std::optional<std::uint16_t> Find(const NamedPropertyKey& key) const {
    const auto found = numbers_.find(key);
    if (found == numbers_.end()) return std::nullopt;
    return found->second;
  }

  std::optional<std::uint16_t> FindOrAssign(const NamedPropertyKey& key) {
    if (auto found = Find(key)) return found;
    const std::uint32_t number = kFirstNumber + static_cast<std::uint32_t>(keys_.size());
    if (number > kLastNumber) return std::nullopt;
    keys_.push_back(key);
    numbers_.emplace(key, static_cast<std::uint16_t>(number));
    return static_cast<std::uint16_t>(number);
  }

  std::optional<NamedPropertyKey> KeyOf(std::uint16_t number) const {
    if (number < kFirstNumber || number - kFirstNumber >= keys_.size()) return std::nullopt;
    return keys_[number - kFirstNumber];
  }

 private:
  void Restart(const MailboxPtr& mailbox) {
    mailbox_ = mailbox;
    keys_.clear();
    numbers_.clear();
    for (const NamedPropertyKey& key : CalendarNames()) FindOrAssign(key);
  }

  std::weak_ptr<Mailbox> mailbox_;
  std::vector<NamedPropertyKey> keys_;
  std::map<NamedPropertyKey, std::uint16_t> numbers_;
};

std::mutex& NumberingMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

std::optional<std::uint16_t> NamedPropertyIds::Find(const NamedPropertyKey& key) {
  std::lock_guard lock(NumberingMutex());
  return Numbering::OfCurrentMailbox().Find(key);
}

std::optional<std::uint16_t> NamedPropertyIds::FindOrAssign(const NamedPropertyKey& key) {
  std::lock_guard lock(NumberingMutex());
  return Numbering::OfCurrentMailbox().FindOrAssign(key);
}

std::optional<NamedPropertyKey> NamedPropertyIds::KeyOf(std::uint16_t number) {
  std::lock_guard lock(NumberingMutex());
  return Numbering::OfCurrentMailbox().KeyOf(number);
}

}  // namespace kelvra::store
