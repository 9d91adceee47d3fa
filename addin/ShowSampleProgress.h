// The progress dialog as the debug dialog shows it: over the debug dialog, with a run
// of sample steps that the user can cancel.
#pragma once

#include "addin/DebugDialogList.h"

// Steps a sample run has, one every kSampleStepMs; Cancel stops it after kCancelWaitMs.
inline constexpr int kSampleProgressSteps = 600;
inline constexpr DWORD kSampleStepMs = 100;
inline constexpr DWORD kCancelWaitMs = 500;

// Starts progress dialog dialogId over context.debugDialog, steps it until the run is
// done or cancelled, and closes it. A dialog that does not start is logged.
void ShowSampleProgress(const DebugShowContext& context, WORD dialogId);
