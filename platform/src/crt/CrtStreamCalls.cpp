// fopen_s and freopen_s with the C runtime's Windows modes, and _access.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "base/PosixOwners.h"
#include "crt/TextModeStream.h"
#include "files/PathView.h"
#include "win32/crt.h"

namespace {

using namespace kelvra::platform;

struct StreamMode {
  int openFlags = 0;
  std::string stdioMode;  // "r", "w+", ... without the text or binary letter
  bool text = true;       // the runtime's default translation mode
};

bool ParseMode(const char* mode, StreamMode& parsed) {
  switch (mode[0]) {
    case 'r':
      parsed.openFlags = O_RDONLY;
      break;
    case 'w':
      parsed.openFlags = O_WRONLY | O_CREAT | O_TRUNC;
      break;
    case 'a':
      parsed.openFlags = O_WRONLY | O_CREAT | O_APPEND;
      break;
    default:
      return false;
  }
  parsed.stdioMode = mode[0];
  bool plus = false;
  bool translation = false;
  for (const char* c = mode + 1; *c != '\0'; ++c) {
    if (*c == '+' && !plus) {
      plus = true;
      parsed.openFlags = (parsed.openFlags & ~O_ACCMODE) | O_RDWR;
      parsed.stdioMode += '+';
    } else if ((*c == 't' || *c == 'b') && !translation) {
      translation = true;
      parsed.text = *c == 't';
    } else {
      return false;
    }
  }
  return true;
}

FILE* OpenStream(UniqueFd fd, const StreamMode& mode) {
  if (mode.text) return TextModeStream::Open(std::move(fd), mode.stdioMode.c_str());
  FILE* file = fdopen(fd.Get(), mode.stdioMode.c_str());
  if (file != nullptr) static_cast<void>(fd.Release());  // the stream closes it now
  return file;
}

}  // namespace

errno_t fopen_s(FILE** stream, const char* fileName, const char* mode) {
  if (stream == nullptr) return errno = EINVAL;
  *stream = nullptr;
  StreamMode parsed;
  if (fileName == nullptr || mode == nullptr || !ParseMode(mode, parsed)) return errno = EINVAL;
  std::string path;
  if (MapWindowsPath(fileName, path) != ERROR_SUCCESS) return errno = ENOENT;
  UniqueFd fd(open(path.c_str(), parsed.openFlags | O_CLOEXEC, 0666));
  if (!fd) return errno;
  *stream = OpenStream(std::move(fd), parsed);
  return *stream != nullptr ? 0 : errno;
}

errno_t freopen_s(FILE** newStream, const char* fileName, const char* mode, FILE* stream) {
  if (newStream == nullptr || stream == nullptr) return errno = EINVAL;
  std::fclose(stream);
  return fopen_s(newStream, fileName, mode);
}

int _access(const char* path, int mode) {
  if (path == nullptr || (mode & ~6) != 0) {
    errno = EINVAL;
    return -1;
  }
  std::string linuxPath;
  if (MapWindowsPath(path, linuxPath) != ERROR_SUCCESS) {
    errno = ENOENT;
    return -1;
  }
  const int how = ((mode & 2) != 0 ? W_OK : 0) | ((mode & 4) != 0 ? R_OK : 0);
  return access(linuxPath.c_str(), how == 0 ? F_OK : how);
}
