#include "crt/TextModeStream.h"

#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

namespace kelvra::platform {
namespace {

constexpr std::size_t kChunk = 4096;

bool WriteAll(int fd, const std::string& bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

TextModeStream::TextModeStream(UniqueFd fd) : fd_(std::move(fd)) {}

FILE* TextModeStream::Open(UniqueFd fd, const char* stdioMode) {
  auto* stream = new TextModeStream(std::move(fd));
  const cookie_io_functions_t hooks{ReadHook, WriteHook, SeekHook, CloseHook};
  FILE* file = fopencookie(stream, stdioMode, hooks);
  if (file == nullptr) {
    delete stream;
    return nullptr;
  }
  // stdio's own buffer would count positions in translated characters.
  setvbuf(file, nullptr, _IONBF, 0);
  return file;
}

ssize_t TextModeStream::ReadHook(void* cookie, char* buffer, std::size_t size) {
  return static_cast<TextModeStream*>(cookie)->Read(buffer, size);
}

ssize_t TextModeStream::WriteHook(void* cookie, const char* buffer, std::size_t size) {
  return static_cast<TextModeStream*>(cookie)->Write(buffer, size);
}

int TextModeStream::SeekHook(void* cookie, off64_t* offset, int whence) {
  return static_cast<TextModeStream*>(cookie)->Seek(offset, whence);
}

int TextModeStream::CloseHook(void* cookie) {
  auto* stream = static_cast<TextModeStream*>(cookie);
  const int result = ::close(stream->fd_.Release()) == 0 ? 0 : EOF;
  delete stream;
  return result;
}

ssize_t TextModeStream::Read(char* buffer, std::size_t size) {
  std::size_t out = 0;
  bool ended = false;
  while (out < size) {
    // A CR alone in the look-ahead may be the first half of a CR LF: look further.
    const bool needMore = Unread() == 0 || (Unread() == 1 && lookAhead_[lookAheadPos_] == '\r');
    if (needMore && !ended) {
      const ssize_t got = Fill();
      if (got < 0) return out > 0 ? static_cast<ssize_t>(out) : -1;
      ended = got == 0;
    }
    if (Unread() == 0) break;
    if (lookAhead_[lookAheadPos_] == '\r' && Unread() > 1 && lookAhead_[lookAheadPos_ + 1] == '\n')
      ++lookAheadPos_;
    buffer[out++] = lookAhead_[lookAheadPos_++];
  }
  return static_cast<ssize_t>(out);
}

ssize_t TextModeStream::Fill() {
  lookAhead_.erase(lookAhead_.begin(),
                   lookAhead_.begin() + static_cast<std::ptrdiff_t>(lookAheadPos_));
  lookAheadPos_ = 0;
  const std::size_t kept = lookAhead_.size();
  lookAhead_.resize(kept + kChunk);
  ssize_t got = 0;
  do {
    got = ::read(fd_.Get(), lookAhead_.data() + kept, kChunk);
  } while (got < 0 && errno == EINTR);
  lookAhead_.resize(kept + static_cast<std::size_t>(got > 0 ? got : 0));
  return got;
}

bool TextModeStream::DropLookAhead() {
  const auto unread = static_cast<off_t>(Unread());
  lookAhead_.clear();
  lookAheadPos_ = 0;
  return unread == 0 || ::lseek(fd_.Get(), -unread, SEEK_CUR) >= 0;
}

// stdio counts a write in the caller's characters, so success reports `size`; a
// write that fails part-way is a failure (0), as the caller cannot resume it.
ssize_t TextModeStream::Write(const char* buffer, std::size_t size) {
  if (!DropLookAhead()) return 0;
  std::string bytes;
  bytes.reserve(size + size / 8);
  for (std::size_t i = 0; i < size; ++i) {
    if (buffer[i] == '\n') bytes += '\r';
    bytes += buffer[i];
  }
  return WriteAll(fd_.Get(), bytes) ? static_cast<ssize_t>(size) : 0;
}

int TextModeStream::Seek(off64_t* offset, int whence) {
  off64_t target = *offset;
  if (whence == SEEK_CUR) {
    const off64_t here = ::lseek(fd_.Get(), 0, SEEK_CUR);
    if (here < 0) return -1;
    target += here - static_cast<off64_t>(Unread());
    whence = SEEK_SET;
  }
  lookAhead_.clear();
  lookAheadPos_ = 0;
  const off64_t result = ::lseek(fd_.Get(), target, whence);
  if (result < 0) return -1;
  *offset = result;
  return 0;
}

}  // namespace kelvra::platform
