// The export wizard's run: the pages, the items, the event filter and the file names.
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "addin/CDlgProgress.h"
#include "addin/CLang.h"
#include "addin/CLib.h"
#include "addin/CLogTimer.h"
#include "addin/FitExportFilePath.h"
#include "addin/LinkCommands.h"
#include "addin/LogComError.h"
#include "addin/MakeExportFileName.h"
#include "calendar/CDlgVCalExport.h"
#include "calendar/CDlgVCalExportFilter.h"
#include "calendar/CDlgVCalExportFinish.h"
#include "calendar/CalendarDateText.h"
#include "calendar/CalendarFilterRules.h"
#include "calendar/CvCalExport.h"
#include "contacts/DovantCharConverter.h"
#include "resource.h"
#include "win32/files.h"

namespace {

constexpr const char* kExecute = "CvCalExport::Execute";
constexpr const char* kFilterItem = "CvCalExport::FilterItem";
constexpr const char* kLabelSet = "{00062002-0000-0000-C000-000000000046}";
constexpr long kLabelId = 0x8214;
constexpr long kPtLong = 3;
constexpr long kLabelBirthdays = 0x80;  // label 8
constexpr long kLastLabel = 10;
constexpr long kMinutesPerDay = 1440;

// What _ExportOne reports besides ExportItem's results.
constexpr int kLeftOut = 1;
constexpr int kPassedOver = 2;

std::string Text(const _bstr_t& text) {
  const char* chars = text;
  return chars ? chars : "";
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The recurrence pattern of a series as the date window reads it; none for a single
// appointment.
std::optional<SeriesWindow::Rule> SeriesRuleOf(const Outlook::_AppointmentItemPtr& item) {
  if (item->GetIsRecurring() == VARIANT_FALSE) return std::nullopt;
  const Outlook::RecurrencePatternPtr pattern = item->GetRecurrencePattern();
  SeriesWindow::Rule rule;
  rule.type = pattern->GetRecurrenceType();
  rule.interval = pattern->GetInterval();
  rule.dayMask = pattern->GetDayOfWeekMask();
  rule.dayOfMonth = pattern->GetDayOfMonth();
  rule.instance = pattern->GetInstance();
  rule.monthOfYear = pattern->GetMonthOfYear();
  if (pattern->GetNoEndDate() == VARIANT_FALSE) {
    rule.occurrences = pattern->GetOccurrences();
    rule.lastDay = COleDateTime(pattern->GetPatternEndDate());
  }
  return rule;
}

}  // namespace

// What the pages chose for the run.
struct CvCalExport::Choices {
  Outlook::MAPIFolderPtr folder;
  std::string encoding;
  std::string windowsFolder;
  int format = kVCalendar10;
  bool oneFile = true;
  bool overwrite = false;
  bool selectedOnly = true;
  bool useFilter = false;
  CvCalFilter filter;
};

int CvCalExport::Execute(Outlook::_Application* app, HKEY* optionsKey, HWND parent) {
  if (!app) {
    g_LogTimer.Err(kExecute, 0, "no Outlook application");
    return -1;
  }
  m_currentFile.clear();
  m_writtenFiles.clear();
  m_counts = Counts{};
  Choices choices;
  if (!_RunPages(app, optionsKey, parent, choices)) return 0;
  _TakeChoices(choices);
  long count = 0;
  Outlook::_ItemsPtr items;
  Outlook::SelectionPtr selection;
  if (!_OpenItems(app, choices, count, items, selection)) return -1;
  if (count > 0) {
    if (!BeforeExport()) {
      m_counts.failed = static_cast<int>(count);
    } else {
      const ItemsEnd end = _ExportItems(parent, count, items, selection);
      if (end != ItemsEnd::kItemsDone) {
        // Without its progress dialog the run has not begun; a broken one keeps what
        // it wrote.
        if (end == ItemsEnd::kNoProgress) AbandonExport();
        _WriteFooter();
        _ReleaseItems();
        return -1;
      }
    }
  }
  if (!_WriteFooter()) {
    // None of the events reached the one file.
    m_counts.failed += m_counts.exported;
    m_counts.exported = 0;
    m_writtenFiles.clear();
  }
  _ReleaseItems();
  {
    CDlgVCalExportFinish finish(
        app, optionsKey, m_counts.exported + m_counts.failed + m_counts.skipped, m_counts.exported,
        m_counts.failed, m_counts.skipped, choices.windowsFolder.c_str(), &m_writtenFiles);
    finish.DoModal(parent);
  }
  m_writtenFiles.clear();
  return 0;
}

void CvCalExport::_ReleaseItems() {
  // The run keeps no Outlook item once it is over.
  m_item = nullptr;
  if (m_safeItem) m_safeItem->PutItem(nullptr);
}

bool CvCalExport::_RunPages(Outlook::_Application* app, HKEY* optionsKey, HWND parent,
                            Choices& choices) {
  for (;;) {
    {
      CDlgVCalExport page(app, optionsKey, choices.folder, choices.selectedOnly);
      if (page.DoModal(parent) != IDOK) return false;
      choices.folder = page.m_folder;
      choices.encoding = page.m_encoding;
      choices.windowsFolder = page.m_windowsFolder;
      choices.format = page.m_format == kICalendar20 ? kICalendar20 : kVCalendar10;
      choices.oneFile = page.m_oneFile;
      choices.overwrite = page.m_overwrite;
      choices.selectedOnly = page.m_exportSelected;
      choices.useFilter = page.m_gotoFilter;
    }
    if (!choices.useFilter) return true;
    CDlgVCalExportFilter filter(app, optionsKey);
    const INT_PTR result = filter.DoModal(parent);
    choices.filter = filter.GetFilter();
    if (result == IDOK) return true;
    if (result != IDBACK) return false;
  }
}

void CvCalExport::_TakeChoices(const Choices& choices) {
  g_CharConverter->SetCurrentByName(choices.encoding.c_str());
  std::string base;
  if (choices.oneFile && choices.folder) {
    try {
      base = Text(choices.folder->GetName());
    } catch (const _com_error& error) {
      LogComError(kExecute, error);
    }
  }
  SetOutput(choices.windowsFolder, choices.oneFile, choices.overwrite, base);
  m_format = choices.format;
  m_useFilter = choices.useFilter;
  m_filter = choices.filter;
  m_fileOpen = false;
  m_labelTag = 0;
  m_missingSafeItemLogged = false;
}

bool CvCalExport::_OpenItems(Outlook::_Application* app, const Choices& choices, long& count,
                             Outlook::_ItemsPtr& items, Outlook::SelectionPtr& selection) {
  count = 0;
  try {
    if (choices.selectedOnly) {
      const Outlook::_ExplorerPtr explorer = app ? app->ActiveExplorer() : nullptr;
      if (!explorer) {
        g_LogTimer.Err(kExecute, 0, "no active explorer");
        return false;
      }
      selection = explorer->GetSelection();
      count = selection->GetCount();
      return true;
    }
    if (!choices.folder) {
      g_LogTimer.Err(kExecute, 0, "no Outlook folder");
      return true;
    }
    items = choices.folder->GetItems();
    count = items->GetCount();
    return true;
  } catch (const _com_error& error) {
    LogComError(kExecute, error);
    count = 0;
    return false;
  }
}

CvCalExport::ItemsEnd CvCalExport::_ExportItems(HWND parent, long count,
                                                const Outlook::_ItemsPtr& items,
                                                const Outlook::SelectionPtr& selection) {
  CDlgProgress progress;
  if (!progress.Start(parent, IDD_VCAL_EXPORT_PROGRESS)) {
    g_LogTimer.Err(kExecute, 0, "progress dialog cannot start");
    return ItemsEnd::kNoProgress;
  }
  ItemsEnd end = ItemsEnd::kItemsDone;
  try {
    progress.SetName(g_Lang.GetText("IDS_PROGR_EXPORT").c_str());
    progress.SetTotal(static_cast<int>(count));
    for (long i = 1; i <= count; ++i) {
      if (progress.m_bCancel) {
        m_counts.skipped += static_cast<int>(count - i + 1);
        break;
      }
      if (progress.IsHelpPressed()) g_Lib.ShowContextHelp(help_topics::kExportEvents);
      const int result = _ExportOne(i, items, selection);
      if (result == kPassedOver) continue;
      if (result == kLeftOut) {
        ++m_counts.skipped;
        continue;
      }
      if (result >= 0) {
        ++m_counts.exported;
      } else {
        ++m_counts.failed;
        if (result == -2 && m_oneFile) {
          // Without its one file the run cannot write any other event either.
          m_counts.failed += static_cast<int>(count - i);
          break;
        }
      }
      progress.Step();
    }
  } catch (...) {
    g_LogTimer.Err(kExecute, 0, "CATCHED EXCEPTION!");
    end = ItemsEnd::kRunBroken;
  }
  progress.Close();
  return end;
}

int CvCalExport::_ExportOne(long index, const Outlook::_ItemsPtr& items,
                            const Outlook::SelectionPtr& selection) {
  try {
    const IDispatchPtr item =
        items ? items->Item(_variant_t(index)) : selection->Item(_variant_t(index));
    const Outlook::_AppointmentItemPtr appointment = item;
    if (!appointment) return kPassedOver;
    if (!m_safeItem) {
      if (!m_missingSafeItemLogged)
        g_LogTimer.Err(kExecute, 0,
                       "Redemption.SafeAppointmentItem cannot be created: no event is exported");
      m_missingSafeItemLogged = true;
      return -1;
    }
    SetItem(appointment);
    if (m_useFilter && !FilterItem()) return kLeftOut;
    return ExportItem();
  } catch (const _com_error& error) {
    g_LogTimer.Err("CvCalExport::ExportItem", error.Error(), "_com_error(%s), ",
                   Text(error.Description()).c_str());
  } catch (...) {
    g_LogTimer.Err("CvCalExport::ExportItem", 0, "CATCHED EXCEPTION!");
  }
  return -1;
}

// --- The event filter -----------------------------------------------------------------

bool CvCalExport::FilterItem() {
  const DWORD mask = m_filter.mask;
  if (mask == 0) return true;
  if ((mask & CvCalFilter::kSkipAllDay) != 0 && _IsAllDay()) return false;
  if ((mask & CvCalFilter::kSkipNotNormal) != 0 && m_item->GetSensitivity() != 0) return false;
  if (CalendarFilterRules::CategoriesLeaveOut(m_filter, Text(m_item->GetCategories()), kFilterItem))
    return false;
  if (CalendarFilterRules::LabelsLeaveOut(
          m_filter, [this] { return _LabelMatches(); }, kFilterItem, "filter.LabelMask = 0"))
    return false;
  if ((mask & CvCalFilter::kDates) != 0) {
    // A series counts by its occurrences: its own times are those of the first one.
    const std::optional<SeriesWindow::Rule> series = SeriesRuleOf(m_item);
    if (CalendarFilterRules::DatesLeaveOut(m_filter, COleDateTime(m_item->GetStart()),
                                           COleDateTime(m_item->GetEnd()),
                                           series ? &*series : nullptr))
      return false;
  }
  return true;
}

bool CvCalExport::_IsAllDay() {
  if (m_item->GetAllDayEvent() != VARIANT_FALSE) return true;
  const double days = COleDateTime(m_item->GetEnd()).m_dt - COleDateTime(m_item->GetStart()).m_dt;
  const double seconds = std::round(days * 86400.0);
  return seconds >= 86400.0 && std::fmod(seconds, 86400.0) == 0.0;
}

bool CvCalExport::_LabelMatches() {
  const int label = GetAppointmentLabel();
  if (label >= 1 && (m_filter.LabelMask & (1UL << (label - 1))) != 0) return true;
  if ((m_filter.LabelMask & kLabelBirthdays) == 0 || m_item->GetIsRecurring() == VARIANT_FALSE)
    return false;
  const Outlook::RecurrencePatternPtr pattern = m_item->GetRecurrencePattern();
  if (pattern->GetRecurrenceType() != Outlook::olRecursYearly ||
      pattern->GetDuration() != kMinutesPerDay)
    return false;
  const std::string subject = Text(m_item->GetSubject());
  return EndsWith(subject, "'s Birthday") || EndsWith(subject, "'s Anniversary");
}

int CvCalExport::GetAppointmentLabel() {
  constexpr const char* kFunction = "CvCalExport::GetAppointmentLabel";
  if (m_labelTag == 0) {
    static const _bstr_t labelSet(kLabelSet);
    long tag = 0;
    const HRESULT result = m_safeItem->raw_GetIDsFromNames(labelSet, _variant_t(kLabelId), &tag);
    if (FAILED(result) || tag == 0) {
      g_LogTimer.War(kFunction, static_cast<int>(result), "prTAG == 0");
      return 0;
    }
    m_labelTag = static_cast<long>((static_cast<unsigned long>(tag) & 0xFFFF0000UL) | kPtLong);
  }
  VARIANT value;
  VariantInit(&value);
  const HRESULT result = m_safeItem->get_Fields(m_labelTag, &value);
  if (FAILED(result)) {
    g_LogTimer.War(kFunction, static_cast<int>(result), "pSafeItem->get_Fields failed");
    return 0;
  }
  const _variant_t field(value, false);
  // Outlook's labels are 1 to 10: any other number is no label.
  if (field.vt != VT_I4 || field.lVal < 1 || field.lVal > kLastLabel) return 0;
  return static_cast<int>(field.lVal);
}

// --- File names -----------------------------------------------------------------------

std::string CvCalExport::_MakeFileName() {
  const std::string extension = m_format == kICalendar20 ? ".ics" : ".vcs";
  std::string name;
  // What a name too long for its folder keeps: the stamp of a file per item.
  size_t keep = 1;
  if (m_oneFile) {
    name = m_oneFileBase;
  } else {
    const COleDateTime start(m_item->GetStart());
    name = _FormatYear(start);
    char stamp[16];
    std::snprintf(stamp, sizeof stamp, "%02d%02d%02d%02d%02d", start.GetMonth(), start.GetDay(),
                  start.GetHour(), start.GetMinute(), start.GetSecond());
    name += stamp;
    keep = name.size();
    const std::string subject = Text(m_item->GetSubject());
    if (!subject.empty()) name += "_" + subject;
  }
  const size_t lineBreak = name.find("\r\n");
  if (lineBreak != std::string::npos) {
    name.replace(lineBreak, 2, " (");
    name += ')';
  }
  name = MakeExportFileName(name.c_str());
  std::string path = FitExportFilePath(m_outputFolder, name, keep, extension);
  if (m_overwrite) return path;
  for (int number = 1; !path.empty() && PathFileExistsA(path.c_str()); ++number)
    path = FitExportFilePath(m_outputFolder, name, keep,
                             "(" + std::to_string(number) + ")" + extension);
  return path;
}
