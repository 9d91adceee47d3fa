#include "testkit/Store.h"

#include <algorithm>

#include "store/CurrentMailbox.h"
#include "store/FaultPlan.h"
#include "store/MailboxFile.h"
#include "store/NameMatch.h"
#include "store/OutlookVersion.h"
#include "store/Utf.h"

namespace testkit {

using kelvra::store::FolderPtr;
using kelvra::store::ItemPtr;
using kelvra::store::MailboxFile;

void LoadMailboxText(const std::string& json) {
  kelvra::store::CurrentMailbox::Replace(MailboxFile::Parse(json));
}

void LoadMailboxFile(const std::string& linuxPath) {
  kelvra::store::CurrentMailbox::Replace(MailboxFile::Load(linuxPath));
}

void SaveMailboxFile(const std::string& linuxPath) {
  MailboxFile::Save(*kelvra::store::CurrentMailbox::Get(), linuxPath);
}

std::string MailboxText() { return MailboxFile::Write(*kelvra::store::CurrentMailbox::Get()); }

void SaveMailboxText(const std::string& text, const std::string& linuxPath) {
  MailboxFile::SaveText(text, linuxPath);
}

void ResetMailbox() {
  kelvra::store::CurrentMailbox::Replace(kelvra::store::Mailbox::CreateStandard());
  kelvra::store::OutlookVersion::SetMajor(14);
  kelvra::store::FaultPlan::Clear();
}

void SetOutlookVersion(int major) { kelvra::store::OutlookVersion::SetMajor(major); }

kelvra::store::MailboxPtr CurrentMailbox() { return kelvra::store::CurrentMailbox::Get(); }

FolderPtr FindFolder(std::string_view path) {
  std::vector<std::u16string> names;
  std::string_view rest = path;
  while (!rest.empty()) {
    const std::size_t cut = rest.find_first_of("/\\");
    names.push_back(Utf16(rest.substr(0, cut)));
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
  }
  if (names.size() < 2) return nullptr;
  const auto stores = kelvra::store::CurrentMailbox::Get()->Stores();
  const auto store = std::find_if(stores.begin(), stores.end(), [&](const auto& s) {
    return kelvra::store::SameName(s->Name(), names.front());
  });
  if (store == stores.end()) return nullptr;
  FolderPtr folder = (*store)->FindFolder(names[1]);
  for (std::size_t i = 2; folder && i < names.size(); ++i) folder = folder->FindFolder(names[i]);
  return folder;
}

ItemPtr FindItem(std::string_view folderPath, std::string_view name) {
  const FolderPtr folder = FindFolder(folderPath);
  if (!folder) return nullptr;
  const std::u16string wanted = Utf16(name);
  for (const ItemPtr& item : folder->Items()) {
    for (const char* property : {"FullName", "DLName", "Subject"}) {
      if (item->Has(property) && item->GetText(property) == wanted) return item;
    }
  }
  return nullptr;
}

std::string Text(const ItemPtr& item, std::string_view property) {
  return Utf8(item->GetText(property));
}

std::u16string Utf16(std::string_view utf8) { return kelvra::store::Utf::ToUtf16(utf8); }

std::string Utf8(std::u16string_view utf16) { return kelvra::store::Utf::ToUtf8(utf16); }

void FailCall(const std::string& member, int nth, HRESULT hr) {
  kelvra::store::FaultPlan::Fail(member, nth, hr);
}

void ExhaustMemoryOnCall(const std::string& member, int nth) {
  kelvra::store::FaultPlan::ExhaustMemory(member, nth);
}

void ClearFaults() { kelvra::store::FaultPlan::Clear(); }

}  // namespace testkit
