#include "addin/CharBuffer.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

CharBuffer::CharBuffer(int initialCapacity)
    : m_capacity(initialCapacity < 1 ? 256 : initialCapacity),
      m_data(static_cast<char*>(std::malloc(m_capacity))),
      m_length(0) {
  if (m_data)
    m_data[0] = '\0';
  else
    m_capacity = 0;
}

CharBuffer::~CharBuffer() { std::free(m_data); }

bool CharBuffer::Append(const char* s) {
  if (!s) return true;
  std::size_t add = std::strlen(s);
  std::size_t need = static_cast<std::size_t>(m_length) + add + 1;
  if (need > static_cast<std::size_t>(m_capacity) && !Grow(need)) return false;
  std::memcpy(m_data + m_length, s, add + 1);
  m_length += static_cast<int>(add);
  return true;
}

// Grows by a sixteenth of what is needed, at least 128 bytes, so that many small
// appends reallocate rarely.
bool CharBuffer::Grow(std::size_t need) {
  std::size_t capacity = need + std::max<std::size_t>(need >> 4, 128);
  if (capacity > INT_MAX) return false;
  char* data = static_cast<char*>(std::realloc(m_data, capacity));
  if (!data) return false;
  if (!m_data) data[0] = '\0';
  m_data = data;
  m_capacity = static_cast<int>(capacity);
  return true;
}
