#include "addin/ReadWholeFile.h"

#include <new>

#include "win32/files.h"

bool ReadWholeFile(HANDLE file, unsigned long long maxSize, std::vector<unsigned char>& bytes) {
  bytes.clear();
  bool read = false;
  try {
    DWORD high = 0;
    const DWORD low = GetFileSize(file, &high);
    const unsigned long long size = (static_cast<unsigned long long>(high) << 32) | low;
    if (low != INVALID_FILE_SIZE && size <= maxSize && size <= 0xFFFFFFFFull) {
      bytes.resize(static_cast<std::size_t>(size));
      DWORD done = 0;
      read = ReadFile(file, bytes.data(), static_cast<DWORD>(size), &done, nullptr) && done == size;
    }
  } catch (const std::bad_alloc&) {
    read = false;
  }
  if (!read) bytes.clear();
  return read;
}
