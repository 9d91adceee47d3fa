#include "AddInActions.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "HostOutput.h"
#include "testkit/CommandBars.h"
#include "testkit/KelvraApp.h"

namespace host {
namespace {

// The control's id as the ribbon XML spells it; the command line may use any case.
std::optional<std::string> FindControl(const testkit::RibbonHost& ribbon, const std::string& id) {
  for (const std::string& known : ribbon.ControlIds())
    if (known.size() == id.size() &&
        std::equal(known.begin(), known.end(), id.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) ==
                 std::tolower(static_cast<unsigned char>(b));
        }))
      return known;
  return std::nullopt;
}

}  // namespace

void OpenDynamicMenus(testkit::RibbonHost& ribbon) {
  for (const std::string& id : ribbon.ControlIds()) {
    std::string content;
    ribbon.GetContent(id, content);
  }
}

ExitStatus PressRibbon(OfficeSession& session, const std::string& id) {
  testkit::RibbonHost* ribbon = session.ribbon();
  if (ribbon == nullptr) throw UsageError("this Outlook version has no ribbon: use button");
  std::optional<std::string> control = FindControl(*ribbon, id);
  if (!control) {
    OpenDynamicMenus(*ribbon);
    control = FindControl(*ribbon, id);
  }
  if (!control) throw UsageError("the ribbon has no control " + id);
  HRESULT hr = ribbon->Press(*control);
  if (FAILED(hr)) {
    PrintError("pressing " + id + " failed: " + HresultText(hr));
    return kCancelled;
  }
  return kCompleted;
}

ExitStatus ClickButton(OfficeSession& session, const std::string& tagOrParameter) {
  if (testkit::FindButton(session.explorer(), tagOrParameter) == nullptr)
    throw UsageError("the command bars have no control " + tagOrParameter);
  if (!testkit::ClickButton(session.explorer(), tagOrParameter)) {
    PrintError("the control " + tagOrParameter + " is hidden or disabled");
    return kCancelled;
  }
  return kCompleted;
}

ExitStatus SendAppCommand(const std::string& text) {
  if (testkit::KelvraAppReceived().empty()) {
    PrintError("the add-in has not contacted the Kelvra application: it has no window to send to");
    return kCancelled;
  }
  testkit::KelvraAppSend(text);
  return kCompleted;
}

}  // namespace host
