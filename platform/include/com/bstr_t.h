// _bstr_t: a shared, reference-counted owner of one BSTR.
//
// Copies share the BSTR; text from char* goes through the ANSI code page (CP_ACP).
// A _bstr_t may hold no BSTR at all (default, or built from a NULL pointer): it then
// has length 0, converts to NULL pointers and compares equal to "".
#pragma once

#include "com/bstr.h"

class _bstr_t {
 public:
  _bstr_t() noexcept = default;
  _bstr_t(const _bstr_t& other) noexcept;
  _bstr_t(_bstr_t&& other) noexcept;
  _bstr_t(const char* text);
  _bstr_t(const char16_t* text);
  // Copies the BSTR, or takes it over when copy is false.
  _bstr_t(BSTR text, bool copy);
  ~_bstr_t();

  _bstr_t& operator=(const _bstr_t& other) noexcept;
  _bstr_t& operator=(_bstr_t&& other) noexcept;
  _bstr_t& operator=(const char* text);
  _bstr_t& operator=(const char16_t* text);

  _bstr_t& operator+=(const _bstr_t& other);
  _bstr_t operator+(const _bstr_t& other) const;
  friend _bstr_t operator+(const char* left, const _bstr_t& right);
  friend _bstr_t operator+(const char16_t* left, const _bstr_t& right);

  operator const char16_t*() const noexcept;
  operator char16_t*() const noexcept;
  // The text in the ANSI code page, converted once and kept with the shared BSTR.
  operator const char*() const;

  // True when no BSTR is held (an empty BSTR is not "not").
  bool operator!() const noexcept;
  bool operator==(const _bstr_t& other) const noexcept;
  friend bool operator==(const _bstr_t& left, const char* right);
  friend bool operator==(const _bstr_t& left, const char16_t* right);

  // In characters.
  unsigned int length() const noexcept;
  // A new BSTR the caller frees, or (copy false) the held one, still owned here.
  BSTR copy(bool copy = true) const;

  // The held BSTR for reading or replacing; it stops being shared with other copies.
  BSTR& GetBSTR();
  // Frees the held BSTR and answers where a callee is to store a new one.
  BSTR* GetAddress();
  // Takes over text; the previous BSTR is released.
  void Attach(BSTR text);
  // Hands the BSTR to the caller, who frees it; a BSTR shared with other copies is
  // handed over as a copy, so that they keep theirs.
  BSTR Detach();

 private:
  class Data;

  explicit _bstr_t(Data* data) noexcept : data_(data) {}
  void Release() noexcept;
  void swap(_bstr_t& other) noexcept;
  BSTR Wide() const noexcept;
  static _bstr_t Concatenate(BSTR left, BSTR right);

  Data* data_ = nullptr;
};
