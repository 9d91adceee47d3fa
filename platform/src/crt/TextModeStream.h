// A FILE* in the C runtime's text mode: "\n" is written as CR LF and CR LF is read as
// "\n". Positions (ftell, fseek) are byte offsets of the file, so a position taken
// with ftell can be sought back to. The stream is unbuffered at the stdio level, so
// every fwrite or fprintf reaches the file at once; reads go through a look-ahead
// of the stream's own, which also lets a CR at the end of one read be paired with
// the LF at the start of the next.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdio>
#include <vector>

#include "base/PosixOwners.h"

namespace kelvra::platform {

class TextModeStream {
 public:
  // stdioMode is "r", "w", "a", "r+", "w+" or "a+" and matches how fd was opened.
  // Returns null (errno set) when the stream cannot be made; fd is closed then.
  static FILE* Open(UniqueFd fd, const char* stdioMode);

  TextModeStream(const TextModeStream&) = delete;
  TextModeStream& operator=(const TextModeStream&) = delete;

 private:
  explicit TextModeStream(UniqueFd fd);

  static ssize_t ReadHook(void* cookie, char* buffer, std::size_t size);
  static ssize_t WriteHook(void* cookie, const char* buffer, std::size_t size);
  static int SeekHook(void* cookie, off64_t* offset, int whence);
  static int CloseHook(void* cookie);

  ssize_t Read(char* buffer, std::size_t size);
  ssize_t Write(const char* buffer, std::size_t size);
  int Seek(off64_t* offset, int whence);
  // Reads more of the file behind what is left of the look-ahead; 0 at the end.
  ssize_t Fill();
  // Gives the look-ahead back, so the descriptor stands where the reader does.
  bool DropLookAhead();
  std::size_t Unread() const { return lookAhead_.size() - lookAheadPos_; }

  UniqueFd fd_;
  std::vector<char> lookAhead_;
  std::size_t lookAheadPos_ = 0;
};

}  // namespace kelvra::platform
