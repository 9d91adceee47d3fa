#include "outlook/WindowsFile.h"

#include "com/bstr_t.h"
#include "win32/owners.h"
#include "win32/windows.h"

namespace kelvra::outlook {

HRESULT WindowsFile::LastError() {
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

HRESULT WindowsFile::ReadAll(BSTR path, store::Bytes* bytes) {
  const _bstr_t name(path, true);
  const UniqueFile file(CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return LastError();
  const DWORD size = GetFileSize(file.Get(), nullptr);
  if (size == INVALID_FILE_SIZE) return LastError();
  bytes->resize(size);
  DWORD read = 0;
  if (!ReadFile(file.Get(), bytes->data(), size, &read, nullptr)) return LastError();
  if (read != size) return HRESULT_FROM_WIN32(ERROR_READ_FAULT);
  return S_OK;
}

HRESULT WindowsFile::WriteAll(BSTR path, const store::Bytes& bytes) {
  const _bstr_t name(path, true);
  const UniqueFile file(CreateFileA(name, GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return LastError();
  DWORD written = 0;
  const auto size = static_cast<DWORD>(bytes.size());
  if (!WriteFile(file.Get(), bytes.data(), size, &written, nullptr)) return LastError();
  if (written != size) return HRESULT_FROM_WIN32(ERROR_WRITE_FAULT);
  return S_OK;
}

}  // namespace kelvra::outlook
