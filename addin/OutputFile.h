// A file an export run writes. A whole file is written under a temporary name beside
// its target and moved into place only when it is complete, so that a failed item
// leaves no file behind and never replaces the file it would have overwritten. A
// growing file (one file for a whole run) is written in place, and a failed write
// leaves nothing of itself in it.
#pragma once

#include <string>

#include "win32/owners.h"

class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile() { Discard(); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Starts a whole file for target; false when the temporary file cannot be created
  // (the last error tells why).
  bool CreateWhole(const std::string& target);
  // Creates (or empties) the file at path for writing in place; false when it cannot.
  bool CreateGrowing(const std::string& path);
  bool IsOpen() const { return static_cast<bool>(m_file); }

  // Writes the bytes at the end. False when they could not all be written; the file
  // is then cut back to its length before the call.
  bool Append(const std::string& bytes);
  // Ends the file: a whole file is moved to its target, replacing a file there. False
  // when that fails; the temporary file is removed then.
  bool Commit();
  // Ends the file and removes what it wrote: the temporary file of a whole file, or
  // the growing file itself.
  void Discard();

 private:
  UniqueKernelHandle m_file;
  // The path written to, and for a whole file the path it is moved to.
  std::string m_path;
  std::string m_target;
  DWORD m_length = 0;
};
