#include "addin/OutputFile.h"

#include "addin/CLogTimer.h"
#include "addin/GetTempFileName2.h"
#include "win32/files.h"

namespace {

HANDLE OpenForWriting(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

// The folder part of a path ("." for a bare name).
std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace

bool OutputFile::Create(const std::string& target) {
  Discard();
  if (target.empty()) {
    // The temporary file would land in the current folder and never reach a target.
    g_LogTimer.Err("OutputFile::Create", ERROR_INVALID_PARAMETER, "no target path");
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  const std::string temporary = GetTempFileName2(FolderOf(target).c_str(), "kel");
  if (temporary.empty()) return false;
  m_file.Reset(OpenForWriting(temporary));
  if (!m_file) {
    DeleteFileA(temporary.c_str());
    return false;
  }
  m_path = temporary;
  m_target = target;
  m_length = 0;
  return true;
}

bool OutputFile::Append(const std::string& bytes) {
  if (!m_file) return false;
  DWORD written = 0;
  const DWORD size = static_cast<DWORD>(bytes.size());
  if (WriteFile(m_file.Get(), bytes.data(), size, &written, nullptr) && written == size) {
    m_length += size;
    return true;
  }
  SetFilePointer(m_file.Get(), static_cast<LONG>(m_length), nullptr, FILE_BEGIN);
  SetEndOfFile(m_file.Get());
  return false;
}

bool OutputFile::Commit() {
  if (!m_file) return false;
  m_file.Reset();
  if (MoveFileExA(m_path.c_str(), m_target.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  DeleteFileA(m_path.c_str());
  return false;
}

void OutputFile::Discard() {
  if (!m_file) return;
  m_file.Reset();
  DeleteFileA(m_path.c_str());
}
