// A file an export run writes. It is written under a temporary name beside its target
// and moved into place only when it is complete, so that a failed item or run leaves
// no file behind and never replaces the file it would have overwritten. A failed write
// leaves nothing of itself in the file, which can go on growing (one file for a run).
#pragma once

#include <string>

#include "win32/owners.h"

class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile() { Discard(); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Starts the file for target; false when the temporary file cannot be created (the
  // last error tells why), and after logging for an empty target.
  bool Create(const std::string& target);
  bool IsOpen() const { return static_cast<bool>(m_file); }

  // Writes the bytes at the end. False when they could not all be written; the file
  // is then cut back to its length before the call.
  bool Append(const std::string& bytes);
  // Ends the file: it is moved to its target, replacing a file there. False when that
  // fails; the temporary file is removed then.
  bool Commit();
  // Ends the file and removes what it wrote.
  void Discard();

 private:
  UniqueKernelHandle m_file;
  // The temporary path written to, and the path it is moved to.
  std::string m_path;
  std::string m_target;
  DWORD m_length = 0;
};
