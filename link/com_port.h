// The one serial port of the process and the line exchange with the meter.
// Nothing else in the program touches the port.  The port is shared by
// sequencing: callers make sure no two threads use it at the same time.
#pragma once

#include <atomic>
#include <cstddef>

#include "link/port_refusal.h"

enum ComResult : int {
  COM_ERROR = 0,     // line status unreadable (device gone); port closed
  COM_OK = 1,        // a complete line (or the byte) arrived; port open
  COM_TIMEOUT = 2,   // time limit passed first; port closed
  COM_OVERFLOW = 3,  // the reply did not fit the buffer; port open
  COM_SENDFAIL = 4,  // the command could not be written; port open
  COM_MISMATCH = 5,  // (exchange only) twice a line that does not answer the command; port open
};

// Lowest and highest port number a device name can be built for.
inline constexpr int kFirstComPort = 1;
inline constexpr int kLastComPort = 256;
// The port number that means "no port known".
inline constexpr int kNoComPort = 1000;

// While non-zero, ComReadLine waits 10 s instead of 2 s (zero adjustment).
extern std::atomic<int> longReplyWait;

// Prepares the line settings (8N1, no flow control, DTR low, RTS high) with
// the given speed; they take effect at the next ComOpen.
void ComSetLine(int speed);
// Opens port `port` with the prepared settings; refuses numbers outside 1-256.
bool ComOpen(int port);
// Why the last ComOpen failed, when the device is there but not ours.
PortRefusal ComOpenRefusal();
// Closes the port and drops whatever was received but not yet read.
void ComClose();
bool ComIsOpen();
// Drops unread input (it answers no command still to be written), then
// writes `command` and CR LF.  On failure purges the output queue.
bool ComWrite(const char* command);
// Reads one line into `buffer` (NUL-terminated, no control bytes).
int ComReadLine(char* buffer, std::size_t capacity);
// Reads exactly one raw byte.
int ComReadByte(unsigned char* byte);
// ComWrite then ComReadLine; COM_SENDFAIL when the write failed.  A
// query's reply is checked against its command's shape; a reply that does
// not fit, or that overflows, makes the exchange wait for the line to fall
// quiet and ask once more.  COM_MISMATCH when the second
// reply does not fit either; the buffer is then empty.
int ComQuery(const char* command, char* reply, std::size_t capacity);
