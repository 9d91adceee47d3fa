// Names of folder entries without regard to case, as Windows matches them, without a
// read of the whole folder for every name it does not hold.
//
// A folder's entries are kept by their lower-cased names for as long as the folder's
// change time stays what it was when they were read; an entry the stand-in adds or
// removes itself (a file it creates, deletes or renames) joins or leaves the kept names
// instead of making the next lookup read the folder again. A change by another program shows as a
// new change time and brings a fresh read.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <mutex>
#include <set>
#include <string>
#include <unordered_map>

namespace kelvra::platform {

class FolderIndex {
 public:
  // What tells that a folder has not changed since it was read.
  struct Stamp {
    dev_t device = 0;
    ino_t inode = 0;
    timespec changed{};
    bool valid = false;
  };

  static FolderIndex& Instance();

  // The entry of the Linux folder that matches name ignoring ASCII case; when several
  // do, the first in byte order. "" when none does or the folder cannot be read.
  std::string Find(const std::string& folder, const std::string& name);

  // The stamp of the folder that will hold linuxPath, taken before the stand-in makes
  // that entry; then Added with it once the entry is there.
  static Stamp StampOfFolder(const std::string& linuxPath);
  void Added(const std::string& linuxPath, const Stamp& before);
  // The same for an entry the stand-in removed.
  void Removed(const std::string& linuxPath, const Stamp& before);

  // Whole folders read so far, for tests.
  unsigned long Reads() const;

 private:
  struct Entries {
    Stamp stamp;
    // Lower-cased name to the matching names in byte order.
    std::unordered_map<std::string, std::set<std::string>> byFolded;
  };

  FolderIndex() = default;
  static Stamp StampOf(const std::string& folder);
  static bool Same(const Stamp& a, const Stamp& b);
  bool Read(const std::string& folder, Entries& entries);
  static void Keep(Entries& entries, const std::string& name);
  // The folder's kept entries when nobody else changed it since before; null otherwise
  // (and then forgotten). Called with mutex_ held.
  Entries* Unchanged(const std::string& folder, const Stamp& before);

  mutable std::mutex mutex_;
  std::unordered_map<std::string, Entries> folders_;
  unsigned long reads_ = 0;
};

}  // namespace kelvra::platform
