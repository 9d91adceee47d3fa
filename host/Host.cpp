#include "Host.h"

#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "AddInActions.h"
#include "AddInLogFiles.h"
#include "AddInModule.h"
#include "AppOutput.h"
#include "CalendarExportAction.h"
#include "CalendarImportAction.h"
#include "ContactExportAction.h"
#include "ContactImportAction.h"
#include "HostOutput.h"
#include "HostRoot.h"
#include "HostUser.h"
#include "OfficeSession.h"
#include "ReplaceFile.h"
#include "RibbonPrinter.h"
#include "ZoneNames.h"
#include "testkit/Answers.h"
#include "testkit/Clock.h"
#include "testkit/CommandBars.h"
#include "testkit/Locale.h"
#include "testkit/Registry.h"
#include "testkit/Store.h"
#include "testkit/TimeZone.h"

namespace host {
namespace {

// The add-in's key in the user's registry, where it reads "DebugButton".
constexpr const char* kAddInKey = "Software\\Ostrane\\Kelvra";

// Time for what the add-in deferred (a timer of a few ms) before Outlook goes on.
constexpr unsigned kSettleMs = 30;

std::string ReadAnswersFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw UsageError("--answers " + path + ": the file cannot be read");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void SetTimeZone(const std::string& name) {
  const std::string id = WindowsZoneId(name);
  if (id.empty() || !testkit::SetSystemTimeZone(id))
    throw UsageError("--timezone " + name + ": no such zone: " + ZoneNamesAccepted());
}

void ExpectArguments(const HostOptions& options, std::size_t count, const char* what) {
  if (options.actionArguments.size() != count)
    throw UsageError(options.action +
                     (count == 0 ? " takes no arguments" : std::string(" takes ") + what));
}

ExitStatus Registration(const AddInModule& module, bool unregister) {
  const HRESULT hr = unregister ? module.Unregister() : module.Register();
  if (SUCCEEDED(hr)) return kCompleted;
  PrintError(std::string(unregister ? "DllUnregisterServer" : "DllRegisterServer") +
             " failed: " + HresultText(hr));
  return kCancelled;
}

// The action done with the add-in running in Outlook; a wizard's result line is left in
// result, to be printed once what the run changed is kept.
ExitStatus RunInOutlook(const HostOptions& options, const std::string& runtimeFolder,
                        const AddInModule& module, testkit::Answers& answers,
                        std::optional<std::string>& result) {
  std::unique_ptr<WizardAction> wizard;
  if (options.action == "export-contacts")
    wizard = std::make_unique<ContactExportAction>(options.actionArguments,
                                                   runtimeFolder + "/supportedEncodings.txt");
  if (options.action == "import-contacts")
    wizard = std::make_unique<ContactImportAction>(options.actionArguments);
  if (options.action == "import-calendar")
    wizard = std::make_unique<CalendarImportAction>(options.actionArguments);
  if (options.action == "export-calendar")
    wizard = std::make_unique<CalendarExportAction>(options.actionArguments,
                                                    runtimeFolder + "/supportedEncodings.txt");
  if (!wizard)
    ExpectArguments(options, 1, options.action == "app-command" ? "one TEXT" : "one control");

  AppOutput app(module.WindowsFolder() + "\\Kelvra.exe");
  AddInLogFiles logs;
  HostUser user(options.verbose, answers);
  if (wizard) wizard->Prepare(user);
  ExitStatus status = kCompleted;
  {
    OfficeSession session(module, options.outlookMajor, wizard ? wizard->View() : ExplorerView{});
    app.PrintNew();
    if (options.verbose)
      PrintOut(session.ribbon() != nullptr ? DescribeRibbon(*session.ribbon())
                                           : testkit::PrintCommandBars(session.explorer(), true));
    if (wizard)
      status = wizard->Run(session, options.outlookMajor);
    else if (options.action == "ribbon")
      status = PressRibbon(session, options.actionArguments[0]);
    else if (options.action == "button")
      status = ClickButton(session, options.actionArguments[0]);
    else
      status = SendAppCommand(options.actionArguments[0]);
    PumpMessages(kSettleMs);
    app.PrintNew();
  }
  if (options.verbose) logs.PrintNewWarnings();
  const std::vector<std::string> problems = user.Problems();
  for (const std::string& problem : problems) PrintError(problem);
  if (wizard && !wizard->Finished() && problems.empty())
    PrintError("the wizard ended before its finish page");
  if (!problems.empty()) status = kCancelled;
  if (wizard) result = wizard->Result();
  return status;
}

// Throws std::runtime_error saying that the file was left as it was.
void SaveMailbox(const std::string& linuxPath, const std::string& text) {
  try {
    ReplaceFile(linuxPath, [&text](const std::string& temporary) {
      testkit::SaveMailboxText(text, temporary);
    });
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(std::string(e.what()) +
                             "; the mailbox file was left as it was: nothing of this run is saved");
  }
}

}  // namespace

ExitStatus RunHost(const HostOptions& options, const std::string& linuxRuntimeFolder) {
  testkit::SetAcp(options.acp);
  testkit::SetOutlookVersion(options.outlookMajor);
  // The root's registry holds the zone list the zone names are looked up in.
  HostRoot root(options.root);
  if (!options.timezone.empty()) SetTimeZone(options.timezone);
  if (options.now) testkit::SetLocalTime(*options.now);
  std::unique_ptr<testkit::Answers> answers;
  try {
    answers = std::make_unique<testkit::Answers>(
        options.answers.empty() ? "" : ReadAnswersFile(options.answers));
  } catch (const std::invalid_argument& e) {
    throw UsageError("--answers " + options.answers + ": " + e.what());
  }
  // Kept in the saved registry, as a developer's setting stays on a real machine.
  if (options.debugButton) testkit::WriteDword(HKEY_CURRENT_USER, kAddInKey, "DebugButton", 1);
  const std::string mailbox = options.mailbox.empty() ? KELVRA_DEMO_MAILBOX : options.mailbox;
  try {
    testkit::LoadMailboxFile(mailbox);
  } catch (const std::exception& e) {
    PrintError("the mailbox " + mailbox + " cannot be read: " + e.what());
    return kBadMailbox;
  }

  // The file is written only when the action changed what it holds.
  const std::string loaded = options.save ? testkit::MailboxText() : std::string();
  ExitStatus status = kCompleted;
  std::optional<std::string> result;
  {
    AddInModule module(linuxRuntimeFolder + "/libKelvra.so");
    try {
      if (options.action == "register" || options.action == "unregister") {
        ExpectArguments(options, 0, "");
        status = Registration(module, options.action == "unregister");
      } else {
        status = RunInOutlook(options, linuxRuntimeFolder, module, *answers, result);
      }
    } catch (const UsageError&) {
      throw;
    } catch (const _com_error& e) {
      PrintError("Outlook call failed: " + HresultText(e.Error()));
      status = kCancelled;
    } catch (const std::exception& e) {
      // What the action changed before it failed is still kept below.
      PrintError(e.what());
      status = kCancelled;
    }
  }
  root.SaveRegistry();
  const std::string text = options.save ? testkit::MailboxText() : std::string();
  if (text != loaded) SaveMailbox(options.mailbox, text);
  if (result) PrintOut(*result);
  return status;
}

}  // namespace host
