#include "testkit/Outlook.h"

#include "outlook/ExplorerWindows.h"
#include "outlook/LiveObjects.h"
#include "outlook/SeriesOccurrences.h"
#include "outlook/StoreApplication.h"
#include "outlook/StoreExplorers.h"

namespace testkit {

Outlook::_ApplicationPtr CreateOutlookApplication() {
  return Outlook::_ApplicationPtr(kelvra::outlook::StoreApplication::Acquire(), false);
}

std::size_t LiveOutlookObjects() { return kelvra::outlook::LiveObjects::Count(); }

std::uint64_t OutlookOccurrencesMade() { return kelvra::outlook::SeriesOccurrences::Made(); }

namespace {

using kelvra::outlook::ExplorerWindows;
using kelvra::outlook::StoreExplorer;

StoreExplorer* OpenWindow(Outlook::_Explorer* explorer) {
  return ExplorerWindows::Instance().Find(explorer);
}

}  // namespace

Outlook::_ExplorerPtr OpenExplorer(Outlook::MAPIFolder* folder) {
  Outlook::_ExplorerPtr explorer(ExplorerWindows::Instance().Open(folder), false);
  kelvra::outlook::StoreExplorers::RaiseNewExplorer(explorer);
  return explorer;
}

bool CloseExplorer(Outlook::_Explorer* explorer) {
  return ExplorerWindows::Instance().Close(explorer);
}

void ResetExplorers() { ExplorerWindows::Instance().Reset(); }

std::size_t OpenExplorerCount() { return ExplorerWindows::Instance().Count(); }

void SelectItems(Outlook::_Explorer* explorer, std::vector<IDispatchPtr> items) {
  if (StoreExplorer* window = OpenWindow(explorer)) window->Select(std::move(items));
}

void RaiseViewSwitch(Outlook::_Explorer* explorer) {
  if (StoreExplorer* window = OpenWindow(explorer)) window->RaiseViewSwitch();
}

int ExplorerActivations(Outlook::_Explorer* explorer) {
  StoreExplorer* window = OpenWindow(explorer);
  return window != nullptr ? window->activations() : 0;
}

void RaiseQuit() { kelvra::outlook::StoreApplication::RaiseQuit(); }

std::size_t ExplorerEventSinks(Outlook::_Explorer* explorer) {
  const auto* window = dynamic_cast<const StoreExplorer*>(explorer);
  return window != nullptr ? window->EventSinks() : 0;
}

}  // namespace testkit
