// The operating-system side of the port, one implementation per platform.
// Only com_port.cpp calls these.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

#include "link/port_refusal.h"

using SerialClock = std::chrono::steady_clock;

struct LineSettings {
  int speed = 19200;
};

enum class ReadStatus { Data, TimedOut, Failed };

struct ReadOutcome {
  ReadStatus status;
  std::size_t count;  // bytes stored when status is Data
};

// On failure, `refusal` tells whether the device is there but not ours:
// no right to it, or another program holds it.
bool SerialOpen(int port, const LineSettings& settings, PortRefusal& refusal);
void SerialClose();
bool SerialIsOpen();
// Writes all of `size` bytes before `deadline`.
bool SerialWrite(const std::uint8_t* data, std::size_t size, SerialClock::time_point deadline);
void SerialPurgeOutput();
// Drops what the driver received and nobody has read.
void SerialDiscardInput();
// Waits until at least one byte has arrived or `deadline` passed, then takes
// what is queued, up to `capacity` bytes.
ReadOutcome SerialRead(std::uint8_t* buffer, std::size_t capacity, SerialClock::time_point deadline);
