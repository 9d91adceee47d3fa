// An Outlook item: message class, the property bag shared by its object-model,
// Redemption and MAPI views, named and tagged MAPI properties, attachments,
// recipients and, for an appointment series, its recurrence.
//
// Items are made by their folder (Folder::NewItem) and stay unsaved, with an
// empty entry id and outside the folder's items, until Save. Every member locks
// the mailbox's mutex, so readers on other threads see whole values.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/Attachment.h"
#include "store/MapiProperty.h"
#include "store/Nodes.h"
#include "store/PropertyBag.h"
#include "store/Recipient.h"
#include "store/Recurrence.h"
#include "store/Value.h"

namespace kelvra::store {

class Item : public std::enable_shared_from_this<Item> {
 public:
  using Mutex = std::recursive_mutex;

  Item(std::shared_ptr<Mutex> mutex, std::u16string messageClass);

  Bytes EntryId() const;
  std::u16string MessageClass() const;
  // The item type its message class stands for (itemtype::kContact...).
  std::int32_t ItemType() const;
  // The folder the item belongs to (also while unsaved); null once removed.
  FolderPtr Parent() const;
  bool Saved() const;

  // --- Properties by object-model name. A read of an absent property answers
  // its default; a set marks the item unsaved. Setting a name part of a contact
  // (Title, FirstName, MiddleName, LastName, Suffix) composes FullName from the
  // parts. A contact that was never given a FileAs reads it composed as Outlook
  // files contacts: "LastName, FirstName MiddleName", else the CompanyName.
  Value Get(std::string_view name) const;
  std::u16string GetText(std::string_view name) const;
  std::int32_t GetLong(std::string_view name) const;
  bool GetBool(std::string_view name) const;
  double GetDate(std::string_view name) const;
  Bytes GetBinary(std::string_view name) const;
  bool Has(std::string_view name) const;
  void Set(std::string_view name, Value value);
  PropertyBag Properties() const;

  // --- MAPI properties.
  std::optional<NamedValue> GetNamed(const NamedPropertyKey& key) const;
  void SetNamed(const NamedPropertyKey& key, NamedValue value);
  std::map<NamedPropertyKey, NamedValue> NamedProperties() const;
  std::optional<Value> GetTagged(std::uint32_t tag) const;
  void SetTagged(std::uint32_t tag, Value value);
  std::map<std::uint32_t, Value> TaggedProperties() const;

  // --- Attachments, in the order added.
  std::vector<AttachmentPtr> Attachments() const;
  void AddAttachment(AttachmentPtr attachment);
  // Replaces the contact's photo (an attachment marked
  // kTagAttachmentContactPhoto, named "ContactPicture.jpg") and sets
  // HasPicture.
  void AddPicture(Bytes jpegBytes);

  // --- Recipients, in the order added.
  std::vector<Recipient> Recipients() const;
  void AddRecipient(Recipient recipient);
  void SetRecipients(std::vector<Recipient> recipients);

  // --- Recurrence of an appointment series.
  std::optional<RecurrencePattern> Recurrence() const;
  void SetRecurrence(std::optional<RecurrencePattern> pattern);
  std::vector<RecurrenceException> Exceptions() const;
  void SetExceptions(std::vector<RecurrenceException> exceptions);

  // Gives an unsaved item its entry id and its place at the end of its folder's
  // items, stamps LastModificationTime with the clock and marks it saved. False
  // for an item no longer in a mailbox (removed, or its mailbox replaced).
  bool Save();
  // Moves the item to Deleted Items with the same entry id; an item already
  // there (or a mailbox without Deleted Items) is removed for good. False for
  // an item no longer in a folder.
  bool Delete();

  // Makes a built item the saved item a mailbox file describes, at the end of
  // its folder's items, without touching LastModificationTime: `properties`
  // replace the bag (FullName is composed when the file gives name parts but no
  // FullName); an entry id given must have been reserved (Mailbox::Reserve),
  // else a new one is made.
  bool Restore(Bytes entryId, PropertyBag properties);

 private:
  friend class Folder;
  friend class Mailbox;

  void ComposeFullName();
  std::u16string ComposedFileAs() const;
  void MarkChanged();
  void Refile();
  bool Enter(Bytes entryId);

  std::shared_ptr<Mutex> mutex_;
  std::weak_ptr<Folder> parent_;
  Bytes entryId_;
  std::u16string messageClass_;
  PropertyBag properties_;
  std::map<NamedPropertyKey, NamedValue> named_;
  std::map<std::uint32_t, Value> tagged_;
  std::vector<AttachmentPtr> attachments_;
  std::vector<Recipient> recipients_;
  std::optional<RecurrencePattern> recurrence_;
  std::vector<RecurrenceException> exceptions_;
  bool saved_ = false;
  // While it is among its folder's items: its place in the order they entered.
  std::optional<std::uint64_t> folderOrder_;
};

}  // namespace kelvra::store
