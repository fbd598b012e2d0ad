// The recording file (.vdmm): the record and save settings in force, the
// meter's identity, the record store with its summary and statistics, and
// the graph's state, in one archive written and read by one routine.
#pragma once

#include <cstdint>
#include <filesystem>

#include "base/version.h"
#include "persistence/archive.h"
#include "persistence/settings.h"
#include "recording/graph.h"
#include "recording/record_store.h"

inline constexpr std::u16string_view kRecordingSignature = u"Quorvia for RV7300s";
inline constexpr std::int32_t kRecordingFileVersion = kVersionNumber;
inline constexpr std::int32_t kOldestRecordingFileVersion = 9;

// What a recording file holds: of the settings only the record and save
// settings; the store with its summary; the graph's stored fields.
struct Recording {
  Settings settings;
  RecordStore store;
  Graph graph;
};

// The window's own recording, written without copying it.
struct RecordingParts {
  Settings& settings;
  RecordStore& store;
  Graph& graph;
};

enum class RecordingCheck { ok, notRecording, incompatible };

// Both directions.  Storing writes `currentModel` as the recording's model
// (the meter's identity texts are the store's); loading reads it into
// store.recordModel.  Loading checks the signature and the version first;
// values after them that the file does not hold raise the archive's error.
RecordingCheck SerializeRecording(CArchive& archive, RecordingParts recording, std::int32_t currentModel = 0);

// Takes the record and save settings that a recording file carries.
void AdoptRecordingSettings(Settings& into, const Settings& from);

// The message of a failed check, in the interface language.
std::u16string RecordingCheckMessage(RecordingCheck check, int language);

// Writes through a temporary file renamed over `file`: a failure leaves
// what was there.  Raises CFileException / CArchiveException.
void WriteRecordingFile(const std::filesystem::path& file, RecordingParts recording, std::int32_t currentModel);

// Reads a whole file into a fresh recording; the caller's recording is
// replaced only when this returns ok.  Raises CFileException /
// CArchiveException for a file that cannot be read or ends early.
RecordingCheck ReadRecordingFile(const std::filesystem::path& file, Recording& into);
