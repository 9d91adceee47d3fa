// The calendar writer and the calendar export run. The run itself is not part of this
// build yet: Execute reports that and refuses.
//
// The writer turns Outlook appointments into vCalendar 1.0 or iCalendar 2.0 text, one
// item at a time, and keeps that text in memory as the run's current output file:
//
//   g_CharConverter->SetCurrentByName("UTF-8");   // the encoding of the text values
//   CvCalExport writer;
//   writer.SetOutlookVersion(14);                 // where Outlook keeps its week start
//   writer.SetFormat(CvCalExport::kICalendar20);  // or kVCalendar10
//   writer.SetOneFile(true);                      // all items in one calendar
//   writer.BeforeExport();
//   for (each appointment) { writer.SetItem(appointment); writer.ExportItem(); }
//   writer.FinishExport();
//   writer.GetText();                             // the whole calendar
//
// Without one-file mode every ExportItem starts a calendar of its own, holding that
// item alone, and GetText gives it until the next ExportItem.
#pragma once

#include <map>
#include <string>

#include "atl/OleDateTime.h"
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
  // by parent; -1 when the run cannot take place.
  int Execute(Outlook::_Application* app, HKEY* optionsKey, HWND parent);

  // kVCalendar10 or kICalendar20, for the next BeforeExport.
  void SetFormat(int format) { m_format = format; }
  // True: every item of the run goes into one calendar.
  void SetOneFile(bool oneFile) { m_oneFile = oneFile; }

  // Starts a run: takes the converter's current charset for the text values, builds
  // the calendar header and, in one-file mode, opens the calendar with it (a
  // vCalendar 1.0 one also gets the system zone's TZ and DAYLIGHT lines). False for a
  // format other than 10 and 20.
  bool BeforeExport();
  // The appointment the next ExportItem writes; the safe item is pointed at it too.
  void SetItem(const Outlook::_AppointmentItemPtr& item);
  // Writes the current item: its zone block when it needs one and its event. 0, or -1
  // when it failed (a COM error, or a text the charset cannot hold), after logging
  // why; nothing of a failed item reaches the text.
  int ExportItem();
  // Ends the run: a one-file calendar gets its closing "END:VCALENDAR", which has no
  // line end.
  void FinishExport();

  // The current calendar: in one-file mode all of it so far, otherwise the last item's.
  const std::string& GetText() const { return m_output; }

 private:
  // --- The run's output -------------------------------------------------------------
  void _OpenFile();
  void _CloseFile() { m_fileOpen = false; }
  void _Write(const std::string& text) { m_output += text; }
  void _WriteFooter();
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
  // Appends the text with iCalendar's escapes.
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
  void _AppendEventTime(std::string& out, const COleDateTime& local, bool withTime);

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
  std::u16string m_listSeparator;

  std::string m_header;
  std::string m_zoneText;
  std::string m_eventText;
  std::string m_output;
  bool m_fileOpen = false;

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
