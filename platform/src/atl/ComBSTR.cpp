#include "atl/ComBSTR.h"

#include <memory>
#include <utility>

#include "com/AnsiText.h"
#include "com/com_error.h"

namespace ATL {

namespace {

BSTR CopyOf(LPCOLESTR text, UINT length) {
  BSTR copy = SysAllocStringLen(text, length);
  if (copy == nullptr) _com_issue_error(E_OUTOFMEMORY);
  return copy;
}

UINT LengthOf(LPCOLESTR text) {
  UINT length = 0;
  while (text[length] != 0) ++length;
  return length;
}

}  // namespace

CComBSTR::CComBSTR(int length, LPCOLESTR text) : m_str(CopyOf(text, static_cast<UINT>(length))) {}

CComBSTR::CComBSTR(LPCOLESTR text) {
  if (text != nullptr) m_str = CopyOf(text, LengthOf(text));
}

CComBSTR::CComBSTR(LPCSTR text) : m_str(kelvra::com::AnsiToBstr(text)) {}

CComBSTR::CComBSTR(const CComBSTR& other) : m_str(other.Copy()) {}

CComBSTR::CComBSTR(CComBSTR&& other) noexcept : m_str(std::exchange(other.m_str, nullptr)) {}

CComBSTR::~CComBSTR() { SysFreeString(m_str); }

CComBSTR& CComBSTR::operator=(const CComBSTR& other) {
  if (this != std::addressof(other)) Attach(other.Copy());
  return *this;
}

CComBSTR& CComBSTR::operator=(CComBSTR&& other) noexcept {
  if (this != std::addressof(other)) Attach(std::exchange(other.m_str, nullptr));
  return *this;
}

CComBSTR& CComBSTR::operator=(LPCOLESTR text) {
  Attach(CComBSTR(text).Detach());
  return *this;
}

CComBSTR& CComBSTR::operator=(LPCSTR text) {
  Attach(kelvra::com::AnsiToBstr(text));
  return *this;
}

BSTR* CComBSTR::operator&() noexcept {
  Empty();
  return &m_str;
}

bool CComBSTR::operator==(const CComBSTR& other) const noexcept {
  const UINT length = Length();
  if (length != other.Length()) return false;
  for (UINT i = 0; i < length; ++i) {
    if (m_str[i] != other.m_str[i]) return false;
  }
  return true;
}

bool CComBSTR::operator==(LPCOLESTR text) const noexcept {
  const UINT length = Length();
  const UINT otherLength = text != nullptr ? LengthOf(text) : 0;
  if (length != otherLength) return false;
  for (UINT i = 0; i < length; ++i) {
    if (m_str[i] != text[i]) return false;
  }
  return true;
}

unsigned int CComBSTR::Length() const noexcept { return SysStringLen(m_str); }

BSTR CComBSTR::Copy() const { return m_str != nullptr ? CopyOf(m_str, Length()) : nullptr; }

HRESULT CComBSTR::CopyTo(BSTR* out) const {
  if (out == nullptr) return E_POINTER;
  *out = m_str != nullptr ? SysAllocStringLen(m_str, Length()) : nullptr;
  return m_str != nullptr && *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

void CComBSTR::Attach(BSTR text) noexcept {
  if (text == m_str) return;
  SysFreeString(std::exchange(m_str, text));
}

BSTR CComBSTR::Detach() noexcept { return std::exchange(m_str, nullptr); }

void CComBSTR::Empty() noexcept { SysFreeString(std::exchange(m_str, nullptr)); }

HRESULT CComBSTR::Append(LPCOLESTR text, int length) {
  if (length < 0) return E_INVALIDARG;
  if (text == nullptr || length == 0) return S_OK;
  const UINT held = Length();
  BSTR joined = SysAllocStringLen(nullptr, held + static_cast<UINT>(length));
  if (joined == nullptr) return E_OUTOFMEMORY;
  for (UINT i = 0; i < held; ++i) joined[i] = m_str[i];
  for (int i = 0; i < length; ++i) joined[held + static_cast<UINT>(i)] = text[i];
  Attach(joined);
  return S_OK;
}

HRESULT CComBSTR::Append(LPCOLESTR text) {
  return text != nullptr ? Append(text, static_cast<int>(LengthOf(text))) : S_OK;
}

HRESULT CComBSTR::Append(LPCSTR text) {
  try {
    const CComBSTR wide(text);
    return Append(wide);
  } catch (const _com_error& error) {
    return error.Error();
  }
}

HRESULT CComBSTR::Append(const CComBSTR& other) { return AppendBSTR(other.m_str); }

HRESULT CComBSTR::AppendBSTR(BSTR text) {
  return Append(text, static_cast<int>(SysStringLen(text)));
}

CComBSTR& CComBSTR::operator+=(const CComBSTR& other) {
  if (FAILED(Append(other))) _com_issue_error(E_OUTOFMEMORY);
  return *this;
}

CComBSTR& CComBSTR::operator+=(LPCOLESTR text) {
  if (FAILED(Append(text))) _com_issue_error(E_OUTOFMEMORY);
  return *this;
}

}  // namespace ATL
