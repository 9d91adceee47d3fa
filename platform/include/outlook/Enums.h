// The Outlook object model's enumerations that callers pass or read. Each has a
// fixed underlying type, so that a value outside the listed ones (a caller's mistake
// that a member must refuse) is still a value of the type.
#pragma once

namespace Outlook {

// What Application.CreateItem, Items.Add and Folder.DefaultItemType speak of.
enum OlItemType : int {
  olMailItem = 0,
  olAppointmentItem = 1,
  olContactItem = 2,
  olDistributionListItem = 7,
};

enum OlDefaultFolders : int {
  olFolderDeletedItems = 3,
  olFolderInbox = 6,
  olFolderCalendar = 9,
  olFolderContacts = 10,
};

enum OlSensitivity : int {
  olNormal = 0,
  olPersonal = 1,
  olPrivate = 2,
  olConfidential = 3,
};

enum OlAttachmentType : int {
  olByValue = 1,
  olByReference = 4,
  olEmbeddeditem = 5,
  olOLE = 6,
};

enum OlImportance : int {
  olImportanceLow = 0,
  olImportanceNormal = 1,
  olImportanceHigh = 2,
};

enum OlBusyStatus : int {
  olFree = 0,
  olTentative = 1,
  olBusy = 2,
  olOutOfOffice = 3,
};

enum OlMeetingStatus : int {
  olNonMeeting = 0,
  olMeeting = 1,
  olMeetingReceived = 3,
  olMeetingCanceled = 5,
  olMeetingReceivedAndCanceled = 7,
};

enum OlRecurrenceType : int {
  olRecursDaily = 0,
  olRecursWeekly = 1,
  olRecursMonthly = 2,
  olRecursMonthNth = 3,
  olRecursYearly = 5,
  olRecursYearNth = 6,
};

// Bits of RecurrencePattern.DayOfWeekMask.
enum OlDaysOfWeek : int {
  olSunday = 1,
  olMonday = 2,
  olTuesday = 4,
  olWednesday = 8,
  olThursday = 16,
  olFriday = 32,
  olSaturday = 64,
};

enum OlMeetingRecipientType : int {
  olOrganizer = 0,
  olRequired = 1,
  olOptional = 2,
  olResource = 3,
};

}  // namespace Outlook
