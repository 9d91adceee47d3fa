// The calendar export: the wizard run from its first page to its finish page, the
// event filter, and the writer that turns Outlook appointments into vCalendar 1.0 or
// iCalendar 2.0 files. The writer can be driven without the pages:
//
//   g_CharConverter->SetCurrentByName("UTF-8");   // the encoding of the text values
//   CvCalExport writer;
//   writer.SetOutlookVersion(14);                 // where Outlook keeps its week start
//   writer.SetFormat(CvCalExport::kICalendar20);  // or kVCalendar10
//   writer.SetOutput("C:\\Export", true, false, "Calendar");  // one file, no overwrite
//   writer.BeforeExport();
//   for (each appointment) { writer.SetItem(appointment); writer.ExportItem(); }
//   writer.FinishExport();                        // C:\Export\Calendar.ics
//
// Without one-file mode every ExportItem writes a file of its own, holding that item
// alone, named from the item's start and subject; CurrentFile names the last one.
#pragma once

#include <map>
#include <string>

#include "addin/OutputFile.h"
#include "addin/WrittenFilesMap.h"
#include "atl/OleDateTime.h"
#include "calendar/CvCalFilter.h"
#include "calendar/TimezoneStruct.h"
#include "outlook/Application.h"
#include "outlook/AppointmentItem.h"
#include "redemption/redemption.h"
#include "win32/base.h"

class CvCalExport {
 public:
  static constexpr int kVCalendar10 = 10;
  static constexpr int kICalendar20 = 20;

  // Creates the Redemption safe appointment and MAPI utilities; either one that cannot
  // be created stays null, which is not reported here.
  CvCalExport();
  virtual ~CvCalExport();
  CvCalExport(const CvCalExport&) = delete;
  CvCalExport& operator=(const CvCalExport&) = delete;

  // The Outlook major version (9 to 14): the iCalendar week start is read from that
  // version's options.
  void SetOutlookVersion(int version) { m_outlookVersion = version; }
  int OutlookVersion() const { return m_outlookVersion; }

  // Runs the wizard over the options key (borrowed, never closed) with its dialogs owned
  // by parent: 0 when it ended normally, was cancelled on a page or found no items;
  // -1 when the explorer's selection or the progress dialog cannot be had.
  int Execute(Outlook::_Application* app, HKEY* optionsKey, HWND parent);

  // kVCalendar10 or kICalendar20, for the next BeforeExport.
  void SetFormat(int format) { m_format = format; }
  // Where the files go: the Windows folder, one file for the whole run (named
  // oneFileBase) or one per item, and whether existing files are replaced.
  void SetOutput(const std::string& folder, bool oneFile, bool overwrite,
                 const std::string& oneFileBase);
  // The filter FilterItem applies.
  void SetFilter(const CvCalFilter& filter) { m_filter = filter; }

  // Starts a run: takes the converter's current charset for the text values, builds
  // the calendar header and, in one-file mode, creates the file with it (a vCalendar
  // 1.0 one also gets the system zone's TZ and DAYLIGHT lines). False for a format
  // other than 10 and 20 or when the one file cannot be created or written; a file it
  // would replace stays as it was.
  bool BeforeExport();
  // The appointment the next ExportItem writes; the safe item is pointed at it too.
  void SetItem(const Outlook::_AppointmentItemPtr& item);
  // Writes the current item: its zone block when it needs one and its event. 0; -1
  // when it failed (a COM error, a text the charset cannot hold, a failed write),
  // after logging why; -2 when its file cannot be created (in one-file mode also when
  // the one file cannot be written any more). Nothing of a failed item reaches a file.
  int ExportItem();
  // Ends the run: a one-file calendar gets its closing "END:VCALENDAR", which has no
  // line end, and is moved into place. False when that failed (the file is gone).
  bool FinishExport() { return _WriteFooter(); }
  // Ends a one-file run whose progress could not start: the file is removed.
  void AbandonExport();

  // True when the current item is to be exported under the filter.
  bool FilterItem();
  // The current item's Outlook label (1 to 10), 0 for none or when it cannot be read.
  int GetAppointmentLabel();

  // The path of the file written last (or being written).
  const std::string& CurrentFile() const { return m_currentFile; }
  // The files of the run written completely.
  const WrittenFilesMap& Written() const { return m_writtenFiles; }

 private:
  // --- The wizard run ----------------------------------------------------------------
  struct Counts {
    int exported = 0;
    int failed = 0;
    int skipped = 0;
  };
  struct Choices;
  // The first page (and the filter page when asked for); false when the user left.
  bool _RunPages(Outlook::_Application* app, HKEY* optionsKey, HWND parent, Choices& choices);
  void _TakeChoices(const Choices& choices);
  // The items of the folder or of the explorer's selection; false after logging when
  // they cannot be had (no explorer in selected-only mode, a COM error).
  bool _OpenItems(Outlook::_Application* app, const Choices& choices, long& count,
                  Outlook::_ItemsPtr& items, Outlook::SelectionPtr& selection);
  // Steps 1 to count with the progress dialog: kItemsDone, kNoProgress when the dialog
  // cannot start, kRunBroken when the loop itself failed (after closing the dialog).
  enum class ItemsEnd { kItemsDone, kNoProgress, kRunBroken };
  ItemsEnd _ExportItems(HWND parent, long count, const Outlook::_ItemsPtr& items,
                        const Outlook::SelectionPtr& selection);
  // Lets go of the run's Outlook items.
  void _ReleaseItems();
  // One item: its export result, 1 when it was left out by the filter, or 2 when it is
  // no appointment (passed over); exceptions fail the item only.
  int _ExportOne(long index, const Outlook::_ItemsPtr& items,
                 const Outlook::SelectionPtr& selection);
  bool _IsAllDay();
  bool _LabelMatches();

  // --- The run's output -------------------------------------------------------------
  std::string _MakeFileName();
  int _OpenFile();
  // Adds text to what the current item writes.
  void _Write(const std::string& text) { m_pending += text; }
  // Writes the current item's text to the file; false after logging a failed write.
  bool _Flush();
  void _CloseFile();
  // False when the one file could not be moved into place.
  bool _WriteFooter();
  void _ResetZones();

  // --- Calendar and event text -------------------------------------------------------
  int _WriteHeader(int format);
  // Appends the current item's event to the event text; 0.
  int _WriteVEVENT();
  static void _EndLine(std::string& buffer) { buffer += "\r\n"; }
  void _WriteOrganizerAndAttendees();
  void _WriteAttendee(const Redemption::ISafeRecipientPtr& recipient, const std::string& organizer);
  void _WriteCategories();
  void _WriteReminder(const COleDateTime& start);
  // DTSTART or DTEND with the parameters of the event's kind of time.
  void _WriteEventTime(const char* name, const COleDateTime& local);
  // A free-text property: quoted-printable in vCalendar 1.0, escaped in iCalendar 2.0.
  void _WriteTextValue(const char* name, const _bstr_t& text);
  // A text property of a value ready for its version (iCalendar escapes in it already).
  void _WriteValue(const char* name, const _bstr_t& value);
  // Appends the UTF-8 text with iCalendar's escapes.
  void _AppendEscaped(const std::string& text);
  // The text in the charset (the current one when null); throws after logging when the
  // text cannot be converted. An empty text gives an empty destination.
  void _Convert(const _bstr_t& text, const char* charset, std::string& destination,
                const char* what);

  // --- Dates -------------------------------------------------------------------------
  std::string _FormatDateTime(const COleDateTime& date, bool alreadyUtc, bool toUtc, bool withTime);
  std::string _FormatYear(const COleDateTime& date);
  // A local time of the current item in the time the event is written in.
  COleDateTime _EventTime(const COleDateTime& local) const;
  // A time already in the event's time, in the form the event's times are written.
  std::string _EventTimeText(const COleDateTime& eventTime);

  // --- Ids ---------------------------------------------------------------------------
  std::string GetMeetingUID();
  std::string _NewMeetingUID();

  // --- Zones and recurrence -----------------------------------------------------------
  bool GenVTimezone();
  void _WriteTZ(const TimezoneStruct& zone);
  void _WriteVTIMEZONE(const TimezoneStruct& zone, const std::string& name);
  // A zone name no other zone of the file has.
  std::string _UniqueZoneName(const std::string& name) const;
  // RRULE, then EXDATE and RDATE of the exceptions.
  void _WriteRecurrence();
  void _WriteExceptionDates(const Outlook::RecurrencePatternPtr& pattern);
  // Adds the date (in the event's time) to the list unless it is there already.
  void _ListExceptionDate(std::string& list, char separator, const COleDateTime& eventTime);
  void _WriteDateList(const char* name, const std::string& dates);
  // ";TZID=" and the quoted zone name, for an iCalendar time of a zoned event.
  void _AppendZoneParameter();

  int m_outlookVersion = 9;
  int m_format = kVCalendar10;
  bool m_oneFile = false;
  // "" or ";CHARSET=" and the charset of the text values, set once per run.
  std::string m_charsetParam;
  // The converter's current charset and the user's list separator, taken once per run.
  const char* m_charset = "";
  std::basic_string<WCHAR> m_listSeparator;

  std::string m_header;
  std::string m_zoneText;
  std::string m_eventText;
  // The text of the current item not yet written.
  std::string m_pending;
  bool m_fileOpen = false;

  // The run's options and counters.
  bool m_overwrite = false;
  bool m_useFilter = false;
  std::string m_outputFolder;
  std::string m_oneFileBase;
  CvCalFilter m_filter;
  Counts m_counts;
  OutputFile m_file;
  std::string m_currentFile;
  WrittenFilesMap m_writtenFiles;
  // The label's property tag for the stores of this run; 0 until looked up.
  long m_labelTag = 0;
  bool m_missingSafeItemLogged = false;

  // The zone the current item's times are written in; an empty name: none (UTC).
  std::string m_zoneName;
  TimezoneStruct m_zone{};
  // The zones already written into the current calendar, by name.
  std::map<std::string, TimezoneStruct> m_zoneMap;
  // The current item is written as an all-day event (iCalendar 2.0 only).
  bool m_allDay = false;

  Outlook::_AppointmentItemPtr m_item;
  Redemption::ISafeAppointmentItemPtr m_safeItem;
  Redemption::IMAPIUtilsPtr m_mapiUtils;

  // Reused from item to item.
  std::string m_value;
  std::string m_encoded;
};
