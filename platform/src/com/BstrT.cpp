#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <utility>

#include "com/AnsiText.h"
#include "com/bstr_t.h"
#include "com/com_error.h"

// The BSTR that copies of one _bstr_t share, with its ANSI form once asked for.
class _bstr_t::Data {
 public:
  explicit Data(BSTR text) noexcept : wide(text) {}
  ~Data() { SysFreeString(wide); }
  Data(const Data&) = delete;
  Data& operator=(const Data&) = delete;

  void AddRef() noexcept { ++references_; }
  // True when this was the last reference.
  bool Release() noexcept { return --references_ == 0; }
  bool IsShared() const noexcept { return references_.load() > 1; }

  BSTR wide;
  std::unique_ptr<char[]> narrow;

 private:
  std::atomic<unsigned> references_{1};
};

namespace {

BSTR CopyOf(BSTR text) {
  if (text == nullptr) return nullptr;
  BSTR copy = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(text), SysStringByteLen(text));
  if (copy == nullptr) _com_issue_error(E_OUTOFMEMORY);
  return copy;
}

}  // namespace

_bstr_t::_bstr_t(const _bstr_t& other) noexcept : data_(other.data_) {
  if (data_ != nullptr) data_->AddRef();
}

_bstr_t::_bstr_t(_bstr_t&& other) noexcept : data_(std::exchange(other.data_, nullptr)) {}

_bstr_t::_bstr_t(const char* text) {
  if (text != nullptr) data_ = new Data(kelvra::com::AnsiToBstr(text));
}

_bstr_t::_bstr_t(const char16_t* text) {
  if (text == nullptr) return;
  BSTR copy = SysAllocString(text);
  if (copy == nullptr) _com_issue_error(E_OUTOFMEMORY);
  data_ = new Data(copy);
}

_bstr_t::_bstr_t(BSTR text, bool copy) {
  if (text != nullptr) data_ = new Data(copy ? CopyOf(text) : text);
}

_bstr_t::~_bstr_t() { Release(); }

_bstr_t& _bstr_t::operator=(const _bstr_t& other) noexcept {
  _bstr_t(other).swap(*this);
  return *this;
}

_bstr_t& _bstr_t::operator=(_bstr_t&& other) noexcept {
  _bstr_t(std::move(other)).swap(*this);
  return *this;
}

_bstr_t& _bstr_t::operator=(const char* text) { return *this = _bstr_t(text); }

_bstr_t& _bstr_t::operator=(const char16_t* text) { return *this = _bstr_t(text); }

_bstr_t& _bstr_t::operator+=(const _bstr_t& other) { return *this = *this + other; }

_bstr_t _bstr_t::operator+(const _bstr_t& other) const { return Concatenate(Wide(), other.Wide()); }

_bstr_t operator+(const char* left, const _bstr_t& right) { return _bstr_t(left) + right; }

_bstr_t operator+(const char16_t* left, const _bstr_t& right) { return _bstr_t(left) + right; }

_bstr_t::operator const char16_t*() const noexcept { return Wide(); }

_bstr_t::operator char16_t*() const noexcept { return Wide(); }

_bstr_t::operator const char*() const {
  if (data_ == nullptr) return nullptr;
  if (!data_->narrow && data_->wide != nullptr)
    data_->narrow = kelvra::com::BstrToAnsi(data_->wide);
  return data_->narrow.get();
}

bool _bstr_t::operator!() const noexcept { return Wide() == nullptr; }

bool _bstr_t::operator==(const _bstr_t& other) const noexcept {
  const UINT bytes = SysStringByteLen(Wide());
  return bytes == SysStringByteLen(other.Wide()) &&
         (bytes == 0 || std::memcmp(Wide(), other.Wide(), bytes) == 0);
}

bool operator==(const _bstr_t& left, const char* right) { return left == _bstr_t(right); }

bool operator==(const _bstr_t& left, const char16_t* right) { return left == _bstr_t(right); }

unsigned int _bstr_t::length() const noexcept { return SysStringLen(Wide()); }

BSTR _bstr_t::copy(bool copy) const { return copy ? CopyOf(Wide()) : Wide(); }

BSTR& _bstr_t::GetBSTR() {
  if (data_ == nullptr) {
    data_ = new Data(nullptr);
  } else if (data_->IsShared()) {
    _bstr_t(new Data(CopyOf(data_->wide))).swap(*this);
  }
  // The caller may replace the text: the ANSI form would be stale.
  data_->narrow.reset();
  return data_->wide;
}

BSTR* _bstr_t::GetAddress() {
  _bstr_t(new Data(nullptr)).swap(*this);
  return &data_->wide;
}

void _bstr_t::Attach(BSTR text) {
  // Already held: attaching it again would free it twice.
  if (text != nullptr && text == Wide()) return;
  _bstr_t(text, false).swap(*this);
}

BSTR _bstr_t::Detach() {
  if (data_ == nullptr) return nullptr;
  BSTR result = data_->IsShared() ? CopyOf(data_->wide) : std::exchange(data_->wide, nullptr);
  Release();
  return result;
}

void _bstr_t::Release() noexcept {
  if (data_ != nullptr && data_->Release()) delete data_;
  data_ = nullptr;
}

void _bstr_t::swap(_bstr_t& other) noexcept { std::swap(data_, other.data_); }

BSTR _bstr_t::Wide() const noexcept { return data_ != nullptr ? data_->wide : nullptr; }

_bstr_t _bstr_t::Concatenate(BSTR left, BSTR right) {
  const UINT leftBytes = SysStringByteLen(left);
  const UINT rightBytes = SysStringByteLen(right);
  BSTR joined = SysAllocStringByteLen(nullptr, leftBytes + rightBytes);
  if (joined == nullptr) _com_issue_error(E_OUTOFMEMORY);
  auto* bytes = reinterpret_cast<char*>(joined);
  if (leftBytes != 0) std::memcpy(bytes, left, leftBytes);
  if (rightBytes != 0) std::memcpy(bytes + leftBytes, right, rightBytes);
  return _bstr_t(joined, false);
}
