// CComBSTR: the owner of one BSTR. Text from char* goes through the ANSI code page
// (CP_ACP); a conversion or allocation that fails raises _com_error.
#pragma once

#include "com/bstr.h"

namespace ATL {

class CComBSTR {
 public:
  CComBSTR() noexcept = default;
  // length characters of text (zeroed when text is NULL).
  CComBSTR(int length, LPCOLESTR text);
  CComBSTR(LPCOLESTR text);
  CComBSTR(LPCSTR text);
  CComBSTR(const CComBSTR& other);
  CComBSTR(CComBSTR&& other) noexcept;
  ~CComBSTR();

  CComBSTR& operator=(const CComBSTR& other);
  CComBSTR& operator=(CComBSTR&& other) noexcept;
  CComBSTR& operator=(LPCOLESTR text);
  CComBSTR& operator=(LPCSTR text);

  operator BSTR() const noexcept { return m_str; }
  // Where a callee stores a new BSTR. Meant for an empty object; a held string is
  // freed first, so that none leaks.
  BSTR* operator&() noexcept;
  bool operator!() const noexcept { return m_str == nullptr; }
  // Same characters; NULL and "" are equal.
  bool operator==(const CComBSTR& other) const noexcept;
  bool operator==(LPCOLESTR text) const noexcept;

  // In characters; 0 for NULL.
  unsigned int Length() const noexcept;
  // A new copy for the caller; NULL for NULL.
  BSTR Copy() const;
  HRESULT CopyTo(BSTR* out) const;
  // Takes over text; the held string is freed.
  void Attach(BSTR text) noexcept;
  BSTR Detach() noexcept;
  void Empty() noexcept;

  // E_OUTOFMEMORY, the string unchanged, when memory runs out.
  HRESULT Append(LPCOLESTR text, int length);
  HRESULT Append(LPCOLESTR text);
  HRESULT Append(LPCSTR text);
  HRESULT Append(const CComBSTR& other);
  HRESULT AppendBSTR(BSTR text);
  CComBSTR& operator+=(const CComBSTR& other);
  CComBSTR& operator+=(LPCOLESTR text);

  BSTR m_str = nullptr;
};

}  // namespace ATL
