#include "sharestore/common/BaseCompactor.h"

#include <utility>

#include "sharestore/common/CLog.h"
#include "win32/files.h"
#include "win32/owners.h"

namespace {

// The whole content on the disk, the file closed (a failed close fails the write too);
// false with the last error set.
bool WriteSynced(UniqueFile file, const std::string& content) {
  DWORD written = 0;
  bool ok = WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written,
                      nullptr) &&
            written == content.size();
  if (ok) ok = FlushFileBuffers(file.Get()) != FALSE;
  const DWORD error =
      ok ? ERROR_SUCCESS : (GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_WRITE_FAULT);
  if (!CloseHandle(file.Release()) && ok) return false;
  SetLastError(error);
  return ok;
}

// The current base under a second name; a copy where links are not offered.
bool KeepOld(const std::string& path, const std::string& old) {
  return CreateHardLinkA(old.c_str(), path.c_str(), nullptr) ||
         CopyFileA(path.c_str(), old.c_str(), TRUE);
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

int BaseCompactor::Replace(BaseFile& base, const std::string& path, const std::string& content,
                           const char* tag) {
  const std::string fresh = path + ".new";
  const std::string old = path + ".old";
  DeleteFileA(old.c_str());  // left by an earlier compaction that did not finish
  UniqueFile file(CreateFileA(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    g_Log.LogError(tag, -1, "fopen(%s)", fresh.c_str());
    return -1;
  }
  if (!WriteSynced(std::move(file), content)) {
    g_Log.LogError(tag, static_cast<int>(GetLastError()), "create new base failed");
    DeleteFileA(fresh.c_str());
    return -10;
  }
  base.Close();
  int code = 0;
  if (!KeepOld(path, old)) {
    g_Log.LogError(tag, static_cast<int>(GetLastError()), "Rename current base failed");
    DeleteFileA(fresh.c_str());
    code = -20;
  } else if (!MoveFileExA(fresh.c_str(), path.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    g_Log.LogError(tag, static_cast<int>(GetLastError()), "Rename new base failed");
    DeleteFileA(fresh.c_str());
    code = -30;
  }
  DeleteFileA(old.c_str());
  if (!base.Open(path, false)) {
    g_Log.LogError(tag, code - 100, "fopen(%s)", path.c_str());
    return code - 100;
  }
  return code;
}

void BaseCompactor::Recover(const std::string& path, const char* tag) {
  const std::string old = path + ".old";
  if (Exists(path) || !Exists(old)) return;
  if (MoveFileExA(old.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH))
    g_Log.LogError(tag, 0, "base restored from %s", old.c_str());
  else
    g_Log.LogError(tag, static_cast<int>(GetLastError()), "cannot restore base from %s",
                   old.c_str());
}
