#include "contacts/ContactImportSaver.h"

#include "addin/BstrView.h"
#include "addin/CLogTimer.h"
#include "addin/CreateByProgId.h"
#include "contacts/ContactFieldMap.h"
#include "contacts/ContactFilterCheck.h"
#include "contacts/ContactPictureFile.h"
#include "contacts/WideToAnsi.h"

namespace {

constexpr const char* kSaveTag = "CvCardImport::_SaveContact";

void LogComError(const char* function, const char* what, const _com_error& error) {
  g_LogTimer.Err(function, error.Error(), "%s: _com_error(%s)", what,
                 static_cast<const char*>(_bstr_t(error.ErrorMessage())));
}

// "[Property] = " and the value in double quotes, or in apostrophes when it holds a
// double quote; false when it holds both.
bool AppendCondition(std::basic_string<WCHAR>& restriction, const WCHAR* property,
                     const std::basic_string<WCHAR>& value) {
  WCHAR quote = u'"';
  if (value.find(u'"') != std::basic_string<WCHAR>::npos) {
    if (value.find(u'\'') != std::basic_string<WCHAR>::npos) return false;
    quote = u'\'';
  }
  if (!restriction.empty()) restriction += u" AND ";
  restriction += property;
  restriction += quote;
  restriction += value;
  restriction += quote;
  return true;
}

}  // namespace

ContactImportSaver::ContactImportSaver()
    : m_candidateView(
          CreateByProgId<Redemption::ISafeContactItemPtr>(u"Redemption.SafeContactItem")),
      m_newView(CreateByProgId<Redemption::ISafeContactItemPtr>(u"Redemption.SafeContactItem")) {}

void ContactImportSaver::Begin(const ContactImportChoices& choices, int outlookVersion,
                               ContactImportCounts* counts) {
  m_target = choices.folder;
  m_conflictMode = choices.conflictResolution;
  m_filter = choices.filter;
  m_outlookVersion = outlookVersion;
  m_counts = counts;
  m_missingViewsLogged = false;
}

void ContactImportSaver::End() {
  m_newContact = nullptr;
  if (m_newView) m_newView->put_Item(nullptr);
  if (m_candidateView) m_candidateView->put_Item(nullptr);
  m_target = nullptr;
  m_counts = nullptr;
  m_card = nullptr;
}

int ContactImportSaver::SaveContact(const ParsedCard& card) {
  m_card = &card;
  m_newContact = nullptr;
  if (!m_candidateView || !m_newView) {
    // Without them no duplicate can be told: nothing is imported rather than
    // everything twice.
    if (!m_missingViewsLogged) {
      g_LogTimer.Err(kSaveTag, 0,
                     "Redemption.SafeContactItem cannot be created: no contact is imported");
      m_missingViewsLogged = true;
    }
    ++m_counts->failed;
    return 0;
  }
  m_newView->put_Item(nullptr);
  bool saved = false;
  if (FindExistingContact() == 1) {
    if (m_newContact || _ApplyItemProps()) {
      try {
        m_newContact->Save();
        ++m_counts->imported;
        saved = true;
      } catch (const _com_error& error) {
        LogComError(kSaveTag, "Save", error);
        ++m_counts->failed;
      }
    } else {
      ++m_counts->failed;
    }
  }
  m_newView->put_Item(nullptr);
  if (!saved && m_newContact) _RemoveComparisonCopy();
  m_newContact = nullptr;
  return 0;
}

int ContactImportSaver::FindExistingContact() {
  if (!FilterContact()) {
    ++m_counts->skipped;
    return 0;
  }
  const ParsedCard& card = *m_card;
  std::basic_string<WCHAR> name = card.JoinedName();
  if (name.empty()) name = card.fullName;
  std::basic_string<WCHAR> restriction;
  if (!_Restriction(name, restriction)) return 1;

  const Outlook::_ItemsPtr items = m_target->GetItems();
  const Outlook::_ItemsPtr candidates =
      restriction.empty() ? items : items->Restrict(_bstr_t(restriction.c_str()));
  const long count = candidates->GetCount();
  Outlook::_ContactItemPtr firstDiffering;
  for (long i = 1; i <= count; ++i) {
    const Outlook::_ContactItemPtr candidate = candidates->Item(i);
    if (!candidate || !_IsCandidate(*candidate, name.empty())) continue;
    if (m_conflictMode == kLeaveExisting) {
      ++m_counts->skipped;
      return 0;
    }
    if (!m_newContact && !_ApplyItemProps()) {
      ++m_counts->failed;
      return 0;
    }
    const int same = _IsSameContact(candidate);
    if (same != 0) {
      ++(same > 0 ? m_counts->skipped : m_counts->failed);
      return 0;
    }
    if (!firstDiffering) firstDiffering = candidate;
  }
  if (m_conflictMode == kReplaceExisting && firstDiffering) firstDiffering->Delete();
  return 1;
}

bool ContactImportSaver::_Restriction(const std::basic_string<WCHAR>& name,
                                      std::basic_string<WCHAR>& restriction) const {
  restriction.clear();
  if (!name.empty() && !AppendCondition(restriction, u"[FullName] = ", name)) return false;
  const std::basic_string<WCHAR>& company = m_card->companyName;
  return company.empty() || AppendCondition(restriction, u"[CompanyName] = ", company);
}

bool ContactImportSaver::_IsCandidate(Outlook::_ContactItem& candidate, bool nameEmpty) {
  // The new contact, saved for an earlier comparison, is no duplicate of itself.
  if (_IsNewContact(candidate)) return false;
  if (nameEmpty) {
    for (const _bstr_t& part :
         {candidate.GetFirstName(), candidate.GetMiddleName(), candidate.GetLastName(),
          candidate.GetSuffix(), candidate.GetTitle()}) {
      if (part.length() > 0) return false;
    }
  }
  return !m_card->companyName.empty() || candidate.GetCompanyName().length() == 0;
}

bool ContactImportSaver::_IsNewContact(Outlook::_ContactItem& candidate) {
  if (!m_newContact) return false;
  const _bstr_t entryId = m_newContact->GetEntryID();
  return entryId.length() > 0 && std::basic_string<WCHAR>(BstrView(entryId)) ==
                                     std::basic_string<WCHAR>(BstrView(candidate.GetEntryID()));
}

bool ContactImportSaver::FilterContact() const {
  const ParsedCard& card = *m_card;
  return ContactFilterCheck::Accepts(
      m_filter, [&card] { return static_cast<long>(card.sensitivity); },
      [&card] { return WideToAnsi(card.categories); }, "CvCardImport::FilterContact");
}

bool ContactImportSaver::_ApplyItemProps() {
  try {
    m_newContact = m_target->GetItems()->Add(static_cast<long>(Outlook::olContactItem));
    if (!m_newContact) return false;
    ContactFieldMap::Apply(*m_card, *m_newContact);
    if (!m_card->picture.empty()) _AddPicture();
    return true;
  } catch (const _com_error& error) {
    LogComError("CvCardImport::_ApplyItemProps", "new contact", error);
    m_newContact = nullptr;
    return false;
  }
}

void ContactImportSaver::_AddPicture() {
  constexpr const char* kTag = "CvCardImport::_ApplyItemProps(PHOTO)";
  if (m_outlookVersion < 11) return;
  ContactPictureFile file;
  if (!file.Create(m_card->picture, m_card->pictureExtension)) {
    g_LogTimer.Err(kTag, static_cast<int>(GetLastError()), "cant create temp file");
    return;
  }
  const HRESULT added = m_newContact->raw_AddPicture(_bstr_t(file.Path().c_str()));
  if (FAILED(added)) {
    g_LogTimer.Err(kTag, added, "spContactItem->AddPicture failed, pic.ext=%s",
                   m_card->pictureExtension.c_str());
  }
}

int ContactImportSaver::_IsSameContact(const Outlook::_ContactItemPtr& candidate) {
  try {
    m_candidateView->PutItem(candidate);
    if (m_newContact->GetSaved() == VARIANT_FALSE) m_newContact->Save();
    m_newView->PutItem(m_newContact);
    const bool same =
        ContactFieldMap::Same(*m_card, *m_newContact, *m_newView, *candidate, *m_candidateView);
    m_candidateView->put_Item(nullptr);
    return same ? 1 : 0;
  } catch (const _com_error& error) {
    LogComError("CvCardImport::_IsSameContact", "compare", error);
    m_candidateView->put_Item(nullptr);
    return -1;
  }
}

void ContactImportSaver::_RemoveComparisonCopy() {
  try {
    if (m_newContact->GetSaved() == VARIANT_FALSE) return;
    const _bstr_t entryId = m_newContact->GetEntryID();
    if (entryId.length() == 0) return;
    m_newContact->Delete();
    // Deleting moved it to Deleted Items; there the second delete removes it.
    const IDispatchPtr again = m_target->GetApplication()->GetSession()->GetItemFromID(
        entryId, _variant_t(m_target->GetStoreID()));
    const Outlook::_ContactItemPtr copy = again;
    if (copy) copy->Delete();
  } catch (const _com_error& error) {
    LogComError(kSaveTag, "removing the compared copy", error);
  }
}
