// Monitoring the virtual meter (served by rv7300s-sim in its own process):
// acquisition cycles per second and the processor time of this process
// (goal: about 8 cycles a second at well under 2 % of a core).
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "link/com_list.h"
#include "link/identification.h"
#include "live/connection.h"
#include "live/headless_shell.h"
#include "persistence/settings_folder.h"
#include "window/headless_controls.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
  const auto folder = std::filesystem::temp_directory_path() / ("rv7300s-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  setenv("RV7300S_PORT_DIR", folder.c_str(), 1);
  const std::string sim = (ProgramFolder() / "rv7300s-sim").string();
  const pid_t child = fork();
  if (child == 0) {
    execl(sim.c_str(), sim.c_str(), "--model", "RV7361", "--port-number", "201", static_cast<char*>(nullptr));
    _exit(127);
  }
  for (int i = 0; i < 50 && !std::filesystem::exists(folder / "COM201"); ++i) usleep(20000);
  EnumerateComPorts();

  HeadlessMonitor monitor([] { return ScanForMeter() == 0; });
  HeadlessShell& window = monitor.window;
  ConnectionController& controller = monitor.controller;
  PublishedReading& published = monitor.published;
  controller.OnMonitorButton();
  window.PumpUntil([&] { return controller.Connected(); }, std::chrono::seconds(5));
  if (!controller.Connected()) {
    std::printf("could not connect to the virtual meter\n");
    kill(child, SIGTERM);
    return 1;
  }
  window.PumpUntil([] { return false; }, std::chrono::seconds(1));  // settle

  const std::uint64_t firstCycle = published.Latest().cycle;
  const double cpuBefore = CpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  window.PumpUntil([] { return false; }, std::chrono::seconds(seconds));
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double cpu = CpuSeconds() - cpuBefore;
  const std::uint64_t cycles = published.Latest().cycle - firstCycle;

  controller.Exit();
  window.PumpUntil([&] { return window.ended.load(); }, std::chrono::seconds(5));
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  std::filesystem::remove_all(folder);
  std::printf(
      "%llu cycles in %.1f s: %.2f cycles a second (goal about 8); CPU %.3f s = %.2f %% of a core (goal < 2 %%)\n",
      static_cast<unsigned long long>(cycles), wall, cycles / wall, cpu, 100 * cpu / wall);
  return 0;
}
