// rv7300s-sim: serves a virtual meter on a pseudo-terminal registered as
// virtual port COM<N>, until SIGINT or SIGTERM.  Lines on standard input
// switch faults for demos: "fault [once] none|noanswer|late|cmderr|overlong|garbage|hangup|short|twice|lag|nul
// [COMMAND]" ("once": for one command only),
// "hangup", "plugin"; and set the meter's input and state: "input F"
// (fraction of full scale), "open 0|1", "ac 0|1", "freq HZ",
// "status N D" (as the meter's keys would), "battery N"; and its memory:
// "memory store N" (the present reading into memory N), "memory fill K"
// (readings into memories 1-K), "memory clear", "memory fail N" (the reply
// for memory N stops half-way).  --log FILE appends each command the meter
// hears to FILE, a line each, as it arrives, so that a test outside can
// follow the conversation.
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "base/decimal.h"
#include "link/commands.h"
#include "sim/pty_meter.h"

namespace {

constexpr const char* kUsage =
    "usage: rv7300s-sim [--model NAME] [--serial S] [--firmware X.YZ] [--port-number N] [--speed 9600|19200]"
    " [--log FILE]";

struct Options {
  VirtualMeterSetup setup;
  int port = 201;
  int speed = 19200;
  std::string logPath;  // empty: no command log
};

std::optional<Options> Parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string flag = argv[i];
    if (i + 1 >= argc) return std::nullopt;
    const std::string value = argv[++i];
    if (flag == "--model") {
      options.setup.model = value;
    } else if (flag == "--serial") {
      options.setup.serialNumber = value;
    } else if (flag == "--firmware") {
      options.setup.firmware = value;
    } else if (flag == "--port-number") {
      const auto port = ParseDecimal(value);
      if (!port || *port < 1 || *port > 256) return std::nullopt;
      options.port = *port;
    } else if (flag == "--speed") {
      const auto speed = ParseDecimal(value);
      if (!speed || (*speed != 9600 && *speed != 19200)) return std::nullopt;
      options.speed = *speed;
    } else if (flag == "--log") {
      options.logPath = value;
    } else {
      return std::nullopt;
    }
  }
  return options;
}

// "memory store N", "memory fill K", "memory clear", "memory fail N".
bool Memory(PtyMeter& meter, std::istringstream& words) {
  std::string action;
  words >> action;
  if (action == "clear") {
    meter.WithMeter([](VirtualMeter& m) { m.ClearMemory(); });
    return true;
  }
  int number = 0;
  if (!(words >> number) || number < 1 || number > VirtualMeter::kMemorySlots) return false;
  if (action == "fail") {
    meter.SetFault({LineFault::CutShort, command::MemoryData(number)});
    return true;
  }
  if (action != "store" && action != "fill") return false;
  bool stored = true;
  meter.WithMeter([&](VirtualMeter& m) {
    const int first = action == "store" ? number : 1;
    for (int slot = first; slot <= number; ++slot) stored = m.StoreReading(slot) && stored;
  });
  if (!stored) std::cerr << "the meter has no memory\n";
  return true;
}

// Applies one control line; false when it is not understood.
bool Control(PtyMeter& meter, const std::string& line) {
  static const std::map<std::string, LineFault> kFaults = {
      {"none", LineFault::None},           {"noanswer", LineFault::NoAnswer},     {"late", LineFault::LateAnswer},
      {"cmderr", LineFault::CommandError}, {"overlong", LineFault::OverlongLine}, {"garbage", LineFault::Garbage},
      {"hangup", LineFault::HangUp},       {"short", LineFault::CutShort},        {"twice", LineFault::AnswerTwice},
      {"lag", LineFault::LagOne},          {"nul", LineFault::NulBytes}};
  std::istringstream words(line);
  std::string verb, name;
  words >> verb;
  if (verb == "hangup") {
    meter.HangUp();
  } else if (verb == "plugin") {
    try {
      meter.PlugIn();
      std::cout << "COM" << meter.Port() << ' ' << meter.DevicePath() << std::endl;
    } catch (const std::exception& error) {
      std::cerr << "rv7300s-sim: cannot plug in again: " << error.what() << '\n';
    }
  } else if (verb == "fault" && words >> name && (name != "once" || words >> name) && kFaults.count(name)) {
    FaultRule rule{kFaults.at(name), {}, std::chrono::milliseconds(2500)};
    if (line.find(" once ") != std::string::npos) rule.times = 1;
    std::getline(words >> std::ws, rule.onlyFor);
    meter.SetFault(rule);
  } else if (verb == "input" || verb == "freq") {
    double value = 0;
    if (!(words >> value)) return false;
    meter.WithMeter([&](VirtualMeter& m) { verb == "input" ? m.SetInput(value) : m.SetSignalFrequency(value); });
  } else if (verb == "open" || verb == "ac" || verb == "battery") {
    int value = 0;
    if (!(words >> value)) return false;
    meter.WithMeter([&](VirtualMeter& m) {
      if (verb == "open") m.SetOpenInput(value != 0);
      if (verb == "ac") m.SetAcInput(value != 0);
      if (verb == "battery") m.SetBattery(value);
    });
  } else if (verb == "status") {
    int position = 0;
    char value = 0;
    if (!(words >> position >> value)) return false;
    bool taken = false;
    meter.WithMeter([&](VirtualMeter& m) { taken = m.SetStatus(position, value); });
    if (!taken) std::cerr << "the meter refuses: " << line << '\n';
  } else if (verb == "memory") {
    return Memory(meter, words);
  } else {
    return verb.empty();
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const auto options = Parse(argc, argv);
  if (!options) {
    std::cerr << kUsage << '\n';
    return 2;
  }
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);  // before any thread starts
  const int signals = signalfd(-1, &stopSignals, SFD_CLOEXEC);
  if (signals < 0) {
    std::perror("rv7300s-sim: signalfd");
    return 1;
  }

  // Opened before the meter so that it outlives the server thread.
  std::ofstream log;
  if (!options->logPath.empty()) {
    log.open(options->logPath, std::ios::app);
    if (!log) {
      std::perror(("rv7300s-sim: " + options->logPath).c_str());
      return 1;
    }
  }

  try {
    PtyMeter meter(VirtualMeter(options->setup), options->port, options->speed);
    if (log.is_open()) {
      meter.OnHeard([&log](const HeardCommand& heard) { log << heard.command << std::endl; });
    }
    std::cout << "COM" << meter.Port() << ' ' << meter.DevicePath() << std::endl;
    bool stdinOpen = true;
    std::string pending;
    for (;;) {
      pollfd fds[2] = {{signals, POLLIN, 0}, {stdinOpen ? 0 : -1, POLLIN, 0}};
      if (poll(fds, 2, -1) < 0) {
        if (errno == EINTR) continue;
        break;
      }
      if (fds[0].revents & POLLIN) break;
      if (fds[1].revents & (POLLIN | POLLHUP)) {
        char chunk[256];
        const ssize_t count = read(0, chunk, sizeof chunk);
        if (count <= 0) {
          stdinOpen = false;
          continue;
        }
        pending.append(chunk, static_cast<std::size_t>(count));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
          if (!Control(meter, pending.substr(0, end)))
            std::cerr << "unknown control: " << pending.substr(0, end) << '\n';
        }
      }
    }
  } catch (const std::exception& error) {
    std::cerr << "rv7300s-sim: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
