#include "cli/interruption.h"

#include <atomic>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#endif

namespace {

std::atomic<bool> interrupted{false};

#ifdef _WIN32
// Windows tells a console program of Ctrl+C and Ctrl+Break, and of its
// window closing, the user logging off and the system shutting down, on a
// thread of its own.  After the last three the program is ended as soon
// as the handler returns, so the handler waits: the command ends the
// process itself once its files are written, or the system ends it after
// its grace period.
BOOL WINAPI OnConsoleEvent(DWORD event) {
  interrupted = true;
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) Sleep(INFINITE);
  return TRUE;
}
#else
extern "C" void OnInterrupt(int) { interrupted = true; }
#endif

}  // namespace

void CatchInterruptions() {
#ifdef _WIN32
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
#else
  std::signal(SIGINT, OnInterrupt);
  std::signal(SIGTERM, OnInterrupt);
  std::signal(SIGHUP, OnInterrupt);
#endif
}

bool Interrupted() { return interrupted; }
