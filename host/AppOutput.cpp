#include "AppOutput.h"

#include <vector>

#include "HostOutput.h"
#include "testkit/KelvraApp.h"

namespace host {

AppOutput::AppOutput(const std::string& exePath) { testkit::InstallKelvraApp(exePath); }

AppOutput::~AppOutput() {
  PrintNew();
  testkit::ResetKelvraApp();
}

void AppOutput::PrintNew() {
  std::vector<testkit::KelvraAppCommand> received = testkit::KelvraAppReceived();
  for (; printed_ < received.size(); ++printed_) {
    std::string text = received[printed_].text;
    // A command sent with its terminating NUL prints as the text it is.
    while (!text.empty() && text.back() == '\0') text.pop_back();
    PrintOut("app: " + text);
  }
}

}  // namespace host
