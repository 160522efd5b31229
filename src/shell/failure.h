// The shell's one failure path: a failure is said on one line and ends the program through the
// window's destruction, which releases everything acquired. Start-up, the frame and the surfaces'
// rebuild report through it; AppMain returns the status it keeps.
#pragma once

// Reports a failure on one line of standard error (and in a message box when no terminal shows
// it) and marks the exit status 1. Start-up's failures and EndAfterFailure.
void ReportFailure(const char* what);
// Reports a failure, marks the exit status 1 and destroys the window (which releases everything
// acquired and posts the quit message).
void EndAfterFailure(const char* what);
// 1 after a reported failure, else 0; AppMain's result.
int ExitStatus();
// 0 again: AppMain, at the start of a run.
void ClearExitStatus();
