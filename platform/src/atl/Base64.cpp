#include "atl/Base64.h"

#include <algorithm>
#include <vector>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int kLineLength = 76;

int DigitOf(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Appends one character, breaking the line first when the current one is full.
class LineWriter {
 public:
  LineWriter(char* out, bool breakLines) : out_(out), breakLines_(breakLines) {}
  void Put(char c) {
    if (breakLines_ && column_ == kLineLength) {
      *out_++ = '\r';
      *out_++ = '\n';
      column_ = 0;
    }
    *out_++ = c;
    ++column_;
  }
  char* End() const { return out_; }

 private:
  char* out_;
  bool breakLines_;
  int column_ = 0;
};

// Decodes into bytes; false on bad data.
bool DecodeAll(const char* text, int length, std::vector<BYTE>& bytes) {
  unsigned bits = 0;
  int count = 0;
  bool padding = false;
  for (int i = 0; i < length; ++i) {
    const char c = text[i];
    if (IsSkipped(c)) continue;
    if (c == '=') {
      padding = true;
      continue;
    }
    const int digit = DigitOf(c);
    if (digit < 0 || padding) return false;
    bits = ((bits << 6) | static_cast<unsigned>(digit)) & 0xFFFFFFu;
    // Each digit after the first of a group of four completes one byte.
    switch (++count % 4) {
      case 2:
        bytes.push_back(static_cast<BYTE>(bits >> 4));
        break;
      case 3:
        bytes.push_back(static_cast<BYTE>(bits >> 2));
        break;
      case 0:
        bytes.push_back(static_cast<BYTE>(bits));
        break;
      default:
        break;
    }
  }
  return count % 4 != 1;
}

}  // namespace

int Base64EncodeGetRequiredLength(int nSrcLen, DWORD dwFlags) {
  if (nSrcLen <= 0) return 0;
  const long long digits = (static_cast<long long>(nSrcLen) + 2) / 3 * 4;
  long long total = digits;
  if (dwFlags & ATL_BASE64_FLAG_NOPAD) total -= (3 - nSrcLen % 3) % 3;
  if (!(dwFlags & ATL_BASE64_FLAG_NOCRLF)) total += (digits - 1) / kLineLength * 2;
  return total > 0x7FFFFFFF ? -1 : static_cast<int>(total);
}

BOOL Base64Encode(const BYTE* pbSrcData, int nSrcLen, LPSTR szDest, int* pnDestLen, DWORD dwFlags) {
  if (pnDestLen == nullptr || nSrcLen < 0 || (nSrcLen > 0 && pbSrcData == nullptr)) return FALSE;
  const int needed = Base64EncodeGetRequiredLength(nSrcLen, dwFlags);
  if (needed < 0 || (needed > 0 && (szDest == nullptr || *pnDestLen < needed))) {
    *pnDestLen = needed;
    return FALSE;
  }
  const bool pad = !(dwFlags & ATL_BASE64_FLAG_NOPAD);
  LineWriter out(szDest, !(dwFlags & ATL_BASE64_FLAG_NOCRLF));
  int i = 0;
  for (; i + 3 <= nSrcLen; i += 3) {
    const unsigned group = pbSrcData[i] << 16 | pbSrcData[i + 1] << 8 | pbSrcData[i + 2];
    out.Put(kAlphabet[group >> 18]);
    out.Put(kAlphabet[group >> 12 & 0x3F]);
    out.Put(kAlphabet[group >> 6 & 0x3F]);
    out.Put(kAlphabet[group & 0x3F]);
  }
  if (i < nSrcLen) {
    const bool two = i + 1 < nSrcLen;
    const unsigned group = pbSrcData[i] << 16 | (two ? pbSrcData[i + 1] << 8 : 0);
    out.Put(kAlphabet[group >> 18]);
    out.Put(kAlphabet[group >> 12 & 0x3F]);
    if (two)
      out.Put(kAlphabet[group >> 6 & 0x3F]);
    else if (pad)
      out.Put('=');
    if (pad) out.Put('=');
  }
  *pnDestLen = static_cast<int>(out.End() - szDest);
  return TRUE;
}

int Base64DecodeGetRequiredLength(int nSrcLen) { return nSrcLen <= 0 ? 0 : nSrcLen / 4 * 3 + 2; }

BOOL Base64Decode(LPCSTR szSrc, int nSrcLen, BYTE* pbDest, int* pnDestLen) {
  if (pnDestLen == nullptr || nSrcLen < 0 || (nSrcLen > 0 && szSrc == nullptr)) return FALSE;
  std::vector<BYTE> bytes;
  bytes.reserve(static_cast<std::size_t>(Base64DecodeGetRequiredLength(nSrcLen)));
  if (!DecodeAll(szSrc, nSrcLen, bytes)) return FALSE;
  const int size = static_cast<int>(bytes.size());
  if (size > 0 && (pbDest == nullptr || *pnDestLen < size)) {
    *pnDestLen = size;
    return FALSE;
  }
  std::copy(bytes.begin(), bytes.end(), pbDest);
  *pnDestLen = size;
  return TRUE;
}
