// The contact import run: the first page, the files it names, the progress dialog and
// the finish page around the reader.
#include <algorithm>

#include "addin/CLang.h"
#include "addin/CLib.h"
#include "addin/CLogTimer.h"
#include "addin/CMultiPath.h"
#include "contacts/CDlgVCardImport.h"
#include "contacts/CDlgVCardImportFinish.h"
#include "contacts/CvCardImport.h"
#include "contacts/FormatNumbered.h"
#include "resource.h"
#include "win32/owners.h"
#include "win32/windows.h"

int CvCardImport::Execute(Outlook::_Application* app, HKEY* optionsKey, HWND parent) {
  if (!app) {
    g_LogTimer.Err("CvCardImport::Execute", 0, "no Outlook application");
    return -1;
  }
  ContactImportChoices choices;
  {
    CDlgVCardImport page(app, optionsKey);
    if (page.DoModal(parent) != IDOK) return 0;
    choices.folder = page.GetFolderObject();
    choices.files = page.m_files;
    choices.conflictResolution = page.m_conflictResolution;
    choices.filter = page.GetFilter();
  }
  const int ran = Run(choices, parent);
  if (ran < 0) return -1;
  if (ran == 0) {
    CDlgVCardImportFinish finish(optionsKey, m_counts.files, m_counts.cards, m_counts.imported,
                                 m_counts.failed, m_counts.skipped, choices.folder);
    finish.DoModal(parent);
  }
  return 0;
}

int CvCardImport::Run(const ContactImportChoices& choices, HWND parent) {
  m_counts = ContactImportCounts();
  if (!choices.folder) {
    g_LogTimer.Err("CvCardImport::Execute", 0, "no Outlook folder");
    return -1;
  }
  const std::vector<std::string> files = _CollectFiles(choices.files);
  if (files.empty()) {
    MessageBoxA(parent, g_Lang.GetText("IDS_ERR_IMPORT_VCARD_FILES_NOT_FOUND").c_str(),
                g_Lang.GetText("IDS_APP_TITLE").c_str(), MB_ICONEXCLAMATION);
    return 1;
  }
  if (!m_progress.Start(parent, IDD_VCARD_IMPORT_PROGRESS)) {
    g_LogTimer.Err("CvCardImport::Execute", 0, "progress dialog cannot start");
    return -1;
  }
  m_progressUp = true;
  m_progress.SetName(g_Lang.GetText("IDS_PROGR_IMPORT").c_str());
  m_progress.SetTotal(m_counts.cards);
  m_saver.Begin(choices, m_outlookVersion, &m_counts);
  for (const std::string& file : files) {
    if (_ImportFile(file) < 0) {
      // Every card not handled counts as skipped.
      m_counts.skipped = std::max(0, m_counts.cards - m_counts.failed - m_counts.imported);
      break;
    }
  }
  m_saver.End();
  m_progressUp = false;
  m_progress.Close();
  return 0;
}

std::vector<std::string> CvCardImport::_CollectFiles(const std::string& text) {
  CMultiPath paths;
  paths.Parse(text.c_str(), false);
  std::vector<std::string> files;
  for (int i = 0; i < paths.GetCount(); ++i) {
    const std::string& path = paths.GetAt(i);
    if (!PathIsDirectoryA(path.c_str())) {
      _AddFile(path, files);
      continue;
    }
    const std::string folder = path.back() == '\\' || path.back() == '/' ? path : path + "\\";
    WIN32_FIND_DATAA found{};
    const UniqueFind search(FindFirstFileA((folder + "*.vcf").c_str(), &found));
    if (!search) continue;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        _AddFile(folder + found.cFileName, files);
    } while (FindNextFileA(search.Get(), &found));
  }
  m_counts.files = static_cast<int>(files.size());
  return files;
}

void CvCardImport::_AddFile(const std::string& path, std::vector<std::string>& files) {
  files.push_back(path);
  m_counts.cards += _CountCards(path.c_str());
}

int CvCardImport::_CountCards(const char* path) {
  const UniqueFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file || !_ReadFile(file.Get(), path)) return 0;
  // Every BEGIN:VCARD starts a card: one cut off before its END is counted, as it fails.
  int count = 0;
  while (_NextProperty()) count += _IsBeginProperty();
  return count;
}

int CvCardImport::_ImportFile(const std::string& path) {
  const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    const std::string text = FormatNumbered(g_Lang.GetText("IDS_ERR_CANNOT_OPEN_FILE"), {path});
    const int answer =
        MessageBoxA(GetActiveWindow(), text.c_str(), g_Lang.GetText("IDS_ERR_TITLE").c_str(),
                    MB_OKCANCEL | MB_ICONEXCLAMATION);
    if (answer != IDCANCEL) return 0;
    return error != 0 ? HRESULT_FROM_WIN32(error) : E_FAIL;
  }
  if (!_ReadFile(file.Get(), nullptr)) return 0;
  // Messages about the file's values name it.
  m_fileName = path;
  return ParseCards();
}

int CvCardImport::putContactItem(const ParsedCard& card) {
  if (!m_saver.Active()) return 0;
  try {
    return m_saver.SaveContact(card);
  } catch (const _com_error& error) {
    const _bstr_t description = error.Description();
    const char* text = description;
    g_LogTimer.Err("CvCardImport::putContactItem", error.Error(), "Exception: %s",
                   text ? text : static_cast<const char*>(_bstr_t(error.ErrorMessage())));
    return FAILED(error.Error()) ? error.Error() : E_FAIL;
  } catch (...) {
    g_LogTimer.Err("CvCardImport::putContactItem", 0, "Exception");
    return -1;
  }
}

bool CvCardImport::_AfterCard() {
  if (!m_progressUp) return true;
  m_progress.Step();
  if (m_progress.IsHelpPressed())
    g_Lib.ShowContextHelp("Import_Contacts_from_Files_with_Kelvra.htm");
  return !m_progress.m_bCancel;
}
