// The CSV file of a memory download: a header naming the meter and the
// day, the column titles, then one line per stored reading.  Words and
// names come from the current catalogue language; the separator and the
// decimal mark from the save settings.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/models.h"
#include "memory/memory_record.h"
#include "persistence/ansi_code_page.h"
#include "persistence/date_time.h"
#include "persistence/settings.h"

struct MemoryCsvFormat {
  char16_t separator = u',';
  std::u16string mark = u".";
  int temperatureUnit = 0;  // the connected meter's: 0 Celsius, 1 Fahrenheit

  static MemoryCsvFormat FromSettings(const Settings& settings, int temperatureUnit);
};

struct MemoryCsvMeter {
  int modelIndex = kDefaultModel;
  std::string serialNumber;
  std::string firmwareVersion;
};

// The lines before the first record, without their line ends.
std::vector<std::u16string> MemoryCsvHeader(const MemoryCsvMeter& meter, const CalendarTime& date,
                                            const MemoryCsvFormat& format);

// The line of memory `number`, without its line end.  Only records that
// hold a reading belong in the file (MemoryRecord::HoldsReading).
std::u16string MemoryCsvLine(int number, const MemoryRecord& record, const MemoryCsvFormat& format);
// Whether a record that holds a reading can be read as one: a known
// function, a range it has, and status words and modes the meter writes.
bool MemoryRecordDecodes(const MemoryRecord& record);

// A line as the file stores it: in the code page of a CSV file for the
// catalogue's language on a system of `systemCodePage` (csv_encoder.h),
// ending in CR LF.
std::string EncodeMemoryCsvLine(std::u16string_view line, int systemCodePage = AnsiCodePage());
