// The vCard reader over bytes in memory: the shipped encodings list behind
// g_CharConverter, the error log, and a reader that keeps
// every card it finishes.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ContactsTestSupport.h"
#include "contacts/CvCardImport.h"
#include "contacts/DovantCharConverter.h"
#include "contacts/ParsedCard.h"

namespace kelvra::test {

// Keeps each finished card and answers with result.
class RecordingImport : public CvCardImport {
 public:
  int putContactItem(const ParsedCard& card) override {
    cards.push_back(card);
    return result;
  }

  std::vector<ParsedCard> cards;
  int result = 0;
};

class VCardReaderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Every card the reader saves from these file bytes; ParseCards must return 0.
  std::vector<ParsedCard> Parse(const std::string& bytes, int outlookVersion = 14);
  // The one card the bytes hold.
  ParsedCard ParseOne(const std::string& bytes);
  // A card of the version ("2.1" or "3.0") around the property lines, all ending CR LF.
  static std::string Card(const char* version, const std::vector<std::string>& lines);
  // The same card with every line end of the given kind.
  static std::string CardWithLineEnd(const char* version, const std::vector<std::string>& lines,
                                     const std::string& lineEnd);

  static std::string ReadData(const std::string& name);
  static std::u16string U16(const std::string& utf8);
  // UTF-16 units as bytes of either order, with an optional byte-order mark.
  static std::string Utf16Bytes(const std::u16string& text, bool bigEndian, bool mark);

  const ErrorLogWatch& Log() const { return *m_log; }

 private:
  AddinFolder m_addinFolder;
  std::unique_ptr<DovantCharConverter> m_converter;
  std::unique_ptr<ErrorLogWatch> m_log;
};

}  // namespace kelvra::test
