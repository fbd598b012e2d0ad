#include "cli/interruption.h"

#include <atomic>
#include <csignal>

namespace {

std::atomic<bool> interrupted{false};

extern "C" void OnInterrupt(int) { interrupted = true; }

}  // namespace

void CatchInterruptions() {
  std::signal(SIGINT, OnInterrupt);
  std::signal(SIGTERM, OnInterrupt);
#ifdef SIGHUP
  std::signal(SIGHUP, OnInterrupt);
#endif
}

bool Interrupted() { return interrupted; }
