// The open base file of an index: read whole at start-up, then appended to line by line.
//
// Each append reaches the file at once (no buffer of our own lies between the caller
// and the system), so a line the caller was told is written survives the process. An
// append that fails or falls short is cut back to where it began, so the file never
// keeps half a line that nobody knows about.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "win32/owners.h"

class BaseFile {
 public:
  BaseFile() = default;
  ~BaseFile() { Close(); }
  BaseFile(const BaseFile&) = delete;
  BaseFile& operator=(const BaseFile&) = delete;

  // Opens the file for reading and appending; `create` makes a missing file (else a
  // missing file fails with ERROR_FILE_NOT_FOUND). False with the last error set.
  bool Open(const std::string& path, bool create);
  bool IsOpen() const { return static_cast<bool>(file_); }
  std::uint64_t Size() const { return end_; }
  void Close();

  // The whole file; afterwards appends go to its end.
  bool ReadAll(std::unique_ptr<char[]>& bytes, std::size_t& size);
  // Cuts the file back to its first `size` bytes; appends go to the new end.
  bool Truncate(std::uint64_t size);
  bool Append(std::string_view text);

 private:
  bool Seek(std::uint64_t offset);

  UniqueFile file_;
  std::uint64_t end_ = 0;
};
