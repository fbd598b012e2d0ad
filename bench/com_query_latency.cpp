// ComQuery against the virtual meter over a pseudo-terminal:
//  1. latency from the moment the reply's line feed is written to the moment
//     ComQuery returns (goal: under 1 ms);
//  2. processor time the caller spends while a reply is 1 s late (goal: about 0 %).
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "link/com_port.h"
#include "link/commands.h"
#include "link/port_names.h"
#include "sim/pty_meter.h"
#include "sim/virtual_meter.h"

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

namespace {

constexpr int kRounds = 2000;

double Micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

double ThreadCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_THREAD, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The virtual meter's answers, served by hand so that the instant the line
// feed goes out can be stamped.
void MeasureLatency(int port) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  grantpt(master);
  unlockpt(master);
  std::filesystem::create_symlink(ptsname(master), VirtualPortLink(port));
  VirtualMeter meter;
  std::atomic<long long> lineFeedAt{0};

  std::thread server([&] {
    std::string line;
    char chunk[256];
    for (int served = 0; served < kRounds;) {
      pollfd in{master, POLLIN, 0};
      if (poll(&in, 1, 5000) <= 0) return;
      const ssize_t count = read(master, chunk, sizeof chunk);
      for (ssize_t i = 0; i < count; ++i) {
        if (chunk[i] == '\r') continue;
        if (chunk[i] != '\n') {
          line += chunk[i];
          continue;
        }
        const std::string reply = meter.Answer(line).bytes;  // ends in "\r\n"
        line.clear();
        [[maybe_unused]] auto a = write(master, reply.data(), reply.size() - 1);
        std::this_thread::sleep_for(200us);  // the reply's body is queued at the reader first
        lineFeedAt = Clock::now().time_since_epoch().count();
        [[maybe_unused]] auto b = write(master, "\n", 1);
        ++served;
      }
    }
  });

  ComSetLine(19200);
  if (!ComOpen(port)) {
    std::printf("cannot open the bench port\n");
    std::exit(1);
  }
  std::vector<double> latencies;
  char reply[32];
  for (int i = 0; i < kRounds; ++i) {
    const int result = ComQuery(command::kMainReading, reply, sizeof reply);
    const auto returned = Clock::now().time_since_epoch().count();
    if (result != COM_OK) {
      std::printf("exchange %d failed with %d\n", i, result);
      break;
    }
    latencies.push_back(Micros(Clock::duration(returned - lineFeedAt.load())));
  }
  server.join();
  ComClose();
  close(master);
  std::sort(latencies.begin(), latencies.end());
  auto at = [&](double q) { return latencies[static_cast<std::size_t>(q * (latencies.size() - 1))]; };
  std::printf("line feed to return, %zu exchanges: median %.1f us, p99 %.1f us, max %.1f us (goal < 1000 us)\n",
              latencies.size(), at(0.5), at(0.99), latencies.back());
}

void MeasureIdleWait(int port) {
  PtyMeter meter(VirtualMeter(), port);
  meter.SetFault({LineFault::LateAnswer, command::kStatus, 1000ms});
  ComSetLine(19200);
  if (!ComOpen(port)) {
    std::printf("cannot open the virtual meter\n");
    std::exit(1);
  }
  char reply[32];
  const double cpuBefore = ThreadCpuSeconds();
  const auto start = Clock::now();
  const int result = ComQuery(command::kStatus, reply, sizeof reply);
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  const double cpu = ThreadCpuSeconds() - cpuBefore;
  ComClose();
  std::printf("late reply (result %d) after %.3f s: %.2f ms of CPU, %.3f %% of a core (goal about 0 %%)\n", result,
              wall, cpu * 1000, 100 * cpu / wall);
}

}  // namespace

int main() {
  const auto folder = std::filesystem::temp_directory_path() / ("rv7300s-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  setenv("RV7300S_PORT_DIR", folder.c_str(), 1);
  MeasureLatency(1);
  MeasureIdleWait(2);
  std::filesystem::remove_all(folder);
  return 0;
}
