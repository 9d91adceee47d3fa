// The loaded language file: text lookups by key and localisation of whole dialogs
// from a table of records. One global object, g_Lang, loaded once at connection.
#pragma once

#include <string>
#include <vector>

#include "win32/base.h"

// Kinds of LocalizeRecord. Kind 2 and kinds 7 to 13 are controls whose text the page
// fills in itself; kinds 3 to 5 are the button kinds.
enum LocalizeKind : UINT {
  LOCALIZE_DIALOG = 0,
  LOCALIZE_LABEL = 1,
  LOCALIZE_BUTTON = 3,
  LOCALIZE_CHECKBOX = 4,
  LOCALIZE_OPTION = 5,
  LOCALIZE_FRAME = 6,
  LOCALIZE_EDIT = 7,
  LOCALIZE_COMBO = 8,
  LOCALIZE_PROGRESS = 12,
  LOCALIZE_DATETIME = 13,
};

// Option bit of a LocalizeRecord: the control's text is set at run time, so a missing
// caption is expected and not reported.
inline constexpr UINT LOCALIZE_RUNTIME_TEXT = 0x1;

// One row of a dialog's localisation table.
struct LocalizeRecord {
  UINT kind;
  int id;
  const char* key;
  UINT option;
};

class CLang {
 public:
  // One language file found by ListFiles.
  struct FileInfo {
    std::string path;
    std::string lang;    // display name
    std::string langId;  // the code stored in "LANG", e.g. "EN"
  };

  // The section of the add-in's own texts, which the dialogs' sections are named after.
  static constexpr const char* kBaseSection = "Kelvra.dll";
  // The "signature" value of the "version" section of every language file.
  static constexpr const char* kSignature = "Ostrane.LangIniFile";
  // Passed as the default of every lookup: no language file holds it, so getting it
  // back tells a missing key from an empty value.
  static constexpr const char* kMissingValue = "{5C0B7E52-94A1-4D3F-8E26-1A7F0C93B4D8}";

  CLang() = default;
  virtual ~CLang() = default;
  CLang(const CLang&) = delete;
  CLang& operator=(const CLang&) = delete;

  // Clears the object, then loads the file when its "version" section is valid. The
  // base section is kept when given and not empty (it may be this object's own).
  bool LoadFile(const char* path, const char* baseSection);
  // Clears the object and loads the first language file of the folder (pattern e.g.
  // "*.ini") whose "langid" equals langId without regard to case.
  bool Load(const char* langId, const char* folder, const char* pattern, const char* baseSection);
  void Clear();

  // The valid language files of folder matching pattern, in directory order.
  static std::vector<FileInfo> ListFiles(const char* folder, const char* pattern);

  const char* GetFileName() const;  // null when no file is loaded
  const char* GetLangId() const { return m_langId.c_str(); }
  const char* GetLangName() const { return m_lang.c_str(); }
  const char* GetSection() const;  // null when none
  // The part of the path after its last "\" or "/"; "" without a file.
  const char* GetFileTitle() const;

  // The text of key in the base section, or in "<base>.<dlgSection>" for a non-empty
  // dialog section, escapes resolved. A missing key gives "" and logs a warning.
  std::string GetText(const char* key, const char* dlgSection = nullptr) const;

  // A layout value read as a sum of signed decimal terms ("10 + 5" is 15); a missing,
  // empty or digit-less value gives the default, an invalid one the default and an error.
  int integer(const char* key, const char* dlgSection, int defaultValue) const;

  // Sets the dialog's caption and its controls' texts, layout deltas, visibility and
  // multi-line style from the dialog's section.
  void LocalizeDlg(HWND dlg, int count, const LocalizeRecord* records, const char* dlgSection,
                   UINT option) const;
  // Localises one control, or the dialog itself when ctrl is the dialog and key is "".
  void LocalizeDlgCtrl(HWND dlg, HWND ctrl, const char* dlgSection, const char* key, UINT kind,
                       UINT option) const;

 private:
  static bool ReadVersion(const std::string& path, FileInfo& info);
  std::string SectionFor(const char* dlgSection) const;
  // The raw value, escapes resolved; false when the key is missing.
  bool Lookup(const char* key, const char* dlgSection, std::string& text) const;
  std::string ControlText(const char* dlgSection, const char* key) const;
  void ApplyLayout(HWND dlg, HWND ctrl, const char* dlgSection, const std::string& keyBase) const;
  void ApplyVisibility(HWND ctrl, const char* dlgSection, const std::string& keyBase) const;
  void ApplyMultiLine(HWND ctrl, const char* dlgSection, const std::string& keyBase) const;

  std::string m_path;  // empty when no file is loaded
  std::string m_lang;
  std::string m_langId;
  std::string m_baseSection;  // empty when none
};

extern CLang g_Lang;
