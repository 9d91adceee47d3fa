// Recurrence exceptions on import: the EXDATE and RDATE lists of an imported series
// turned into Outlook's deleted and moved occurrences.
#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "addin/CLogTimer.h"
#include "calendar/CvCalImport.h"
#include "win32/nls.h"

namespace {

constexpr const char* kTag = "CreateExceptions";
// Bounds of the pairing: beyond them the series keeps its plain recurrence.
constexpr size_t kMaxListedDates = 1000;
constexpr size_t kMaxOccurrences = 10000;

enum Kind { kConsumed = 0, kException = 1, kExtra = 2 };

struct WorkDate {
  COleDateTime date;
  Kind kind;
};

// The most a zone's clock drifts against the system's when only one of them keeps
// daylight saving time.
const COleDateTimeSpan kZoneDrift(0, 1, 0, 0);

std::string Narrow(const _bstr_t& text) {
  const char* chars = text;
  return chars ? chars : "";
}

// A series taken into local time keeps the local time of its first occurrence, while its
// exception dates are instants of its own zone: in the weeks when one of the two zones
// keeps daylight saving time and the other does not, an exception date lies up to an hour
// off the occurrence it names. Each is taken as the occurrence within that drift.
void SnapToOccurrences(std::vector<WorkDate>& work, const std::vector<COleDateTime>& occurrences) {
  for (WorkDate& entry : work) {
    if (entry.kind != kException) continue;
    const auto near =
        std::find_if(occurrences.begin(), occurrences.end(), [&](const COleDateTime& occurrence) {
          return occurrence >= entry.date - kZoneDrift && occurrence <= entry.date + kZoneDrift;
        });
    if (near != occurrences.end()) entry.date = *near;
  }
  std::stable_sort(work.begin(), work.end(),
                   [](const WorkDate& a, const WorkDate& b) { return a.date < b.date; });
}

// The user's default date and time texts of a date.
std::string DateText(const COleDateTime& date) {
  SYSTEMTIME time{};
  if (!date.GetAsSystemTime(time)) return "?";
  char day[64] = {};
  char clock[64] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, day, sizeof day);
  GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, sizeof clock);
  return std::string(day) + " " + clock;
}

std::string ListText(const std::vector<CalDateText>& values) {
  if (values.empty()) return "<none>";
  std::string text;
  if (!values.front().zoneId.empty()) text = "TZID=" + values.front().zoneId + ";";
  for (size_t i = 0; i < values.size(); ++i) text += (i ? ", " : "") + values[i].text;
  return text;
}

}  // namespace

bool CvCalImport::FindDateInList(const COleDateTime& from, const COleDateTime& to,
                                 const std::vector<COleDateTime>& list) {
  return std::any_of(list.begin(), list.end(), [&](const COleDateTime& date) {
    return date.GetStatus() == COleDateTime::valid && date > from && date < to;
  });
}

bool CvCalImport::FindExDate(const COleDateTime& date, const std::vector<COleDateTime>& list) {
  return std::any_of(list.begin(), list.end(), [&](const COleDateTime& other) {
    return other.GetStatus() == COleDateTime::valid && date.GetStatus() == COleDateTime::valid &&
           other == date;
  });
}

bool CvCalImport::RenderRecurrenceItem(const Outlook::_AppointmentItemPtr& item,
                                       const COleDateTime& from, const COleDateTime& to,
                                       std::vector<COleDateTime>& occurrences) {
  Outlook::_ItemsPtr items;
  try {
    const Outlook::MAPIFolderPtr folder(item->GetParent());
    items = folder->GetItems();
    items->Sort(_bstr_t("[Start]"));
    items->PutIncludeRecurrences(VARIANT_TRUE);
    const auto when = [](const COleDateTime& date) {
      SYSTEMTIME time{};
      date.GetAsSystemTime(time);
      char day[64] = {};
      GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, day, sizeof day);
      char clock[16];
      std::snprintf(clock, sizeof clock, " %02d:%02d %s", date.GetHour(), date.GetMinute(),
                    date.GetHour() < 12 ? "AM" : "PM");
      return std::string(day) + clock;
    };
    std::string subject;
    for (const char c : Narrow(item->GetSubject())) {
      subject += c;
      if (c == '"') subject += '"';
    }
    const std::string filter = "[Start] >= \"" + when(from) + "\" And [Start] <= \"" + when(to) +
                               "\" And [Subject] = \"" + subject + "\"";
    const Outlook::_ItemsPtr restricted = items->Restrict(_bstr_t(filter.c_str()));
    restricted->Sort(_bstr_t("[Start]"));
    const _bstr_t entryId = item->GetEntryID();
    for (IDispatchPtr each = restricted->GetFirst(); each; each = restricted->GetNext()) {
      const Outlook::_AppointmentItemPtr occurrence(each);
      if (!occurrence || occurrence->GetEntryID() != entryId) continue;
      if (occurrences.size() >= kMaxOccurrences) {
        g_LogTimer.Err("RenderRecurrenceItem", 0, "more than %zu occurrences in the window",
                       kMaxOccurrences);
        items->PutIncludeRecurrences(VARIANT_FALSE);
        return false;
      }
      const COleDateTime start(occurrence->GetStart());
      occurrences.emplace_back(start.GetYear(), start.GetMonth(), start.GetDay(), start.GetHour(),
                               start.GetMinute(), start.GetSecond());
    }
    items->PutIncludeRecurrences(VARIANT_FALSE);
    return true;
  } catch (const _com_error& error) {
    g_LogTimer.Err("RenderRecurrenceItem", error.Error(), "_com_error(%s), ",
                   Narrow(error.ErrorMessage()).c_str());
    return false;
  }
}

std::string CvCalImport::_ExceptionLogPrefix() {
  return "Item{Subject=" + Narrow(m_newItem->GetSubject()) +
         ", Start=" + DateText(COleDateTime(m_newItem->GetStart())) + "} ";
}

void CvCalImport::CreateExceptions(int mode, const std::string& target) {
  const std::vector<CalDateText>& exdates = m_event.exceptionDates;
  std::vector<CalDateText> rdates;
  for (const CalExtraDate& extra : m_event.extraDates) rdates.push_back({extra.text, extra.zoneId});
  if (exdates.empty() && rdates.empty()) return;
  const std::string prefix = _ExceptionLogPrefix();
  if (exdates.size() + rdates.size() > kMaxListedDates) {
    g_LogTimer.Err(kTag, 0, "%stoo many EXDATE and RDATE values (%zu). Ignoring exceptions.",
                   prefix.c_str(), exdates.size() + rdates.size());
    return;
  }
  if (exdates.size() < rdates.size()) {
    g_LogTimer.Err(kTag, 0,
                   "%serror in vcal file: EXDATE.Count < RDATE.Count. Ignoring exceptions.",
                   prefix.c_str());
    return;
  }
  // 3-4: the dates in order.
  const std::string eventZone = m_zones.count(m_event.start.zoneId) ? m_event.start.zoneId : "";
  std::vector<WorkDate> work;
  const auto add = [&](const CalDateText& value, Kind kind) {
    COleDateTime date;
    const std::string zone = value.zoneId.empty() ? eventZone : value.zoneId;
    if (_ToItemTime(value.text, zone, date, mode, target)) work.push_back({date, kind});
  };
  for (const CalDateText& value : exdates) add(value, kException);
  for (const CalDateText& value : rdates) add(value, kExtra);
  if (work.empty()) return;
  std::stable_sort(work.begin(), work.end(),
                   [](const WorkDate& a, const WorkDate& b) { return a.date < b.date; });
  // 5-6: the occurrences Outlook makes of the series.
  if (m_newItem->GetSaved() == VARIANT_FALSE) m_newItem->Save();
  std::vector<COleDateTime> occurrences;
  const bool localSeries = mode == kToLocal;
  const COleDateTimeSpan drift = localSeries ? kZoneDrift : COleDateTimeSpan();
  if (!RenderRecurrenceItem(m_newItem, work.front().date - drift, work.back().date + drift,
                            occurrences))
    return;
  if (localSeries) SnapToOccurrences(work, occurrences);
  // 7: exception dates at no occurrence are dropped.
  std::string dropped;
  for (size_t i = work.size(); i-- > 0;) {
    if (work[i].kind != kException || FindExDate(work[i].date, occurrences)) continue;
    dropped += "," + DateText(work[i].date);
    work.erase(work.begin() + static_cast<std::ptrdiff_t>(i));
  }
  if (!dropped.empty())
    g_LogTimer.Inf(2, kTag, "%signoring some wrong dates in EXDATE: %s", prefix.c_str(),
                   dropped.c_str());
  // 8-10: groups between occurrences, paired inside.
  std::vector<std::pair<COleDateTime, COleDateTime>> moved;
  std::vector<COleDateTime> deleted;
  size_t first = 0;
  while (first < work.size()) {
    size_t last = first;
    while (last + 1 < work.size() &&
           !FindDateInList(work[last].date, work[last + 1].date, occurrences))
      ++last;
    int balance = 0;
    for (size_t i = first; i <= last; ++i) {
      if (work[i].kind == kException)
        ++balance;
      else if (work[i].kind == kExtra)
        --balance;
      else
        g_LogTimer.Err(kTag, 0, "%sassert123", prefix.c_str());
    }
    if (balance < 0) {
      g_LogTimer.Err(kTag, 0,
                     "%sError: missed one or more date in EXDATE beetween dates (%s, %s). "
                     "Skipping this interval",
                     prefix.c_str(), DateText(work[first].date).c_str(),
                     DateText(work[last].date).c_str());
      first = last + 1;
      continue;
    }
    bool abandoned = false;
    for (size_t i = first; i <= last && !abandoned; ++i) {
      if (work[i].kind == kExtra) {
        size_t partner = i + 1;
        while (partner <= last && work[partner].kind != kException) ++partner;
        if (partner > last) {
          g_LogTimer.Err(kTag, 0, "%sError: cant find exdate for rdate %s", prefix.c_str(),
                         DateText(work[i].date).c_str());
          abandoned = true;
          break;
        }
        moved.emplace_back(work[partner].date, work[i].date);
        work[partner].kind = kConsumed;
      } else if (work[i].kind == kException) {
        int exceptions = 0, extras = 0;
        size_t end = i;
        for (; end <= last; ++end) {
          if (work[end].kind == kException)
            ++exceptions;
          else if (work[end].kind == kExtra)
            ++extras;
          else
            g_LogTimer.Err(kTag, 0, "%sAssert167", prefix.c_str());
          if (exceptions == extras) break;
        }
        if (end > last) end = last;
        for (size_t r = end + 1; r-- > i;) {
          if (work[r].kind != kExtra) continue;
          for (size_t e = r; e-- > i;) {
            if (work[e].kind != kException) continue;
            moved.emplace_back(work[e].date, work[r].date);
            work[e].kind = kConsumed;
            break;
          }
          work[r].kind = kConsumed;
        }
        i = end;
      }
    }
    if (!abandoned)
      for (size_t i = first; i <= last; ++i)
        if (work[i].kind == kException) deleted.push_back(work[i].date);
    first = last + 1;
  }
  // 11: what was decided.
  std::string dump = prefix + "{ DEBUG DUBM ----EXDATE(in):" + ListText(exdates) +
                     "RDATE(in):" + ListText(rdates) + "DELETED EXCEPTION(out):";
  for (const COleDateTime& date : deleted) dump += DateText(date) + " ";
  dump += "MOVED EXCEPTION(out):";
  for (const auto& [from, to] : moved) dump += DateText(from) + "->" + DateText(to) + " ";
  dump += "} DEBUG DUBM ----";
  g_LogTimer.Inf(3, kTag, "%s", dump.c_str());
  _ApplyExceptions(deleted, moved, prefix);
}

void CvCalImport::_ApplyExceptions(const std::vector<COleDateTime>& deleted,
                                   const std::vector<std::pair<COleDateTime, COleDateTime>>& moved,
                                   const std::string& prefix) {
  const Outlook::RecurrencePatternPtr pattern = m_newItem->GetRecurrencePattern();
  const auto occurrenceAt = [&](const COleDateTime& date) -> Outlook::_AppointmentItemPtr {
    try {
      return pattern->GetOccurrence(date.m_dt);
    } catch (const _com_error& error) {
      g_LogTimer.Err(kTag, error.Error(), "%sCant get occurence at %s, err=%s", prefix.c_str(),
                     DateText(date).c_str(), Narrow(error.ErrorMessage()).c_str());
      return nullptr;
    }
  };
  for (const COleDateTime& date : deleted) {
    const Outlook::_AppointmentItemPtr occurrence = occurrenceAt(date);
    if (!occurrence) continue;
    try {
      occurrence->Delete();
    } catch (const _com_error& error) {
      g_LogTimer.Err(kTag, error.Error(), "%sCant delete occurence, err=%s", prefix.c_str(),
                     Narrow(error.ErrorMessage()).c_str());
    }
  }
  for (const auto& [from, to] : moved) {
    const Outlook::_AppointmentItemPtr occurrence = occurrenceAt(from);
    if (!occurrence) continue;
    try {
      occurrence->PutStart(to.m_dt);
      occurrence->Save();
    } catch (const _com_error& error) {
      g_LogTimer.Err(kTag, error.Error(), "%sCant move occurence, err=%s", prefix.c_str(),
                     Narrow(error.ErrorMessage()).c_str());
    }
  }
}
