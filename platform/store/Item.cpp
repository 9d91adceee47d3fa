#include "store/Item.h"

#include <algorithm>
#include <array>

#include "store/Folder.h"
#include "store/ItemType.h"
#include "store/Mailbox.h"
#include "store/OleDate.h"
#include "store/PropertySchema.h"
#include "store/Store.h"
#include "win32/time.h"

namespace kelvra::store {

namespace {

// In the order Outlook composes FullName from them.
constexpr std::array<std::string_view, 5> kNameParts{"Title", "FirstName", "MiddleName", "LastName",
                                                     "Suffix"};

bool SameProperty(std::string_view a, std::string_view b) {
  const IgnoreAsciiCaseLess less;
  return !less(a, b) && !less(b, a);
}

bool IsNamePart(std::string_view name) {
  return std::any_of(kNameParts.begin(), kNameParts.end(),
                     [&](std::string_view part) { return SameProperty(part, name); });
}

void AppendWord(std::u16string& text, const std::u16string& word, std::u16string_view separator) {
  if (word.empty()) return;
  if (!text.empty()) text += separator;
  text += word;
}

double LocalNow() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  // Whole seconds: the time a file keeps, so a saved item loads back unchanged.
  return OleDate::FromParts({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond})
      .value_or(kNoDate);
}

}  // namespace

Item::Item(std::shared_ptr<Mutex> mutex, std::u16string messageClass)
    : mutex_(std::move(mutex)), messageClass_(std::move(messageClass)) {}

Bytes Item::EntryId() const {
  std::lock_guard lock(*mutex_);
  return entryId_;
}

std::u16string Item::MessageClass() const {
  std::lock_guard lock(*mutex_);
  return messageClass_;
}

std::int32_t Item::ItemType() const { return ItemType::OfMessageClass(MessageClass()); }

FolderPtr Item::Parent() const {
  std::lock_guard lock(*mutex_);
  return parent_.lock();
}

bool Item::Saved() const {
  std::lock_guard lock(*mutex_);
  return saved_;
}

Value Item::Get(std::string_view name) const {
  std::lock_guard lock(*mutex_);
  const Value* value = properties_.Find(name);
  if (value) return *value;
  if (SameProperty(name, "FileAs") && ItemType() == itemtype::kContact) {
    return Value::Text(ComposedFileAs());
  }
  return PropertySchema::DefaultOf(name);
}

std::u16string Item::GetText(std::string_view name) const { return Get(name).AsText(); }
std::int32_t Item::GetLong(std::string_view name) const { return Get(name).AsLong(); }
bool Item::GetBool(std::string_view name) const { return Get(name).AsBool(); }
double Item::GetDate(std::string_view name) const { return Get(name).AsDate(); }
Bytes Item::GetBinary(std::string_view name) const { return Get(name).AsBinary(); }

bool Item::Has(std::string_view name) const {
  std::lock_guard lock(*mutex_);
  return properties_.Contains(name);
}

void Item::Set(std::string_view name, Value value) {
  std::lock_guard lock(*mutex_);
  properties_.Set(name, std::move(value));
  if (IsNamePart(name)) ComposeFullName();
  Refile();
  MarkChanged();
}

PropertyBag Item::Properties() const {
  std::lock_guard lock(*mutex_);
  return properties_;
}

std::optional<NamedValue> Item::GetNamed(const NamedPropertyKey& key) const {
  std::lock_guard lock(*mutex_);
  const auto found = named_.find(key);
  if (found == named_.end()) return std::nullopt;
  return found->second;
}

void Item::SetNamed(const NamedPropertyKey& key, NamedValue value) {
  std::lock_guard lock(*mutex_);
  named_[key] = std::move(value);
  MarkChanged();
}

std::map<NamedPropertyKey, NamedValue> Item::NamedProperties() const {
  std::lock_guard lock(*mutex_);
  return named_;
}

std::optional<Value> Item::GetTagged(std::uint32_t tag) const {
  std::lock_guard lock(*mutex_);
  const auto found = tagged_.find(tag);
  if (found == tagged_.end()) return std::nullopt;
  return found->second;
}

void Item::SetTagged(std::uint32_t tag, Value value) {
  std::lock_guard lock(*mutex_);
  tagged_[tag] = std::move(value);
  MarkChanged();
}

std::map<std::uint32_t, Value> Item::TaggedProperties() const {
  std::lock_guard lock(*mutex_);
  return tagged_;
}

std::vector<AttachmentPtr> Item::Attachments() const {
  std::lock_guard lock(*mutex_);
  return attachments_;
}

void Item::AddAttachment(AttachmentPtr attachment) {
  std::lock_guard lock(*mutex_);
  attachments_.push_back(std::move(attachment));
  MarkChanged();
}

void Item::AddPicture(Bytes jpegBytes) {
  auto picture = std::make_shared<Attachment>();
  picture->fileName = u"ContactPicture.jpg";
  picture->bytes = std::move(jpegBytes);
  picture->mapiProperties[kTagAttachmentContactPhoto] = Value::Bool(true);

  std::lock_guard lock(*mutex_);
  std::erase_if(attachments_, [](const AttachmentPtr& a) { return a->IsContactPhoto(); });
  attachments_.push_back(std::move(picture));
  properties_.Set("HasPicture", Value::Bool(true));
  Refile();
  MarkChanged();
}

std::vector<Recipient> Item::Recipients() const {
  std::lock_guard lock(*mutex_);
  return recipients_;
}

void Item::AddRecipient(Recipient recipient) {
  std::lock_guard lock(*mutex_);
  recipients_.push_back(std::move(recipient));
  MarkChanged();
}

void Item::SetRecipients(std::vector<Recipient> recipients) {
  std::lock_guard lock(*mutex_);
  recipients_ = std::move(recipients);
  MarkChanged();
}

std::optional<RecurrencePattern> Item::Recurrence() const {
  std::lock_guard lock(*mutex_);
  return recurrence_;
}

void Item::SetRecurrence(std::optional<RecurrencePattern> pattern) {
  std::lock_guard lock(*mutex_);
  recurrence_ = std::move(pattern);
  MarkChanged();
}

std::vector<RecurrenceException> Item::Exceptions() const {
  std::lock_guard lock(*mutex_);
  return exceptions_;
}

void Item::SetExceptions(std::vector<RecurrenceException> exceptions) {
  std::lock_guard lock(*mutex_);
  exceptions_ = std::move(exceptions);
  Refile();
  MarkChanged();
}

bool Item::Save() {
  std::lock_guard lock(*mutex_);
  if (!Enter({})) return false;
  properties_.Set("LastModificationTime", Value::Date(LocalNow()));
  return true;
}

bool Item::Restore(Bytes entryId, PropertyBag properties) {
  std::lock_guard lock(*mutex_);
  properties_ = std::move(properties);
  const bool named = std::any_of(kNameParts.begin(), kNameParts.end(),
                                 [&](std::string_view part) { return properties_.Contains(part); });
  if (named && !properties_.Contains("FullName")) ComposeFullName();
  return Enter(std::move(entryId));
}

bool Item::Delete() {
  std::lock_guard lock(*mutex_);
  const FolderPtr folder = parent_.lock();
  if (!folder) return false;
  const StorePtr store = folder->OwningStore();
  const MailboxPtr mailbox = store ? store->OwningMailbox() : nullptr;
  const FolderPtr bin = mailbox ? mailbox->DefaultFolder(defaultfolder::kDeletedItems) : nullptr;
  folder->Remove(this);
  if (!saved_ && entryId_.empty()) {
    parent_.reset();
  } else if (bin && bin != folder) {
    bin->Append(shared_from_this());
    parent_ = bin;
  } else {
    parent_.reset();
  }
  return true;
}

// Joins the name parts Outlook shows in FullName, skipping empty ones.
void Item::ComposeFullName() {
  std::u16string fullName;
  for (const std::string_view part : kNameParts) {
    const Value* value = properties_.Find(part);
    if (value == nullptr || value->AsText().empty()) continue;
    if (!fullName.empty()) fullName.push_back(u' ');
    fullName += value->AsText();
  }
  properties_.Set("FullName", Value::Text(std::move(fullName)));
}

// Outlook's default "Last, First Middle"; the company for a contact without a
// name.
std::u16string Item::ComposedFileAs() const {
  const auto text = [&](std::string_view name) {
    const Value* value = properties_.Find(name);
    return value ? value->AsText() : std::u16string();
  };
  std::u16string given;
  AppendWord(given, text("FirstName"), u" ");
  AppendWord(given, text("MiddleName"), u" ");
  std::u16string fileAs = text("LastName");
  AppendWord(fileAs, given, u", ");
  return fileAs.empty() ? text("CompanyName") : fileAs;
}

void Item::MarkChanged() { saved_ = false; }

// A saved item stands in its folder's lookup tables under its texts.
void Item::Refile() {
  if (const FolderPtr folder = parent_.lock(); folder && !entryId_.empty()) {
    folder->Refile(shared_from_this());
  }
}

// Takes the item into its folder's items with an entry id (the one given, a
// kept one, or a new one) and marks it saved. The mutex is held by the caller.
bool Item::Enter(Bytes entryId) {
  const FolderPtr folder = parent_.lock();
  const StorePtr store = folder ? folder->OwningStore() : nullptr;
  const MailboxPtr mailbox = store ? store->OwningMailbox() : nullptr;
  if (!mailbox) return false;
  if (!entryId.empty()) {
    entryId_ = std::move(entryId);
  } else if (entryId_.empty()) {
    entryId_ = mailbox->NewEntryId();
  }
  folder->Append(shared_from_this());
  saved_ = true;
  return true;
}

}  // namespace kelvra::store
