// The content lines of a calendar text: logical lines (folds joined), the property name,
// the parameters one by one and the value. The reader borrows the text, which must stay
// unchanged while it is read.
//
// Double quotes: a ":" or ";" inside a double-quoted parameter value neither ends the
// parameter nor starts the value (CN="Team: Sales"). A line whose quote never closes is
// read as if it had no quotes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class ContentLineReader {
 public:
  // Encoding codes of a property; quoted-printable values continue over soft breaks.
  enum Encoding { kNone = 0, k7Bit = 1, k8Bit = 2, kQuotedPrintable = 3, kBase64 = 4 };

  ContentLineReader();

  void Init(const char* text, std::size_t length);

  // The next logical line; false at the end of the text.
  bool ReadLine(bool skipBlanks);
  // The next line that holds a ":" or ";", with its name; false at the end of the text.
  bool NextProperty();
  // The current property is read once more by the next NextProperty.
  void PushBack();
  // The parameter at the scan position; false when there is none.
  bool NextParam();
  // The value after the first ":" from the scan position on; false, with an empty
  // value, without one.
  bool ReadValue(int encoding);

  // The trimmed value as an unsigned decimal number; def (and the error flag set) when
  // it is empty, holds anything but digits or does not fit an int.
  int GetInt(int def, bool* error) const;
  // Appends the non-empty pieces of the value between separator characters.
  void Split(const char* separators, std::vector<std::string>& list) const;
  // The parameter value trimmed, without the double quotes around it.
  std::string GetParamValue() const;

  const std::string& Name() const { return m_name; }
  const std::string& ParamName() const { return m_paramName; }
  const std::string& ParamValue() const { return m_paramValue; }
  const std::string& Value() const { return m_value; }
  const std::string& Line() const { return m_line; }
  int LineNumber() const { return m_lineNumber; }

 private:
  // Appends the physical line at the cursor to the line and moves past its end.
  void _AppendPhysical(std::string& target);
  // Where the first of the characters stands from pos on, outside double quotes;
  // npos when none does.
  std::size_t _FindDelimiter(std::size_t pos, const char* delimiters) const;
  void _RestoreSoftBreaks(std::size_t valueStart);
  void _JoinSoftBreaks();

  const char* m_end = nullptr;
  const char* m_cursor = nullptr;
  const char* m_lineStart = nullptr;
  int m_lineNumber = 0;
  int m_lineStartNumber = 0;
  std::string m_line;
  // Where a folded continuation was joined in the line, and the blank it dropped.
  struct Join {
    std::size_t offset;
    char blank;
  };
  std::vector<Join> m_joins;
  std::size_t m_scan = 0;
  std::string m_name;
  std::string m_paramName;
  std::string m_paramValue;
  std::string m_value;
};
