// What an Outlook object is, as its Class property answers.
#pragma once

namespace Outlook {

enum OlObjectClass {
  olApplication = 0,
  olNamespace = 1,
  olFolder = 2,
  olRecipient = 4,
  olAttachment = 5,
  olFolders = 15,
  olItems = 16,
  olRecipients = 17,
  olAttachments = 18,
  olAppointment = 26,
  olRecurrencePattern = 28,
  olExceptions = 29,
  olException = 30,
  olExplorer = 34,
  olContact = 40,
  olMail = 43,
  olExplorers = 60,
  olDistributionList = 69,
};

}  // namespace Outlook
