// A recording as a CSV table for spreadsheets: a header with the meter's
// identity and the record information, then one line per record.  Decimal
// mark and separator come from the save settings, words from the current
// catalogue language; the text is written in a legacy code page
// (csv_encoder.h).
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "persistence/csv_encoder.h"
#include "persistence/settings.h"
#include "recording/record_store.h"

// The meter a recording belongs to: the file's identity when the recording
// is tied to one, else the connected meter's.
struct CsvIdentity {
  int modelIndex;
  std::u16string serialNumber, firmwareVersion;
};

// Hands the file to `write` line by line (each call one line, CR LF
// included), so that a recording of any length needs no more memory than a
// line.  Returns the texts that the code page could not hold whole.
CsvLosses WriteRecordingCsv(const RecordStore& store, const CsvIdentity& meter, const Settings& settings,
                            const std::function<void(std::string_view bytes)>& write);

// Writes the table to `file` through a temporary file beside it, so a
// failure (CFileException) leaves what was there.  Returns the texts that
// the code page could not hold whole, for the user to be told.
CsvLosses ExportRecordingCsv(const std::filesystem::path& file, const RecordStore& store, const CsvIdentity& meter,
                             const Settings& settings);
