#include "files/FolderSearch.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "files/FileFacts.h"

namespace kelvra::platform {

FolderSearch::FolderSearch(UniqueFd folder, std::vector<std::string> names)
    : folder_(std::move(folder)), names_(std::move(names)) {}

bool FolderSearch::EntryData(const std::string& name, WIN32_FIND_DATAA& data) const {
  data = WIN32_FIND_DATAA{};
  struct stat st {};
  // A link that points nowhere is still listed, with what is known of the link itself.
  if (fstatat(folder_.Get(), name.c_str(), &st, 0) != 0 &&
      fstatat(folder_.Get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
    return false;
  data.dwFileAttributes = AttributesOf(st);
  data.ftLastWriteTime = FileTimeOf(st.st_mtim);
  data.ftCreationTime = data.ftLastWriteTime;  // Linux keeps no creation time
  data.ftLastAccessTime = FileTimeOf(st.st_atim);
  if (!S_ISDIR(st.st_mode)) {
    const auto size = static_cast<std::uint64_t>(st.st_size);
    data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFFu);
  }
  std::memcpy(data.cFileName, name.data(), std::min<std::size_t>(name.size(), MAX_PATH - 1));
  return true;
}

bool FolderSearch::Next(WIN32_FIND_DATAA& data) {
  while (next_ < names_.size())
    if (EntryData(names_[next_++], data)) return true;
  return false;
}

}  // namespace kelvra::platform
