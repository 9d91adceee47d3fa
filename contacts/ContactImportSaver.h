// Saves the cards of an import run as Outlook contacts in the target folder: the
// filter, the search for duplicates by full name and company, the conflict mode, and
// the clean-up of a contact that was saved only to be compared.
#pragma once

#include <string>

#include "contacts/ContactImportChoices.h"
#include "contacts/ParsedCard.h"
#include "outlook/outlook.h"
#include "redemption/redemption.h"
#include "win32/base.h"

class ContactImportSaver {
 public:
  static constexpr int kImportAsNew = 0;
  static constexpr int kReplaceExisting = 1;
  static constexpr int kLeaveExisting = 2;

  // Creates the two Redemption views; one that cannot be created stays null.
  ContactImportSaver();
  ~ContactImportSaver() = default;
  ContactImportSaver(const ContactImportSaver&) = delete;
  ContactImportSaver& operator=(const ContactImportSaver&) = delete;

  // Starts a run into choices.folder; counts (borrowed) take the card outcomes.
  void Begin(const ContactImportChoices& choices, int outlookVersion, ContactImportCounts* counts);
  // Lets go of every Outlook object of the run.
  void End();
  bool Active() const { return m_counts != nullptr; }

  // Saves one card: 0, or negative to stop the run. A COM error of the folder or its
  // items is raised to the caller.
  int SaveContact(const ParsedCard& card);

 private:
  // 1 save the new contact, 0 do not.
  int FindExistingContact();
  bool FilterContact() const;
  // The "[FullName] = ..." restriction, or "" for none; false when the name cannot
  // be quoted (no duplicate search then).
  bool _Restriction(const std::basic_string<WCHAR>& name,
                    std::basic_string<WCHAR>& restriction) const;
  bool _IsCandidate(Outlook::_ContactItem& candidate, bool nameEmpty);
  // Creates the new contact from the card; false (logged) when it cannot be made.
  bool _ApplyItemProps();
  void _AddPicture();
  // 1 same, 0 different, -1 the comparison failed.
  int _IsSameContact(const Outlook::_ContactItemPtr& candidate);
  bool _IsNewContact(Outlook::_ContactItem& candidate);
  // Removes a new contact that was saved for a comparison only, from Deleted Items too.
  void _RemoveComparisonCopy();

  Redemption::ISafeContactItemPtr m_candidateView;
  Redemption::ISafeContactItemPtr m_newView;
  Outlook::MAPIFolderPtr m_target;
  Outlook::_ContactItemPtr m_newContact;
  int m_conflictMode = kImportAsNew;
  ContactFilter m_filter;
  int m_outlookVersion = 9;
  ContactImportCounts* m_counts = nullptr;
  const ParsedCard* m_card = nullptr;
  bool m_missingViewsLogged = false;
};
