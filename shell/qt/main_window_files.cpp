// The main window's file commands: the recording file (Open, Save, Save As)
// and the CSV export.
#include <QFileDialog>
#include <QFileInfo>

#include "base/text_helpers.h"
#include "base/utf16.h"
#include "link/identification.h"
#include "persistence/archive_exception.h"
#include "persistence/file_exception.h"
#include "recording/csv_export.h"
#include "recording/file/recording_file.h"
#include "shell/qt/main_window.h"
#include "shell/qt/qt_text.h"
#include "text/ui_text.h"

namespace {

// "vdmm file (*.vdmm)|*.vdmm||" as a Qt filter: the shown part.
QString QtFilter(std::u16string_view filter) { return Q(filter.substr(0, filter.find(u'|'))); }

std::filesystem::path PathOf(const QString& file) { return std::filesystem::path(file.toStdString()); }

}  // namespace

QString CQM8000Dlg::ChooseFile(bool save, TextId filterText, const QString& extension) {
  const QString filter = QtFilter(Word(filterText, settings_.language));
  QString file;
  if (fileAnswer) {
    file = fileAnswer(save, filter);
  } else if (save) {
    file = QFileDialog::getSaveFileName(this, QString(), QStringLiteral("*.") + extension, filter);
  } else {
    file = QFileDialog::getOpenFileName(this, QString(), QString(), filter);
  }
  if (save && !file.isEmpty() && QFileInfo(file).suffix().isEmpty()) file += QStringLiteral(".") + extension;
  return file;
}

// Runs a file operation; a file or archive error is shown, and false returned.
bool CQM8000Dlg::ReportingFileErrors(const std::function<void()>& operation) {
  try {
    operation();
    return true;
  } catch (const CArchiveException& error) {
    services_.Show(error.Message(settings_.language), MessageIcon::error);
  } catch (const CFileException& error) {
    services_.Show(error.Message(settings_.language), MessageIcon::error);
  }
  return false;
}

void CQM8000Dlg::OnOpen() {
  if (!engine_->saved && services_.Ask(Word(TextId::saveDataQuestion, settings_.language), MessageIcon::information,
                                       MessageButtons::yesNo) == MessageAnswer::yes) {
    OnSaveAs();
  }
  const QString file = ChooseFile(false, TextId::vdmmFileFilter, QStringLiteral("vdmm"));
  if (file.isEmpty()) return;
  // Read whole into a recording of its own: a damaged file leaves the one
  // on screen as it was.
  auto read = std::make_unique<::Recording>();
  RecordingCheck check = RecordingCheck::ok;
  if (!ReportingFileErrors([&] { check = ReadRecordingFile(PathOf(file), *read); })) return;
  if (check != RecordingCheck::ok) {
    services_.Show(RecordingCheckMessage(check, settings_.language), MessageIcon::error);
    return;
  }
  AdoptRecording(*read);
  filePath_ = file;
  engine_->TieToFile(QFileInfo(file).fileName().toStdU16String());
  engine_->ShowOpenedRecording();
}

// A recording read whole replaces the one shown; the graph keeps its tab.
void CQM8000Dlg::AdoptRecording(::Recording& read) {
  AdoptRecordingSettings(settings_, read.settings);
  store_ = std::move(read.store);
  const int tab = graph_.tabIndex;
  graph_ = read.graph;
  graph_.tabIndex = tab;
}

void CQM8000Dlg::OnSave() {
  if (engine_->saved) return;
  if (engine_->tiedToFile) {
    WriteRecording(filePath_);
  } else {
    OnSaveAs();
  }
}

void CQM8000Dlg::OnSaveAs() {
  const QString file = ChooseFile(true, TextId::vdmmFileFilter, QStringLiteral("vdmm"));
  if (!file.isEmpty()) WriteRecording(file);
}

// The recording carries the identity of the meter connected when it is
// written.  A failed write says so and leaves the recording unsaved.
void CQM8000Dlg::WriteRecording(const QString& file) {
  const MeterIdentity meter = CurrentIdentity();
  store_.recordFirmware = Utf8ToUtf16(meter.firmwareVersion);
  store_.recordSerial = Utf8ToUtf16(meter.serialNumber);
  if (!ReportingFileErrors([&] { WriteRecordingFile(PathOf(file), {settings_, store_, graph_}, meter.modelIndex); })) {
    return;
  }
  filePath_ = file;
  engine_->TieToFile(QFileInfo(file).fileName().toStdU16String());
}

void CQM8000Dlg::OnExportCsv() {
  const QString file = ChooseFile(true, TextId::csvFileFilter, QStringLiteral("csv"));
  if (file.isEmpty()) return;
  const MeterIdentity meter = CurrentIdentity();
  const CsvIdentity identity =
      engine_->tiedToFile
          ? CsvIdentity{store_.recordModel, store_.recordSerial, store_.recordFirmware}
          : CsvIdentity{meter.modelIndex, Utf8ToUtf16(meter.serialNumber), Utf8ToUtf16(meter.firmwareVersion)};
  try {
    const CsvLosses losses = ExportRecordingCsv(PathOf(file), store_, identity, settings_);
    if (!losses.texts.empty()) services_.Show(CsvLossesMessage(losses, settings_.language), MessageIcon::warning);
  } catch (const CFileException& error) {
    if (error.cause() == CFileException::Cause::fileNotFound || error.cause() == CFileException::Cause::accessDenied) {
      services_.Show(Filled(Word(TextId::cannotOpen, settings_.language), QFileInfo(file).fileName().toStdU16String()),
                     MessageIcon::error);
    } else {
      services_.Show(error.Message(settings_.language), MessageIcon::error);
    }
  }
}
