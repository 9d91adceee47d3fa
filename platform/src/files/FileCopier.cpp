#include "files/FileCopier.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "base/ErrnoMapping.h"
#include "base/PosixOwners.h"

namespace kelvra::platform {
namespace {

bool SameFile(const struct stat& a, const std::string& path) {
  struct stat b {};
  return stat(path.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// 0 or the errno of the first failure.
int CopyBytes(int from, int to) {
  std::vector<char> block(64 * 1024);
  for (;;) {
    const ssize_t got = read(from, block.data(), block.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) return 0;
    for (ssize_t put = 0; put < got;) {
      const ssize_t n = write(to, block.data() + put, static_cast<std::size_t>(got - put));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return errno;
      put += n;
    }
  }
}

// Times, then the optional sync, then the close whose error also counts.
int Finish(UniqueFd target, const struct stat& source, bool writeThrough) {
  const timespec times[2] = {source.st_atim, source.st_mtim};
  if (futimens(target.Get(), times) != 0) return errno;
  if (writeThrough && fsync(target.Get()) != 0) return errno;
  return close(target.Release()) == 0 ? 0 : errno;
}

}  // namespace

DWORD FileCopier::Copy(const std::string& source, const std::string& target,
                       const Options& options) {
  UniqueFd from(open(source.c_str(), O_RDONLY | O_CLOEXEC));
  if (!from) return WindowsErrorFromErrno(errno, source, options.existsError);
  struct stat st {};
  if (fstat(from.Get(), &st) != 0) return WindowsErrorFromErrno(errno, source);
  if (S_ISDIR(st.st_mode)) return ERROR_ACCESS_DENIED;
  // Truncating the target first would destroy the very bytes about to be copied.
  if (SameFile(st, target))
    return options.failIfExists ? options.existsError : ERROR_SHARING_VIOLATION;

  const int create = O_WRONLY | O_CREAT | O_CLOEXEC | (options.failIfExists ? O_EXCL : O_TRUNC);
  UniqueFd to(open(target.c_str(), create, st.st_mode & 0777));
  if (!to) return WindowsErrorFromErrno(errno, target, options.existsError);

  int error = CopyBytes(from.Get(), to.Get());
  if (error == 0) error = Finish(std::move(to), st, options.writeThrough);
  if (error == 0) return ERROR_SUCCESS;
  unlink(target.c_str());
  return WindowsErrorFromErrno(error, target, options.existsError);
}

}  // namespace kelvra::platform
