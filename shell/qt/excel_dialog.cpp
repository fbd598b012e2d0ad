#include "shell/qt/excel_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "excel/excel_controls.h"
#include "shell/qt/qt_text.h"
#include "text/ui_text.h"

namespace {

using namespace excel_control;

}  // namespace

CDlgExcel::CDlgExcel(QWidget* mainWindow, AppMessages& mainMessages, MessageBoxes& boxes, Settings& settings,
                     const PublishedReading& published, std::function<bool()> meterConnected,
                     std::function<bool()> recording, int language)
    : QDialog(mainWindow), mainWindow_(mainWindow), language_(language) {
  setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(false);
  auto* grid = new QGridLayout(this);
  auto* open = new QPushButton(this);
  open->setMinimumHeight(48);
  controls_.Register(kOpen, open);
  connect(open, &QPushButton::clicked, this, &CDlgExcel::OnOpenButton);
  grid->addWidget(open, 0, 0, 2, 1);
  auto clickable = [&](QAbstractButton* button, int id) {
    controls_.Register(id, button);
    connect(button, &QAbstractButton::clicked, this, [this, id] { core_->OnClicked(id); });
    return button;
  };
  auto* byReturn = new QRadioButton(this);
  auto* byInterval = new QRadioButton(this);
  for (QRadioButton* radio : {byReturn, byInterval}) radio->setAutoExclusive(false);
  grid->addWidget(clickable(byReturn, kByReturn), 0, 1, 1, 3);
  grid->addWidget(clickable(byInterval, kByInterval), 1, 1, 1, 3);
  grid->addWidget(clickable(new QCheckBox(this), kUseRecordSetting), 2, 1);
  auto* label = new QLabel(this);
  controls_.Register(kIntervalLabel, label);
  grid->addWidget(label, 2, 2);
  auto* list = new QComboBox(this);
  controls_.Register(kIntervalList, list);
  connect(list, QOverload<int>::of(&QComboBox::activated), this, [this] { core_->OnSelection(kIntervalList); });
  grid->addWidget(list, 2, 3);
  grid->addWidget(clickable(new QPushButton(this), kStartStop), 3, 1, 1, 2);
  auto* close = new QPushButton(this);
  controls_.Register(kClose, close);
  connect(close, &QPushButton::clicked, this, &CDlgExcel::reject);
  grid->addWidget(close, 3, 3);

  services_.boxTitle = [] { return QStringLiteral("Quorvia for RV7300s"); };
  services_.onMessage = [this](int n, std::intptr_t parameter) {
    if (n == app_message::kFollowMainWindow) {
      const QPoint origin = mainWindow_->mapToGlobal(QPoint(0, 0));
      move(origin.x(), origin.y() + 362);
    } else {
      core_->OnMessage(n, parameter);
    }
  };
  core_ = std::make_unique<ExcelPaste>(ExcelPasteEnvironment{
      controls_, services_, mainMessages, boxes, settings, published,
      [this] { return programFactory ? programFactory() : nullptr; }, std::move(meterConnected), std::move(recording)});
  core_->Create(language);
  setWindowTitle(Q(Word(TextId::pasteToExcelTitle, language)));

  // Kept below the main window's panel while the main window moves.
  connect(&follow_, &QTimer::timeout, this, &CDlgExcel::FollowMainWindow);
  follow_.start(200);
  connect(&check_, &QTimer::timeout, this, [this] {
    const QWidget* focus = QApplication::focusWidget();
    core_->OnCheckTimer(focus != nullptr);
    if (!core_->CheckTimerWanted()) check_.stop();
  });
}

void CDlgExcel::Relabel(int language) {
  language_ = language;
  setWindowTitle(Q(Word(TextId::pasteToExcelTitle, language)));
  core_->Relabel(language);
}

void CDlgExcel::FollowMainWindow() {
  const QPoint main = mainWindow_->pos();
  if (main == lastMainPosition_) return;
  lastMainPosition_ = main;
  const QPoint origin = mainWindow_->mapToGlobal(QPoint(0, 0));
  if (pos() != QPoint(origin.x(), origin.y() + 362)) services_.Post(app_message::kFollowMainWindow, 0);
}

std::optional<std::u16string> CDlgExcel::AskHowToOpen() {
  if (openAnswer) return openAnswer();
  QDialog question(this);
  question.setWindowTitle(Q(Word(TextId::openExcelTitle, language_)));
  auto* layout = new QVBoxLayout(&question);
  auto* newOrRunning = new QRadioButton(Q(Word(TextId::newOrRunningFile, language_)), &question);
  auto* chosen = new QRadioButton(Q(Word(TextId::chosenFile, language_)), &question);
  newOrRunning->setChecked(true);
  layout->addWidget(newOrRunning);
  layout->addWidget(chosen);
  auto* buttons = new QDialogButtonBox(&question);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(Q(Word(TextId::cancel, language_)), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, &question, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &question, &QDialog::reject);
  layout->addWidget(buttons);
  if (question.exec() != QDialog::Accepted) return std::nullopt;
  if (newOrRunning->isChecked()) return std::u16string();
  const std::u16string filter(Word(TextId::excelFileFilter, language_));
  const QString shown = Q(std::u16string_view(filter).substr(0, filter.find(u'|')));
  const QString file = QFileDialog::getOpenFileName(this, QString(), QString(), shown);
  if (file.isEmpty()) return std::nullopt;
  return file.toStdU16String();
}

void CDlgExcel::OnOpenButton() {
  const std::optional<std::u16string> how = AskHowToOpen();
  if (!how) return;
  core_->Attach(*how);
  if (core_->CheckTimerWanted()) check_.start(300);
}

// Close and Escape only hide the window: the spreadsheet stays attached.
void CDlgExcel::reject() {
  core_->OnClose();
  hide();
}
