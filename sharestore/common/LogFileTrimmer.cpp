#include "sharestore/common/LogFileTrimmer.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "win32/crt.h"
#include "win32/files.h"

namespace {

using FilePtr = std::unique_ptr<FILE, int (*)(FILE*)>;

constexpr std::size_t kScanBytes = 4095;
constexpr std::size_t kBlockBytes = 4096;

FilePtr Open(const std::string& path, const char* mode) {
  FILE* file = nullptr;
  if (fopen_s(&file, path.c_str(), mode) != 0) file = nullptr;
  return FilePtr(file, &std::fclose);
}

long SizeOf(FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
  return std::ftell(file);
}

// Where the kept tail starts: after the first line end in the bytes read at `offset`.
long TailStart(FILE* file, long offset) {
  char bytes[kScanBytes];
  if (std::fseek(file, offset, SEEK_SET) != 0) return -1;
  const std::size_t n = std::fread(bytes, 1, sizeof bytes, file);
  for (std::size_t i = 0; i + 1 < n; ++i)
    if (bytes[i] == '\r' && bytes[i + 1] == '\n') return offset + static_cast<long>(i + 2);
  if (const void* lf = std::memchr(bytes, '\n', n))
    return offset + static_cast<long>(static_cast<const char*>(lf) - bytes + 1);
  return offset;
}

bool CopyTail(FILE* from, long start, FILE* to) {
  if (std::fseek(from, start, SEEK_SET) != 0) return false;
  char block[kBlockBytes];
  std::size_t n = 0;
  while ((n = std::fread(block, 1, sizeof block, from)) > 0)
    if (std::fwrite(block, 1, n, to) != n) return false;
  return std::ferror(from) == 0;
}

// The tail in the work file, checked and closed; false when the file needs no trimming
// or any step failed.
bool WriteTail(const std::string& path, const std::string& work, DWORD limit) {
  FilePtr from = Open(path, "rb");
  if (!from) return false;
  const long size = SizeOf(from.get());
  if (size <= static_cast<long>(limit)) return false;
  FilePtr to = Open(work, "wb");
  if (!to) return false;
  const long start = TailStart(from.get(), size - static_cast<long>(limit / 2));
  const bool copied =
      start >= 0 && CopyTail(from.get(), start, to.get()) && std::fflush(to.get()) == 0;
  return std::fclose(to.release()) == 0 && copied;
}

}  // namespace

void LogFileTrimmer::Trim(const char* path, DWORD limit) {
  const std::string work = std::string(path) + "1";
  if (!WriteTail(path, work, limit) || !MoveFileExA(work.c_str(), path, MOVEFILE_REPLACE_EXISTING))
    DeleteFileA(work.c_str());
}
