#include "files/FolderIndex.h"

#include <dirent.h>

#include <memory>

#include "base/AsciiCase.h"

namespace kelvra::platform {
namespace {

// Folders kept at most; a run works in a few, so the whole index is dropped when full.
constexpr std::size_t kMaxFolders = 64;

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};

std::string Lowered(const std::string& name) {
  std::string lowered = name;
  for (char& c : lowered) c = static_cast<char>(AsciiLower(static_cast<unsigned char>(c)));
  return lowered;
}

std::string FolderOf(const std::string& linuxPath) {
  const std::size_t slash = linuxPath.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : linuxPath.substr(0, slash);
}

}  // namespace

FolderIndex& FolderIndex::Instance() {
  static FolderIndex index;
  return index;
}

FolderIndex::Stamp FolderIndex::StampOf(const std::string& folder) {
  struct stat st {};
  Stamp stamp;
  if (stat(folder.empty() ? "." : folder.c_str(), &st) != 0) return stamp;
  stamp.device = st.st_dev;
  stamp.inode = st.st_ino;
  stamp.changed = st.st_mtim;
  stamp.valid = true;
  return stamp;
}

FolderIndex::Stamp FolderIndex::StampOfFolder(const std::string& linuxPath) {
  return StampOf(FolderOf(linuxPath));
}

bool FolderIndex::Same(const Stamp& a, const Stamp& b) {
  return a.valid && b.valid && a.device == b.device && a.inode == b.inode &&
         a.changed.tv_sec == b.changed.tv_sec && a.changed.tv_nsec == b.changed.tv_nsec;
}

void FolderIndex::Keep(Entries& entries, const std::string& name) {
  entries.byFolded[Lowered(name)].insert(name);
}

bool FolderIndex::Read(const std::string& folder, Entries& entries) {
  std::unique_ptr<DIR, DirCloser> dir(opendir(folder.empty() ? "." : folder.c_str()));
  if (!dir) return false;
  ++reads_;
  entries.byFolded.clear();
  while (const dirent* entry = readdir(dir.get())) Keep(entries, entry->d_name);
  return true;
}

std::string FolderIndex::Find(const std::string& folder, const std::string& name) {
  const Stamp stamp = StampOf(folder);
  std::lock_guard lock(mutex_);
  auto it = folders_.find(folder);
  if (it == folders_.end() || !Same(it->second.stamp, stamp)) {
    if (it == folders_.end() && folders_.size() >= kMaxFolders) folders_.clear();
    Entries entries;
    if (!Read(folder, entries)) {
      folders_.erase(folder);
      return {};
    }
    // The stamp was taken before the read: a change during the read brings another.
    entries.stamp = stamp;
    it = folders_.insert_or_assign(folder, std::move(entries)).first;
  }
  auto found = it->second.byFolded.find(Lowered(name));
  return found == it->second.byFolded.end() ? std::string() : *found->second.begin();
}

FolderIndex::Entries* FolderIndex::Unchanged(const std::string& folder, const Stamp& before) {
  auto it = folders_.find(folder);
  if (it == folders_.end()) return nullptr;
  // Only a folder that nobody else changed since it was read stays known.
  if (!Same(it->second.stamp, before)) {
    folders_.erase(it);
    return nullptr;
  }
  return &it->second;
}

void FolderIndex::Added(const std::string& linuxPath, const Stamp& before) {
  const std::string folder = FolderOf(linuxPath);
  const Stamp after = StampOf(folder);
  std::lock_guard lock(mutex_);
  Entries* entries = Unchanged(folder, before);
  if (entries == nullptr) return;
  Keep(*entries, linuxPath.substr(linuxPath.find_last_of('/') + 1));
  entries->stamp = after;
}

void FolderIndex::Removed(const std::string& linuxPath, const Stamp& before) {
  const std::string folder = FolderOf(linuxPath);
  const Stamp after = StampOf(folder);
  std::lock_guard lock(mutex_);
  Entries* entries = Unchanged(folder, before);
  if (entries == nullptr) return;
  const std::string name = linuxPath.substr(linuxPath.find_last_of('/') + 1);
  const auto found = entries->byFolded.find(Lowered(name));
  if (found != entries->byFolded.end()) {
    found->second.erase(name);
    if (found->second.empty()) entries->byFolded.erase(found);
  }
  entries->stamp = after;
}

unsigned long FolderIndex::Reads() const {
  std::lock_guard lock(mutex_);
  return reads_;
}

}  // namespace kelvra::platform
