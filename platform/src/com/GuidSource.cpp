#include "com/GuidSource.h"

#include <cstring>

#include "com/hresult.h"
#include "com/objbase.h"

namespace kelvra::com {

GuidSource& GuidSource::Instance() {
  static auto* source = new GuidSource;
  return *source;
}

GUID GuidSource::Next() {
  std::lock_guard lock(mutex_);
  if (!sequence_.empty()) {
    const GUID guid = sequence_[next_];
    next_ = (next_ + 1) % sequence_.size();
    return guid;
  }
  return Drawn();
}

// A random (version 4) GUID, as Windows makes them.
GUID GuidSource::Drawn() {
  static std::random_device device;
  std::uint8_t bytes[16];
  for (std::size_t i = 0; i < sizeof bytes; i += 8) {
    const std::uint64_t word =
        seeded_.has_value() ? (*seeded_)() : (std::uint64_t{device()} << 32) | device();
    std::memcpy(bytes + i, &word, 8);
  }
  GUID guid{};
  std::memcpy(&guid, bytes, sizeof guid);
  guid.Data3 = static_cast<WORD>((guid.Data3 & 0x0FFF) | 0x4000);
  guid.Data4[0] = static_cast<BYTE>((guid.Data4[0] & 0x3F) | 0x80);
  return guid;
}

void GuidSource::UseSequence(std::vector<GUID> guids) {
  std::lock_guard lock(mutex_);
  sequence_ = std::move(guids);
  next_ = 0;
}

void GuidSource::UseSeed(std::uint64_t seed) {
  std::lock_guard lock(mutex_);
  sequence_.clear();
  seeded_.emplace(seed);
}

void GuidSource::UseRandom() {
  std::lock_guard lock(mutex_);
  sequence_.clear();
  seeded_.reset();
}

}  // namespace kelvra::com

HRESULT WINAPI CoCreateGuid(GUID* guid) {
  if (guid == nullptr) return E_POINTER;
  *guid = kelvra::com::GuidSource::Instance().Next();
  return S_OK;
}
