#include "sharestore/common/BaseFile.h"

#include <algorithm>

#include "win32/files.h"

bool BaseFile::Open(const std::string& path, bool create) {
  Close();
  file_.Reset(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                          create ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!IsOpen()) return false;
  DWORD high = 0;
  const DWORD low = GetFileSize(file_.Get(), &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != ERROR_SUCCESS) {
    const DWORD error = GetLastError();
    Close();
    SetLastError(error);
    return false;
  }
  end_ = (static_cast<std::uint64_t>(high) << 32) | low;
  return Seek(end_);
}

void BaseFile::Close() {
  file_.Reset();
  end_ = 0;
}

bool BaseFile::Seek(std::uint64_t offset) {
  LONG high = static_cast<LONG>(offset >> 32);
  SetLastError(ERROR_SUCCESS);
  const DWORD low =
      SetFilePointer(file_.Get(), static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN);
  return low != INVALID_SET_FILE_POINTER || GetLastError() == ERROR_SUCCESS;
}

bool BaseFile::ReadAll(std::unique_ptr<char[]>& bytes, std::size_t& size) {
  size = 0;
  if (!IsOpen() || !Seek(0)) return false;
  const auto capacity = static_cast<std::size_t>(end_);
  bytes.reset(new char[capacity + 1]);  // not cleared: every byte used is read
  while (size < capacity) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(capacity - size, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(file_.Get(), bytes.get() + size, want, &got, nullptr)) return false;
    if (got == 0) break;
    size += got;
  }
  end_ = size;
  return Seek(end_);
}

bool BaseFile::Truncate(std::uint64_t size) {
  if (!IsOpen() || !Seek(size) || !SetEndOfFile(file_.Get())) return false;
  end_ = size;
  return true;
}

bool BaseFile::Append(std::string_view text) {
  if (!IsOpen()) return false;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file_.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  if (ok && written == text.size()) {
    end_ += written;
    return true;
  }
  const DWORD error = ok ? ERROR_WRITE_FAULT : GetLastError();
  if (Seek(end_)) SetEndOfFile(file_.Get());
  SetLastError(error);
  return false;
}
