// A growable NUL-terminated text buffer.
#pragma once

#include <cstddef>

class CharBuffer {
 public:
  // A capacity below 1 becomes 256.
  explicit CharBuffer(int initialCapacity);
  ~CharBuffer();
  CharBuffer(const CharBuffer&) = delete;
  CharBuffer& operator=(const CharBuffer&) = delete;

  // False only when the buffer cannot grow; the text is then kept as it was. A null
  // string appends nothing.
  bool Append(const char* s);

  const char* GetData() const { return m_data ? m_data : ""; }
  int GetLength() const { return m_length; }
  int GetCapacity() const { return m_capacity; }

 private:
  bool Grow(std::size_t need);

  int m_capacity;
  char* m_data;
  int m_length;
};
