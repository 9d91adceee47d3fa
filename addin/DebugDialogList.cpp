#include "addin/DebugDialogList.h"

#include <algorithm>
#include <iterator>

#include "addin/CDlgLabels.h"
#include "addin/CDlgSelectAction.h"
#include "addin/ShowSampleProgress.h"
#include "calendar/CDlgVCalExport.h"
#include "calendar/CDlgVCalExportFilter.h"
#include "calendar/CDlgVCalExportFinish.h"
#include "calendar/CDlgVCalExportOptions.h"
#include "calendar/CDlgVCalImport.h"
#include "calendar/CDlgVCalImportFilter.h"
#include "calendar/CDlgVCalImportFinish.h"
#include "calendar/CDlgVCalImportOptions.h"
#include "contacts/CDlgVCardExport.h"
#include "contacts/CDlgVCardExportFinish.h"
#include "contacts/CDlgVCardExportOptions.h"
#include "contacts/CDlgVCardImport.h"
#include "contacts/CDlgVCardImportFinish.h"
#include "contacts/CDlgVCardImportOptions.h"
#include "resource.h"

namespace {

// Finish-page counts that bring up every line of the page, failures and skips too.
constexpr int kSampleFiles = 3;
constexpr int kSampleItems = 12;
constexpr int kSampleDone = 9;
constexpr int kSampleFailed = 2;
constexpr int kSampleSkipped = 1;
constexpr const char* kSampleFolder = "c:\\";
constexpr const char* kSampleWrittenFiles[] = {"c:\\safari_dialog1.jpg", "c:\\safari_dialog2.jpg"};

void ShowLabels(const DebugShowContext& context, WORD) {
  CDlgLabels dialog(0);
  dialog.DoModal(context.parent);
}

void ShowSelectAction(const DebugShowContext& context, WORD) {
  CDlgSelectAction dialog;
  dialog.DoModal(context.parent);
}

void ShowContactExport(const DebugShowContext& context, WORD) {
  CDlgVCardExport page(context.app, context.optionsKey);
  page.DoModal(context.parent);
}

// Opened with the stored options, as the first page opens it.
void ShowContactExportOptions(const DebugShowContext& context, WORD) {
  const CDlgVCardExport first(context.app, context.optionsKey);
  CDlgVCardExportOptions page(context.app, first.m_overwrite, first.m_formatChoice,
                              first.m_filterMask, first.m_filterCategories, first.m_encoding);
  page.DoModal(context.parent);
}

void ShowContactExportFinish(const DebugShowContext& context, WORD) {
  WrittenFilesMap written;
  for (const char* file : kSampleWrittenFiles) written.emplace(file, 0);
  CDlgVCardExportFinish page(context.app, context.optionsKey, kSampleItems, kSampleDone,
                             kSampleFailed, kSampleSkipped, kSampleFolder, &written);
  page.DoModal(context.parent);
}

void ShowContactImport(const DebugShowContext& context, WORD) {
  CDlgVCardImport page(context.app, context.optionsKey);
  page.DoModal(context.parent);
}

// Opened with the stored options, as the first page opens it.
void ShowContactImportOptions(const DebugShowContext& context, WORD) {
  const CDlgVCardImport first(context.app, context.optionsKey);
  CDlgVCardImportOptions page(context.app, first.m_conflictResolution, first.m_filterMask,
                              first.m_filterCategories);
  page.DoModal(context.parent);
}

void ShowContactImportFinish(const DebugShowContext& context, WORD) {
  CDlgVCardImportFinish page(context.optionsKey, kSampleFiles, kSampleItems, kSampleDone,
                             kSampleFailed, kSampleSkipped, nullptr);
  page.DoModal(context.parent);
}

// The wizard's first page starts with "export selected only" wanted.
void ShowCalendarExport(const DebugShowContext& context, WORD) {
  CDlgVCalExport page(context.app, context.optionsKey, nullptr, true);
  page.DoModal(context.parent);
}

// Opened with the stored options, as the first page opens it.
void ShowCalendarExportOptions(const DebugShowContext& context, WORD) {
  const CDlgVCalExport first(context.app, context.optionsKey, nullptr, false);
  CDlgVCalExportOptions page(first.m_overwrite, first.m_format, first.m_encoding);
  page.DoModal(context.parent);
}

void ShowCalendarExportFilter(const DebugShowContext& context, WORD) {
  CDlgVCalExportFilter page(context.app, context.optionsKey);
  page.DoModal(context.parent);
}

void ShowCalendarExportFinish(const DebugShowContext& context, WORD) {
  WrittenFilesMap written;
  for (const char* file : kSampleWrittenFiles) written.emplace(file, 0);
  CDlgVCalExportFinish page(context.app, context.optionsKey, kSampleItems, kSampleDone,
                            kSampleFailed, kSampleSkipped, kSampleFolder, &written);
  page.DoModal(context.parent);
}

void ShowCalendarImport(const DebugShowContext& context, WORD) {
  CDlgVCalImport page(context.app, context.optionsKey, nullptr);
  page.DoModal(context.parent);
}

// Opened with the stored options, as the first page opens it.
void ShowCalendarImportOptions(const DebugShowContext& context, WORD) {
  const CDlgVCalImport first(context.app, context.optionsKey, nullptr);
  CDlgVCalImportOptions page(first.m_conflict, first.m_zone, first.m_zoneName);
  page.DoModal(context.parent);
}

void ShowCalendarImportFilter(const DebugShowContext& context, WORD) {
  CDlgVCalImportFilter page(context.app, context.optionsKey);
  page.DoModal(context.parent);
}

void ShowCalendarImportFinish(const DebugShowContext& context, WORD) {
  CDlgVCalImportFinish page(context.optionsKey, kSampleFiles, kSampleItems, kSampleDone,
                            kSampleFailed, kSampleSkipped, nullptr);
  page.DoModal(context.parent);
}

constexpr DebugDialogEntry kDialogs[] = {
    {IDD_EVENT_LABELS, "IDD_EVENT_LABELS", &ShowLabels},
    {IDD_SELECT_ACTION, "IDD_SELECT_ACTION", &ShowSelectAction},
    {IDD_VCAL_EXPORT, "IDD_VCAL_EXPORT", &ShowCalendarExport},
    {IDD_VCAL_EXPORT_OPTIONS, "IDD_VCAL_EXPORT_OPTIONS", &ShowCalendarExportOptions},
    {IDD_VCAL_EXPORT_FILTER, "IDD_VCAL_EXPORT_FILTER", &ShowCalendarExportFilter},
    {IDD_VCAL_EXPORT_PROGRESS, "IDD_VCAL_EXPORT_PROGRESS", &ShowSampleProgress},
    {IDD_VCAL_EXPORT_FINISH, "IDD_VCAL_EXPORT_FINISH", &ShowCalendarExportFinish},
    {IDD_VCAL_IMPORT, "IDD_VCAL_IMPORT", &ShowCalendarImport},
    {IDD_VCAL_IMPORT_OPTIONS, "IDD_VCAL_IMPORT_OPTIONS", &ShowCalendarImportOptions},
    {IDD_VCAL_IMPORT_FILTER, "IDD_VCAL_IMPORT_FILTER", &ShowCalendarImportFilter},
    {IDD_VCAL_IMPORT_PROGRESS, "IDD_VCAL_IMPORT_PROGRESS", &ShowSampleProgress},
    {IDD_VCAL_IMPORT_FINISH, "IDD_VCAL_IMPORT_FINISH", &ShowCalendarImportFinish},
    {IDD_VCARD_EXPORT, "IDD_VCARD_EXPORT", &ShowContactExport},
    {IDD_VCARD_EXPORT_OPTIONS, "IDD_VCARD_EXPORT_OPTIONS", &ShowContactExportOptions},
    {IDD_VCARD_EXPORT_PROGRESS, "IDD_VCARD_EXPORT_PROGRESS", &ShowSampleProgress},
    {IDD_VCARD_EXPORT_FINISH, "IDD_VCARD_EXPORT_FINISH", &ShowContactExportFinish},
    {IDD_VCARD_IMPORT, "IDD_VCARD_IMPORT", &ShowContactImport},
    {IDD_VCARD_IMPORT_OPTIONS, "IDD_VCARD_IMPORT_OPTIONS", &ShowContactImportOptions},
    {IDD_VCARD_IMPORT_PROGRESS, "IDD_VCARD_IMPORT_PROGRESS", &ShowSampleProgress},
    {IDD_VCARD_IMPORT_FINISH, "IDD_VCARD_IMPORT_FINISH", &ShowContactImportFinish},
};

}  // namespace

std::span<const DebugDialogEntry> DebugDialogList() { return kDialogs; }

const DebugDialogEntry* FindDebugDialog(WORD id) {
  const auto found = std::find_if(std::begin(kDialogs), std::end(kDialogs),
                                  [id](const DebugDialogEntry& entry) { return entry.id == id; });
  return found != std::end(kDialogs) ? found : nullptr;
}
