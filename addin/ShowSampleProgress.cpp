#include "addin/ShowSampleProgress.h"

#include "addin/CDlgProgress.h"
#include "addin/CLang.h"
#include "addin/CLogTimer.h"
#include "resource.h"

namespace {

// The line number this check has always logged, which log readers know it by.
constexpr int kStartCheckLine = 191;

bool IsImportProgress(WORD dialogId) {
  return dialogId == IDD_VCARD_IMPORT_PROGRESS || dialogId == IDD_VCAL_IMPORT_PROGRESS;
}

}  // namespace

void ShowSampleProgress(const DebugShowContext& context, WORD dialogId) {
  CDlgProgress progress;
  if (!progress.Start(context.debugDialog, dialogId)) {
    g_LogTimer.Assert(false, "CDlgDebug::OnShowDialog", kStartCheckLine);
    return;
  }
  const char* nameKey = IsImportProgress(dialogId) ? "IDS_PROGR_IMPORT" : "IDS_PROGR_EXPORT";
  progress.SetName(g_Lang.GetText(nameKey).c_str());
  progress.SetTotal(kSampleProgressSteps);
  for (int step = 0; step < kSampleProgressSteps; ++step) {
    Sleep(kSampleStepMs);
    if (progress.m_bCancel) {
      // The dialog shows its wait text for a moment, as a run finishing its item would.
      Sleep(kCancelWaitMs);
      break;
    }
    progress.Step();
  }
  progress.Close();
}
