#include "nls/IconvDescriptor.h"

#include <cerrno>
#include <map>
#include <utility>

namespace kelvra::platform {
namespace {

constexpr std::size_t kChunk = 4096;

}  // namespace

IconvDescriptor::IconvDescriptor(const char* to, const char* from)
    : handle_(iconv_open(to, from)) {}

IconvDescriptor::~IconvDescriptor() {
  if (IsOpen()) iconv_close(handle_);
}

IconvDescriptor::IconvDescriptor(IconvDescriptor&& other) noexcept
    : handle_(std::exchange(other.handle_, kClosed)) {}

void IconvDescriptor::Reset() { iconv(handle_, nullptr, nullptr, nullptr, nullptr); }

IconvDescriptor::Outcome IconvDescriptor::Convert(std::string_view input, std::size_t& position,
                                                  std::string& output) {
  char buffer[kChunk];
  while (position < input.size()) {
    // iconv's prototype predates const input, but it never writes through it.
    char* in = const_cast<char*>(input.data()) + position;
    std::size_t inLeft = input.size() - position;
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
    const int error = errno;
    output.append(buffer, static_cast<std::size_t>(out - buffer));
    position = input.size() - inLeft;
    if (result != static_cast<std::size_t>(-1) || error == E2BIG) continue;
    return error == EINVAL ? Outcome::kIncomplete : Outcome::kInvalid;
  }
  return Outcome::kDone;
}

void IconvDescriptor::Flush(std::string& output) {
  char buffer[kChunk];
  char* out = buffer;
  std::size_t outLeft = sizeof buffer;
  iconv(handle_, nullptr, nullptr, &out, &outLeft);
  output.append(buffer, static_cast<std::size_t>(out - buffer));
}

IconvDescriptor& IconvDescriptor::ForThread(const char* to, const char* from) {
  thread_local std::map<std::pair<std::string, std::string>, IconvDescriptor> descriptors;
  auto [entry, added] = descriptors.try_emplace({to, from}, to, from);
  if (!added) entry->second.Reset();
  return entry->second;
}

}  // namespace kelvra::platform
