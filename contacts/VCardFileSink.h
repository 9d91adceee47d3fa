// Where an export run puts its cards: one file per contact or one file for all, in
// the export folder, under names that never overwrite a file written earlier in the
// same run. Keeps the paths it wrote for the finish page's mail.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "addin/WrittenFilesMap.h"
#include "win32/owners.h"

class VCardFileSink {
 public:
  static constexpr int kWritten = 0;
  // The file could not be created.
  static constexpr int kNotCreated = -2;
  // The card was not written whole; nothing of it is left behind.
  static constexpr int kNotWritten = -3;

  VCardFileSink() = default;
  ~VCardFileSink() = default;
  VCardFileSink(const VCardFileSink&) = delete;
  VCardFileSink& operator=(const VCardFileSink&) = delete;

  // Starts a run: no file open, no path written.
  void Begin(const std::string& folder, bool oneFile, bool overwrite);
  // The path for a file of that name (safe for the file system) in the folder:
  // name.vcf, else name(1).vcf, name(2).vcf... With overwrite the first one not
  // written in this run, without it the first one that does not exist. A name too
  // long for the folder is shortened before its number; "" after logging when even
  // that leaves no room.
  std::string MakeFilePath(const std::string& name);
  // True when the next Write creates a file (and so needs its path).
  bool NeedsPath() const { return !m_oneFile || !m_file; }
  // Writes the card: into the open file in one-file mode, else into a new file at
  // path. Returns kWritten, kNotCreated or kNotWritten.
  int Write(const std::string& card, const std::string& path);
  // Closes the one file of one-file mode.
  void Close();

  const WrittenFilesMap& Written() const { return m_written; }
  void ClearWritten();

 private:
  bool _Open(const std::string& path);
  // Removes what a failed write left: the whole file when it holds no whole card.
  void _Discard();
  bool _TakenInThisRun(const std::string& path) const;

  std::string m_folder;
  bool m_oneFile = false;
  bool m_overwrite = false;
  UniqueKernelHandle m_file;
  std::string m_path;
  // Bytes of whole cards in the open file.
  DWORD m_size = 0;
  WrittenFilesMap m_written;
  // The written paths without ASCII case, as the file system compares them.
  std::unordered_set<std::string> m_writtenFolded;
  // By name without case: the number of the first candidate not yet found taken.
  std::unordered_map<std::string, int> m_nextNumber;
};
