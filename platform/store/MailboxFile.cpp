#include "store/MailboxFile.h"

#include <fstream>
#include <iterator>

#include "store/MailboxReader.h"
#include "store/MailboxWriter.h"

namespace kelvra::store {

MailboxPtr MailboxFile::Parse(const std::string& jsonText) {
  Json root;
  try {
    root = Json::parse(jsonText);
  } catch (const Json::parse_error& error) {
    throw MailboxFileError(std::string("mailbox file: not valid JSON: ") + error.what());
  }
  return MailboxReader::Read(root);
}

std::string MailboxFile::Write(const Mailbox& mailbox) {
  return MailboxWriter::Write(mailbox).dump(2) + "\n";
}

MailboxPtr MailboxFile::Load(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw MailboxFileError("mailbox file: cannot read " + path);
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (file.bad()) throw MailboxFileError("mailbox file: cannot read " + path);
  return Parse(text);
}

void MailboxFile::Save(const Mailbox& mailbox, const std::string& path) {
  SaveText(Write(mailbox), path);
}

void MailboxFile::SaveText(const std::string& text, const std::string& path) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file || !file.write(text.data(), static_cast<std::streamsize>(text.size())) ||
      !file.flush()) {
    throw MailboxFileError("mailbox file: cannot write " + path);
  }
}

}  // namespace kelvra::store
