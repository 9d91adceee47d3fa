// MoveFileA, MoveFileExA, CopyFileA and CreateHardLinkA.
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "base/ErrnoMapping.h"
#include "files/FileCopier.h"
#include "files/FileSteps.h"
#include "files/FolderIndex.h"
#include "files/PathArgument.h"
#include "files/PathView.h"
#include "win32/files.h"

namespace {

using namespace kelvra::platform;

constexpr DWORD kKnownMoveFlags =
    MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH;

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

bool SameFile(const struct stat& a, const std::string& path) {
  struct stat b {};
  return stat(path.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// rename() that leaves an existing target alone (EEXIST), also on file systems that
// cannot do that in one step.
int RenameNoReplace(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  struct stat st {};
  if (lstat(to.c_str(), &st) == 0) return EEXIST;
  return rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// A new name that differs from the old one only in case names the same file here, as
// it does on Windows: the file takes the new spelling.
BOOL Respell(const std::string& source, const std::string& target, LPCSTR newFileName) {
  const std::string folder = target.substr(0, target.find_last_of('/') + 1);
  const std::string respelled = folder + SplitWindowsPath(newFileName).name;
  if (respelled == source || SplitWindowsPath(newFileName).name.empty()) return TRUE;
  if (rename(source.c_str(), respelled.c_str()) == 0) return TRUE;
  return Fail(WindowsErrorFromErrno(errno, respelled, ERROR_ALREADY_EXISTS));
}

// Across file systems a file is copied and the original removed; folders cannot move.
BOOL CopyAndRemove(const std::string& source, const std::string& target, DWORD flags) {
  if ((flags & MOVEFILE_COPY_ALLOWED) == 0 || IsFolder(source)) return Fail(ERROR_NOT_SAME_DEVICE);
  FileCopier::Options options;
  options.failIfExists = (flags & MOVEFILE_REPLACE_EXISTING) == 0;
  options.writeThrough = (flags & MOVEFILE_WRITE_THROUGH) != 0;
  options.existsError = ERROR_ALREADY_EXISTS;
  if (const DWORD error = FileCopier::Copy(source, target, options); error != ERROR_SUCCESS)
    return Fail(error);
  if (unlink(source.c_str()) == 0) return TRUE;
  const DWORD error = WindowsErrorFromErrno(errno, source);
  unlink(target.c_str());  // one copy of the file, as before the call
  return Fail(error);
}

// The new name reaches the disk with its folder.
BOOL SyncFolderOf(const std::string& path) {
  const std::string folder = path.substr(0, path.find_last_of('/') + 1);
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return Fail(WindowsErrorFromErrno(errno, folder));
  const int error = fsync(fd) == 0 ? 0 : errno;
  close(fd);
  return error == 0 ? TRUE : Fail(WindowsErrorFromErrno(error, folder));
}

BOOL Moved(const std::string& target, DWORD flags) {
  return (flags & MOVEFILE_WRITE_THROUGH) != 0 ? SyncFolderOf(target) : TRUE;
}

}  // namespace

BOOL WINAPI MoveFileExA(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags) {
  if (newFileName == nullptr || (flags & ~kKnownMoveFlags) != 0)
    return Fail(ERROR_INVALID_PARAMETER);
  std::string source;
  std::string target;
  if (!MapPathArgument(existingFileName, source) || !MapPathArgument(newFileName, target))
    return FALSE;

  FileSteps::Step();
  struct stat st {};
  if (lstat(source.c_str(), &st) != 0) return Fail(WindowsErrorFromErrno(errno, source));
  if (SameFile(st, target)) return Respell(source, target, newFileName);

  const bool replace = (flags & MOVEFILE_REPLACE_EXISTING) != 0;
  if (replace && IsFolder(target)) return Fail(ERROR_ACCESS_DENIED);  // only files are replaced
  const FolderIndex::Stamp sourceBefore = FolderIndex::StampOfFolder(source);
  const int error = replace ? (rename(source.c_str(), target.c_str()) == 0 ? 0 : errno)
                            : RenameNoReplace(source, target);
  if (error == 0) {
    // The source's folder first: when both names share it, its stamp then is the one
    // the target's entry is added against.
    FolderIndex::Instance().Removed(source, sourceBefore);
    FolderIndex::Instance().Added(target, target.substr(0, target.find_last_of('/')) ==
                                                  source.substr(0, source.find_last_of('/'))
                                              ? FolderIndex::StampOfFolder(target)
                                              : FolderIndex::Stamp());
    return Moved(target, flags);
  }
  if (error == EXDEV) return CopyAndRemove(source, target, flags) && Moved(target, flags);
  return Fail(WindowsErrorFromErrno(error, target, ERROR_ALREADY_EXISTS));
}

BOOL WINAPI MoveFileA(LPCSTR existingFileName, LPCSTR newFileName) {
  return MoveFileExA(existingFileName, newFileName, MOVEFILE_COPY_ALLOWED);
}

BOOL WINAPI CopyFileA(LPCSTR existingFileName, LPCSTR newFileName, BOOL failIfExists) {
  std::string source;
  std::string target;
  if (!MapPathArgument(existingFileName, source) || !MapPathArgument(newFileName, target))
    return FALSE;
  FileSteps::Step();
  FileCopier::Options options;
  options.failIfExists = failIfExists != FALSE;
  const DWORD error = FileCopier::Copy(source, target, options);
  SetLastError(error);
  return error == ERROR_SUCCESS ? TRUE : FALSE;
}

BOOL WINAPI CreateHardLinkA(LPCSTR fileName, LPCSTR existingFileName,
                            LPSECURITY_ATTRIBUTES /*security*/) {
  std::string link;
  std::string existing;
  if (!MapPathArgument(fileName, link) || !MapPathArgument(existingFileName, existing))
    return FALSE;
  FileSteps::Step();
  if (::link(existing.c_str(), link.c_str()) == 0) return TRUE;
  const int error = errno;
  if (error == EXDEV) return Fail(ERROR_NOT_SAME_DEVICE);
  return Fail(
      WindowsErrorFromErrno(error, error == EEXIST ? link : existing, ERROR_ALREADY_EXISTS));
}
