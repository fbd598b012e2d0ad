// Serves a VirtualMeter on a pseudo-terminal registered as virtual port
// COM<n>, where port discovery finds it, with line faults on demand.
#pragma once

#include <chrono>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "sim/virtual_meter.h"

enum class LineFault {
  None,
  NoAnswer,      // the command is taken, nothing comes back
  LateAnswer,    // the answer comes `lateBy` after the command
  CommandError,  // "CMD ERR" whatever the command
  OverlongLine,  // an answer longer than any reply buffer
  Garbage,       // bytes of every value, then a line end
  HangUp,        // the port vanishes, as when the cable is pulled
  CutShort,      // the answer stops half-way and nothing follows
  AnswerTwice,   // the answer, then the same answer again
  LagOne,        // each answer comes only after the next command
  NulBytes,      // a line of NUL bytes
};

struct FaultRule {
  LineFault fault = LineFault::None;
  std::string onlyFor;  // the command it hits; empty: every command
  std::chrono::milliseconds lateBy{2500};
  int times = 0;  // commands it hits before it ends by itself; 0: until replaced
};

struct HeardCommand {
  std::string command;
  int speed;  // line speed the client had set, bit/s (0: unknown)
};

class PtyMeter {
 public:
  // Opens the pseudo-terminal and registers COM<port>.  The meter talks at
  // `speed`; a client set to another speed gets garbled bytes back.
  // Throws std::runtime_error when the port cannot be served.
  PtyMeter(VirtualMeter meter, int port, int speed = 19200);
  ~PtyMeter();
  PtyMeter(const PtyMeter&) = delete;
  PtyMeter& operator=(const PtyMeter&) = delete;

  int Port() const { return port_; }
  std::string DevicePath() const;
  // Applies to every following command until replaced.
  void SetFault(FaultRule rule);
  // Pulls the cable: the device and its link disappear.
  void HangUp();
  // Plugs it back in (a new device under the same port number).
  void PlugIn();
  std::vector<HeardCommand> Heard() const;
  // Called on the server thread with each command as it is heard, in order.
  void OnHeard(std::function<void(const HeardCommand&)> listener);
  // Runs `change` on the meter's state, between two commands.
  void WithMeter(const std::function<void(VirtualMeter&)>& change);

 private:
  void Open();
  void Close();
  void Unplug();  // closes the line and removes its link
  void CloseDescriptors();
  void Serve();
  void HandleLine(const std::string& line);
  void Send(const std::string& bytes);
  bool Pause(std::chrono::milliseconds time);  // false when stopping
  int ClientSpeed() const;

  VirtualMeter meter_;
  const int port_;
  const int speed_;
  mutable std::mutex mutex_;  // meter_, rule_, heard_, listener_
  FaultRule rule_;
  std::string lagged_;  // the answer LagOne holds back for the next command
  std::vector<HeardCommand> heard_;
  std::function<void(const HeardCommand&)> listener_;
  std::string devicePath_;
  int master_ = -1;
  int slave_ = -1;  // held open so the line survives clients coming and going
  int wake_ = -1;   // eventfd that ends the server thread
  std::thread server_;
};
