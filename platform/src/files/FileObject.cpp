#include "files/FileObject.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#include <utility>

#include "base/ErrnoMapping.h"
#include "files/FileSteps.h"
#include "files/WriteFaults.h"
#include "win32/files.h"

namespace kelvra::platform {
namespace {

DWORD LastErrnoAsWindowsError() { return WindowsErrorFromErrno(errno, ""); }

}  // namespace

FileObject::FileObject(UniqueFd fd, bool canRead, bool canWrite)
    : fd_(std::move(fd)), canRead_(canRead), canWrite_(canWrite) {}

// Reads until the buffer is full or the file ends, as ReadFile does for disk files.
DWORD FileObject::Read(void* buffer, DWORD size, DWORD& done) {
  done = 0;
  if (!canRead_) return ERROR_ACCESS_DENIED;
  char* out = static_cast<char*>(buffer);
  while (done < size) {
    const ssize_t n = ::read(fd_.Get(), out + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return LastErrnoAsWindowsError();
    if (n == 0) break;
    done += static_cast<DWORD>(n);
  }
  return ERROR_SUCCESS;
}

DWORD FileObject::Write(const void* buffer, DWORD size, DWORD& done) {
  done = 0;
  if (!canWrite_) return ERROR_ACCESS_DENIED;
  if (const auto limit = WriteFaults::TakeShortWrite(); limit && *limit < size)
    size = static_cast<DWORD>(*limit);
  bool killAfter = false;
  size = static_cast<DWORD>(FileSteps::WriteStep(size, killAfter));
  const char* in = static_cast<const char*>(buffer);
  while (done < size) {
    const ssize_t n = ::write(fd_.Get(), in + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return LastErrnoAsWindowsError();
    done += static_cast<DWORD>(n);
  }
  if (killAfter) FileSteps::KillNow();
  return ERROR_SUCCESS;
}

DWORD FileObject::Size(std::uint64_t& size) const {
  struct stat st {};
  if (::fstat(fd_.Get(), &st) != 0) return LastErrnoAsWindowsError();
  size = static_cast<std::uint64_t>(st.st_size);
  return ERROR_SUCCESS;
}

DWORD FileObject::Seek(std::int64_t distance, DWORD method, std::uint64_t& position) {
  std::int64_t origin = 0;
  if (method == FILE_CURRENT) {
    origin = ::lseek(fd_.Get(), 0, SEEK_CUR);
  } else if (method == FILE_END) {
    std::uint64_t size = 0;
    if (const DWORD error = Size(size); error != ERROR_SUCCESS) return error;
    origin = static_cast<std::int64_t>(size);
  } else if (method != FILE_BEGIN) {
    return ERROR_INVALID_PARAMETER;
  }
  if (origin < 0) return LastErrnoAsWindowsError();
  if (distance < -origin) return ERROR_NEGATIVE_SEEK;
  if (distance > std::numeric_limits<std::int64_t>::max() - origin) return ERROR_INVALID_PARAMETER;
  const off_t target = ::lseek(fd_.Get(), origin + distance, SEEK_SET);
  if (target < 0) return LastErrnoAsWindowsError();
  position = static_cast<std::uint64_t>(target);
  return ERROR_SUCCESS;
}

DWORD FileObject::Truncate() {
  if (!canWrite_) return ERROR_ACCESS_DENIED;
  FileSteps::Step();
  const off_t here = ::lseek(fd_.Get(), 0, SEEK_CUR);
  if (here < 0 || ::ftruncate(fd_.Get(), here) != 0) return LastErrnoAsWindowsError();
  return ERROR_SUCCESS;
}

DWORD FileObject::Flush() {
  FileSteps::Step();
  return ::fsync(fd_.Get()) == 0 ? ERROR_SUCCESS : LastErrnoAsWindowsError();
}

}  // namespace kelvra::platform
