#include "addin/TrimLogFile.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "win32/crt.h"
#include "win32/files.h"
#include "win32/owners.h"

namespace {

using FilePtr = std::unique_ptr<FILE, int (*)(FILE*)>;

constexpr size_t kScanBytes = 4095;
constexpr size_t kBlockBytes = 4096;

// Size of an existing file; INVALID_FILE_SIZE when it cannot be opened.
DWORD ExistingFileSize(const std::string& path) {
  const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return INVALID_FILE_SIZE;
  return GetFileSize(file.Get(), nullptr);
}

FilePtr Open(const std::string& path, const char* mode) {
  FILE* f = nullptr;
  if (fopen_s(&f, path.c_str(), mode) != 0) f = nullptr;
  return FilePtr(f, &fclose);
}

// Offset of the first byte after the first line end in the bytes read from offset
// (CR LF preferred over a bare LF); the end of those bytes when they hold none.
long TailStart(FILE* src, long offset) {
  char buf[kScanBytes];
  if (std::fseek(src, offset, SEEK_SET) != 0) return -1;
  size_t n = std::fread(buf, 1, sizeof buf, src);
  for (size_t i = 0; i + 1 < n; ++i)
    if (buf[i] == '\r' && buf[i + 1] == '\n') return offset + static_cast<long>(i + 2);
  if (const void* lf = std::memchr(buf, '\n', n))
    return offset + static_cast<long>(static_cast<const char*>(lf) - buf + 1);
  return offset + static_cast<long>(n);
}

bool CopyFrom(FILE* src, long start, FILE* dst) {
  if (std::fseek(src, start, SEEK_SET) != 0) return false;
  char block[kBlockBytes];
  size_t n;
  while ((n = std::fread(block, 1, sizeof block, src)) > 0)
    if (std::fwrite(block, 1, n, dst) != n) return false;
  return !std::ferror(src);
}

bool WriteTail(const std::string& path, const std::string& temp, DWORD size, DWORD limit) {
  FilePtr src = Open(path, "rb");
  if (!src) return false;
  FilePtr dst = Open(temp, "wb");
  if (!dst) return false;
  long start = TailStart(src.get(), static_cast<long>(size - limit / 2));
  if (start < 0 || !CopyFrom(src.get(), start, dst.get())) return false;
  return std::fclose(dst.release()) == 0;
}

}  // namespace

void TrimLogFile(const std::string& path, DWORD limit) {
  DWORD size = ExistingFileSize(path);
  if (size == INVALID_FILE_SIZE || size <= limit) return;
  std::string temp = path + "1";
  if (!WriteTail(path, temp, size, limit) ||
      !MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
    DeleteFileA(temp.c_str());
}
