#include "calendar/ContentLineReader.h"

#include <climits>
#include <cstring>

#include "addin/AsciiText.h"
#include "addin/TakePhysicalLine.h"

namespace {

// A physical line that begins with a space or a tab continues the one before it.
bool IsFold(char c) { return c == ' ' || c == '\t'; }

}  // namespace

ContentLineReader::ContentLineReader() {
  m_line.reserve(256);
  m_value.reserve(256);
}

void ContentLineReader::Init(const char* text, std::size_t length) {
  m_end = text + length;
  m_cursor = text;
  m_lineStart = text;
  m_lineNumber = 0;
  m_lineStartNumber = 0;
  m_line.clear();
  m_joins.clear();
  m_scan = 0;
  m_name.clear();
  m_paramName.clear();
  m_paramValue.clear();
  m_value.clear();
}

void ContentLineReader::_AppendPhysical(std::string& target) {
  target += TakePhysicalLine(m_cursor, m_end);
  ++m_lineNumber;
}

bool ContentLineReader::ReadLine(bool skipBlanks) {
  m_lineStart = m_cursor;
  m_lineStartNumber = m_lineNumber;
  if (skipBlanks) {
    while (m_cursor < m_end && *m_cursor == ' ') ++m_cursor;
  }
  if (m_cursor >= m_end) return false;
  m_line.clear();
  m_joins.clear();
  _AppendPhysical(m_line);
  while (m_cursor < m_end && IsFold(*m_cursor)) {
    m_joins.push_back({m_line.size(), *m_cursor++});
    _AppendPhysical(m_line);
  }
  m_scan = 0;
  return true;
}

bool ContentLineReader::NextProperty() {
  while (ReadLine(true)) {
    const std::size_t separator = m_line.find_first_of(":;");
    if (separator == std::string::npos) continue;
    std::size_t first = 0;
    const std::size_t dot = m_line.find('.');
    if (dot < separator) first = dot + 1;
    std::size_t last = separator;
    while (last > first && AsciiText::IsBlank(m_line[last - 1])) --last;
    m_name.assign(m_line, first, last - first);
    AsciiText::ToUpper(m_name);
    m_scan = separator;
    return true;
  }
  return false;
}

void ContentLineReader::PushBack() {
  m_cursor = m_lineStart;
  m_lineNumber = m_lineStartNumber;
}

std::size_t ContentLineReader::_FindDelimiter(std::size_t pos, const char* delimiters) const {
  bool quoted = false;
  for (std::size_t i = pos; i < m_line.size(); ++i) {
    const char c = m_line[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && std::strchr(delimiters, c)) {
      return i;
    }
  }
  // A quote that never closes says nothing about where the parts end.
  return quoted ? m_line.find_first_of(delimiters, pos) : std::string::npos;
}

bool ContentLineReader::NextParam() {
  if (m_scan < m_line.size() && m_line[m_scan] == ';') ++m_scan;
  const std::size_t end = _FindDelimiter(m_scan, ":;");
  if (end == std::string::npos || end == m_scan) return false;
  const std::string_view parameter(m_line.data() + m_scan, end - m_scan);
  const std::size_t equals = parameter.find('=');
  if (equals == std::string_view::npos) {
    m_paramName.clear();
    m_paramValue = AsciiText::Trim(parameter);
  } else {
    m_paramName = AsciiText::Trim(parameter.substr(0, equals));
    AsciiText::ToUpper(m_paramName);
    m_paramValue = AsciiText::Trim(parameter.substr(equals + 1));
  }
  m_scan = end;
  return true;
}

bool ContentLineReader::ReadValue(int encoding) {
  m_value.clear();
  const std::size_t colon = _FindDelimiter(m_scan, ":");
  if (colon == std::string::npos) return false;
  m_scan = colon + 1;
  m_value.assign(m_line, m_scan, std::string::npos);
  if (encoding == kQuotedPrintable) {
    _RestoreSoftBreaks(m_scan);
    _JoinSoftBreaks();
  }
  return true;
}

void ContentLineReader::_RestoreSoftBreaks(std::size_t valueStart) {
  // A fold right after a soft break was no fold: the quoted-printable line break and
  // the blank that opened the next line both belong to the value.
  for (auto join = m_joins.rbegin(); join != m_joins.rend(); ++join) {
    if (join->offset > valueStart && m_line[join->offset - 1] == '=') {
      m_value.insert(join->offset - valueStart, std::string("\r\n") + join->blank);
    }
  }
}

void ContentLineReader::_JoinSoftBreaks() {
  while (!m_value.empty() && m_value.back() == '=' && m_cursor < m_end) {
    m_value += "\r\n";
    _AppendPhysical(m_value);
    while (m_value.back() != '=' && m_cursor < m_end && IsFold(*m_cursor)) {
      ++m_cursor;
      _AppendPhysical(m_value);
    }
  }
}

int ContentLineReader::GetInt(int def, bool* error) const {
  long long number = 0;
  if (!AsciiText::ParseUnsigned(AsciiText::Trim(m_value), INT_MAX, number)) {
    if (error) *error = true;
    return def;
  }
  return static_cast<int>(number);
}

void ContentLineReader::Split(const char* separators, std::vector<std::string>& list) const {
  std::size_t start = 0;
  while (start < m_value.size()) {
    std::size_t end = m_value.find_first_of(separators, start);
    if (end == std::string::npos) end = m_value.size();
    if (end > start) list.emplace_back(m_value, start, end - start);
    start = end + 1;
  }
}

std::string ContentLineReader::GetParamValue() const {
  std::string value = AsciiText::Trim(m_paramValue);
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}
