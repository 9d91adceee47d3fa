// CreateFileA and the calls on the handle it returns.
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <memory>
#include <string>

#include "base/ErrnoMapping.h"
#include "base/HandleTable.h"
#include "files/FileObject.h"
#include "files/FileSteps.h"
#include "files/FolderIndex.h"
#include "files/PathArgument.h"
#include "win32/files.h"

namespace {

using kelvra::platform::FileObject;
using kelvra::platform::FolderIndex;
using kelvra::platform::HandleTable;

bool DispositionFlags(DWORD disposition, int& flags) {
  switch (disposition) {
    case CREATE_NEW:
      flags = O_CREAT | O_EXCL;
      return true;
    case CREATE_ALWAYS:
      flags = O_CREAT | O_TRUNC;
      return true;
    case OPEN_EXISTING:
      flags = 0;
      return true;
    case OPEN_ALWAYS:
      flags = O_CREAT;
      return true;
    case TRUNCATE_EXISTING:
      flags = O_TRUNC;
      return true;
    default:
      return false;
  }
}

int AccessFlags(bool canRead, bool canWrite) {
  if (canWrite) return canRead ? O_RDWR : O_WRONLY;
  return O_RDONLY;
}

bool Exists(const std::string& linuxPath) {
  struct stat st {};
  return lstat(linuxPath.c_str(), &st) == 0;
}

// The file behind a handle; sets ERROR_INVALID_HANDLE when it is none.
std::shared_ptr<FileObject> FileOf(HANDLE file) {
  auto object = HandleTable::Instance().FindAs<FileObject>(file);
  if (!object) SetLastError(ERROR_INVALID_HANDLE);
  return object;
}

// Without a high part the distance is a signed 32-bit number.
std::int64_t Distance(LONG low, const LONG* high) {
  if (high == nullptr) return low;
  const auto bits = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(*high)) << 32) |
                    static_cast<std::uint32_t>(low);
  return static_cast<std::int64_t>(bits);
}

BOOL Report(DWORD error) {
  SetLastError(error);
  return error == ERROR_SUCCESS ? TRUE : FALSE;
}

}  // namespace

HANDLE WINAPI CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD /*shareMode*/,
                          LPSECURITY_ATTRIBUTES /*security*/, DWORD creationDisposition,
                          DWORD /*flagsAndAttributes*/, HANDLE /*templateFile*/) {
  const bool canRead = (desiredAccess & GENERIC_READ) != 0;
  const bool canWrite = (desiredAccess & GENERIC_WRITE) != 0;
  int flags = 0;
  if (!DispositionFlags(creationDisposition, flags) ||
      (creationDisposition == TRUNCATE_EXISTING && !canWrite)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::string path;
  if (!kelvra::platform::MapPathArgument(fileName, path)) return INVALID_HANDLE_VALUE;

  if (canWrite) kelvra::platform::FileSteps::Step();
  const bool existed = Exists(path);
  const FolderIndex::Stamp folderBefore =
      existed ? FolderIndex::Stamp() : FolderIndex::StampOfFolder(path);
  const int openFlags = flags | AccessFlags(canRead, canWrite) | O_CLOEXEC;
  kelvra::platform::UniqueFd fd(open(path.c_str(), openFlags, 0666));
  if (!fd) {
    kelvra::platform::SetLastErrorFromErrno(path);
    return INVALID_HANDLE_VALUE;
  }
  if (!existed) FolderIndex::Instance().Added(path, folderBefore);
  struct stat st {};
  if (fstat(fd.Get(), &st) != 0 || S_ISDIR(st.st_mode)) {  // folders need backup semantics
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  // Windows tells the caller that an "always" disposition met an existing file.
  const bool alwaysKind =
      creationDisposition == CREATE_ALWAYS || creationDisposition == OPEN_ALWAYS;
  SetLastError(alwaysKind && existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return HandleTable::Instance().Add(
      std::make_shared<FileObject>(std::move(fd), canRead, canWrite));
}

BOOL WINAPI ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead,
                     LPOVERLAPPED overlapped) {
  if (bytesRead != nullptr) *bytesRead = 0;
  const auto object = FileOf(file);
  if (!object) return FALSE;
  if (bytesRead == nullptr || overlapped != nullptr || (buffer == nullptr && bytesToRead > 0))
    return Report(ERROR_INVALID_PARAMETER);
  return Report(object->Read(buffer, bytesToRead, *bytesRead));
}

BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
                      LPOVERLAPPED overlapped) {
  if (bytesWritten != nullptr) *bytesWritten = 0;
  const auto object = FileOf(file);
  if (!object) return FALSE;
  if (bytesWritten == nullptr || overlapped != nullptr || (buffer == nullptr && bytesToWrite > 0))
    return Report(ERROR_INVALID_PARAMETER);
  return Report(object->Write(buffer, bytesToWrite, *bytesWritten));
}

DWORD WINAPI GetFileSize(HANDLE file, LPDWORD fileSizeHigh) {
  const auto object = FileOf(file);
  if (!object) return INVALID_FILE_SIZE;
  std::uint64_t size = 0;
  if (Report(object->Size(size)) == FALSE) return INVALID_FILE_SIZE;
  if (fileSizeHigh != nullptr) *fileSizeHigh = static_cast<DWORD>(size >> 32);
  return static_cast<DWORD>(size & 0xFFFFFFFFu);
}

DWORD WINAPI SetFilePointer(HANDLE file, LONG distanceToMove, LONG* distanceToMoveHigh,
                            DWORD moveMethod) {
  const auto object = FileOf(file);
  if (!object) return INVALID_SET_FILE_POINTER;
  std::uint64_t position = 0;
  const DWORD error =
      object->Seek(Distance(distanceToMove, distanceToMoveHigh), moveMethod, position);
  if (Report(error) == FALSE) return INVALID_SET_FILE_POINTER;
  if (distanceToMoveHigh != nullptr) *distanceToMoveHigh = static_cast<LONG>(position >> 32);
  return static_cast<DWORD>(position & 0xFFFFFFFFu);
}

BOOL WINAPI FlushFileBuffers(HANDLE file) {
  const auto object = FileOf(file);
  if (!object) return FALSE;
  return Report(object->Flush());
}

BOOL WINAPI SetEndOfFile(HANDLE file) {
  const auto object = FileOf(file);
  if (!object) return FALSE;
  return Report(object->Truncate());
}
