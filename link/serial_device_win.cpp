// Win32 implementation of the port: the COM device with the line settings
// the meter needs, read by polling the driver's input queue.
#include <windows.h>

#include "link/port_names.h"
#include "link/serial_device.h"

namespace {

HANDLE handle = INVALID_HANDLE_VALUE;
constexpr DWORD kQueueSize = 0x80000;

void FillLineSettings(DCB& dcb, const LineSettings& settings) {
  dcb = DCB{};
  dcb.DCBlength = sizeof dcb;
  dcb.BaudRate = static_cast<DWORD>(settings.speed);
  dcb.ByteSize = 8;
  dcb.Parity = NOPARITY;
  dcb.StopBits = ONESTOPBIT;
  dcb.fBinary = TRUE;
  dcb.fParity = FALSE;
  dcb.fOutxCtsFlow = FALSE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDtrControl = DTR_CONTROL_DISABLE;
  dcb.fDsrSensitivity = FALSE;
  dcb.fTXContinueOnXoff = FALSE;
  dcb.fOutX = FALSE;
  dcb.fInX = FALSE;
  dcb.fErrorChar = FALSE;
  dcb.fNull = FALSE;
  dcb.fRtsControl = RTS_CONTROL_ENABLE;
  dcb.fAbortOnError = FALSE;
  dcb.XonLim = 200;
  dcb.XoffLim = 400;
  dcb.XonChar = 0x11;
  dcb.XoffChar = 0x13;
  dcb.ErrorChar = 0x00;
  dcb.EofChar = 0x1A;
  dcb.EvtChar = 0x00;
}

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

bool SerialOpen(int port, const LineSettings& settings, PortRefusal& refusal) {
  refusal = PortRefusal::none;
  const HANDLE h = CreateFileW(Widen(WindowsDeviceName(port)).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    // A COM port is never shared: another program that has it open makes
    // the open fail as "access denied".
    const DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) refusal = PortRefusal::busy;
    return false;
  }
  DCB dcb;
  FillLineSettings(dcb, settings);
  COMMTIMEOUTS timeouts;
  const bool ready = SetCommMask(h, 0) && SetupComm(h, kQueueSize, kQueueSize) && SetCommState(h, &dcb) &&
                     GetCommTimeouts(h, &timeouts);
  if (ready) {
    // A read returns the moment a byte is queued, or after 50 ms with none:
    // the reader waits on the driver instead of spinning on the queue.
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = 50;
    timeouts.WriteTotalTimeoutMultiplier = 2;
    timeouts.WriteTotalTimeoutConstant = 2000;
  }
  if (!ready || !SetCommTimeouts(h, &timeouts)) {
    CloseHandle(h);
    return false;
  }
  handle = h;
  return true;
}

void SerialClose() {
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  handle = INVALID_HANDLE_VALUE;
}

bool SerialIsOpen() { return handle != INVALID_HANDLE_VALUE; }

// The write time-outs of the port enforce the deadline.
bool SerialWrite(const std::uint8_t* data, std::size_t size, SerialClock::time_point) {
  DWORD written = 0;
  return handle != INVALID_HANDLE_VALUE && WriteFile(handle, data, static_cast<DWORD>(size), &written, nullptr) &&
         written == size;
}

void SerialPurgeOutput() {
  if (handle != INVALID_HANDLE_VALUE) PurgeComm(handle, PURGE_TXCLEAR);
}

void SerialDiscardInput() {
  if (handle != INVALID_HANDLE_VALUE) PurgeComm(handle, PURGE_RXCLEAR);
}

ReadOutcome SerialRead(std::uint8_t* buffer, std::size_t capacity, SerialClock::time_point deadline) {
  for (;;) {
    DWORD errors = 0;
    COMSTAT status{};
    if (handle == INVALID_HANDLE_VALUE || !ClearCommError(handle, &errors, &status)) {
      return {ReadStatus::Failed, 0};
    }
    DWORD count = 0;
    if (!ReadFile(handle, buffer, static_cast<DWORD>(capacity), &count, nullptr)) return {ReadStatus::Failed, 0};
    if (count > 0) return {ReadStatus::Data, count};
    if (SerialClock::now() >= deadline) return {ReadStatus::TimedOut, 0};
  }
}
