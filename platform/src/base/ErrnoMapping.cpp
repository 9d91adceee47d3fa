#include "base/ErrnoMapping.h"

#include <sys/stat.h>

#include <cerrno>

namespace kelvra::platform {
namespace {

bool FolderExists(const std::string& linuxPath) {
  const std::size_t slash = linuxPath.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : linuxPath.substr(0, slash + 1);
  struct stat st {};
  return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

DWORD WindowsErrorFromErrno(int error, const std::string& linuxPath, DWORD existsError) {
  switch (error) {
    case 0:
      return ERROR_SUCCESS;
    case ENOENT:
      return FolderExists(linuxPath) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
      return ERROR_ACCESS_DENIED;
    case EEXIST:
      return existsError;
    case ENOSPC:
    case EDQUOT:
      return ERROR_DISK_FULL;
    case ENOTEMPTY:
      return ERROR_DIR_NOT_EMPTY;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    case EROFS:
      return ERROR_WRITE_PROTECT;
    case EMFILE:
    case ENFILE:
      return ERROR_TOO_MANY_OPEN_FILES;
    case EBADF:
      return ERROR_INVALID_HANDLE;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case EINVAL:
      return ERROR_INVALID_PARAMETER;
    case EXDEV:
      return ERROR_NOT_SAME_DEVICE;
    case EBUSY:
      return ERROR_SHARING_VIOLATION;
    default:
      return ERROR_GEN_FAILURE;
  }
}

DWORD SetLastErrorFromErrno(const std::string& linuxPath, DWORD existsError) {
  const DWORD code = WindowsErrorFromErrno(errno, linuxPath, existsError);
  SetLastError(code);
  return code;
}

}  // namespace kelvra::platform
