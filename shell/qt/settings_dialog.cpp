#include "shell/qt/settings_dialog.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/settings_controls.h"
#include "shell/qt/qt_text.h"
#include "text/ui_text.h"

namespace {

using namespace settings_control;

}  // namespace

CDlgInit::CDlgInit(QWidget* parent, MessageBoxes& boxes, Settings& settings, SharedMeterSettings& meter)
    : QDialog(parent), core_(controls_, boxes, settings, meter) {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabBar(this);
  tabs_->setExpanding(false);
  controls_.Register(kTabs, tabs_);
  pages_ = new QStackedWidget(this);
  for (QWidget* page : {CommunicationPage(), MeterPage(), RecordPage(), SavePage()}) {
    // White like the tab control, labels included, so the page blends in.
    page->setAutoFillBackground(true);
    QPalette white = page->palette();
    white.setColor(QPalette::Window, Qt::white);
    page->setPalette(white);
    pages_->addWidget(page);
    tabs_->addTab(QString());
  }
  layout->addWidget(tabs_);
  layout->addWidget(pages_, 1);
  connect(tabs_, &QTabBar::currentChanged, this, [this](int page) {
    pages_->setCurrentIndex(page);
    core_.shownPage = page;
  });
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
  controls_.Register(kOk, ok);
  controls_.Register(kCancel, cancel);
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &CDlgInit::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CDlgInit::reject);
  layout->addWidget(buttons);
}

void CDlgInit::Prepare(const SettingsOpening& opening, int language) {
  setWindowTitle(Q(Word(TextId::settingTitle, language)));
  const TextId pages[] = {TextId::communicationPage, TextId::meterPage, TextId::recordPage, TextId::savePage};
  for (int page = 0; page < 4; ++page) tabs_->setTabText(page, Q(Word(pages[page], language)));
  core_.Relabel(language);
  core_.Open(opening);
  ShowPage(core_.shownPage);
}

void CDlgInit::ShowPage(int page) {
  tabs_->setCurrentIndex(page);
  pages_->setCurrentIndex(page);
}

void CDlgInit::accept() {
  if (core_.OnOk()) {
    QDialog::accept();
  } else {
    ShowPage(core_.shownPage);
  }
}

void CDlgInit::reject() {
  core_.OnCancel();
  QDialog::reject();
}

QWidget* CDlgInit::CommunicationPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* automatic = new QCheckBox(page);
  controls_.Register(kAutoConnect, automatic);
  connect(automatic, &QCheckBox::clicked, this, [this] { core_.OnClicked(kAutoConnect); });
  layout->addWidget(automatic);
  auto* group = new QGroupBox(page);
  controls_.Register(kMeterGroup, group);
  auto* grid = new QGridLayout(group);
  const std::pair<int, int> rows[] = {{kPortLabel, kPortList}, {kSpeedLabel, kSpeedList}};
  for (int row = 0; row < 2; ++row) {
    auto* label = new QLabel(group);
    controls_.Register(rows[row].first, label);
    auto* list = new QComboBox(group);
    controls_.Register(rows[row].second, list);
    const int id = rows[row].second;
    connect(list, QOverload<int>::of(&QComboBox::activated), this, [this, id] { core_.OnSelection(id); });
    grid->addWidget(label, row, 0);
    grid->addWidget(list, row, 1);
  }
  layout->addWidget(group);
  layout->addStretch();
  return page;
}

QWidget* CDlgInit::MeterPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto group = [&](int id, std::initializer_list<std::pair<int, int>> rows) {
    auto* box = new QGroupBox(page);
    controls_.Register(id, box);
    auto* grid = new QGridLayout(box);
    int row = 0;
    for (const auto& [labelId, listId] : rows) {
      auto* label = new QLabel(box);
      controls_.Register(labelId, label);
      auto* list = new QComboBox(box);
      controls_.Register(listId, list);
      const int list_id = listId;
      connect(list, QOverload<int>::of(&QComboBox::activated), this, [this, list_id] { core_.OnSelection(list_id); });
      grid->addWidget(label, row, 0);
      grid->addWidget(list, row, 1);
      ++row;
    }
    layout->addWidget(box);
  };
  group(kRv736xGroup, {{kContinuityLabel, kContinuityList}, {kDiodeLabel, kDiodeList}, {kDbmLabel, kDbmList}});
  group(kOtherModelsGroup, {{kPassbandLabel, kPassbandList}});
  layout->addStretch();
  return page;
}

QWidget* CDlgInit::RecordPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto radio = [&](int id, QWidget* parent) {
    auto* button = new QRadioButton(parent);
    button->setAutoExclusive(false);  // the dialog sets both of a pair itself
    controls_.Register(id, button);
    connect(button, &QRadioButton::clicked, this, [this, id] { core_.OnClicked(id); });
    return button;
  };
  // Hours, minutes, seconds: three edits with their unit labels.
  auto clock = [&](QWidget* parent, std::array<std::pair<int, int>, 3> boxes) {
    auto* row = new QHBoxLayout;
    for (const auto& [editId, labelId] : boxes) {
      auto* edit = new QLineEdit(parent);
      edit->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
      edit->setAlignment(Qt::AlignRight);
      controls_.Register(editId, edit);
      auto* label = new QLabel(parent);
      controls_.Register(labelId, label);
      row->addWidget(edit);
      row->addWidget(label);
    }
    row->addStretch();
    return row;
  };
  auto* interval = new QGroupBox(page);
  controls_.Register(kIntervalGroup, interval);
  auto* intervalGrid = new QGridLayout(interval);
  intervalGrid->addWidget(radio(kNormal, interval), 0, 0);
  intervalGrid->addLayout(clock(interval, {{{kIntervalHours, kIntervalHoursLabel},
                                            {kIntervalMinutes, kIntervalMinutesLabel},
                                            {kIntervalSeconds, kIntervalSecondsLabel}}}),
                          0, 1);
  intervalGrid->addWidget(radio(kFast, interval), 1, 0);
  auto* fast = new QComboBox(interval);
  controls_.Register(kFastList, fast);
  intervalGrid->addWidget(fast, 1, 1);
  layout->addWidget(interval);

  auto* total = new QGroupBox(page);
  controls_.Register(kTotalGroup, total);
  auto* totalGrid = new QGridLayout(total);
  totalGrid->addWidget(radio(kDataCountTotal, total), 0, 0);
  auto* countRow = new QHBoxLayout;
  auto* count = new QLineEdit(total);
  count->setAlignment(Qt::AlignRight);
  controls_.Register(kDataCount, count);
  auto* countLabel = new QLabel(total);
  controls_.Register(kDataCountLabel, countLabel);
  countRow->addWidget(count);
  countRow->addWidget(countLabel);
  totalGrid->addLayout(countRow, 0, 1);
  totalGrid->addWidget(radio(kRecordTimeTotal, total), 1, 0);
  totalGrid->addLayout(clock(total, {{{kRecordHours, kRecordHoursLabel},
                                      {kRecordMinutes, kRecordMinutesLabel},
                                      {kRecordSeconds, kRecordSecondsLabel}}}),
                       1, 1);
  layout->addWidget(total);

  auto* display = new QHBoxLayout;
  auto* label = new QLabel(page);
  controls_.Register(kTimeDisplayLabel, label);
  auto* list = new QComboBox(page);
  controls_.Register(kTimeDisplayList, list);
  display->addWidget(label);
  display->addWidget(list);
  display->addStretch();
  layout->addLayout(display);
  layout->addStretch();
  return page;
}

QWidget* CDlgInit::SavePage() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  auto check = [&](int id) {
    auto* box = new QCheckBox(page);
    controls_.Register(id, box);
    connect(box, &QCheckBox::clicked, this, [this, id] { core_.OnClicked(id); });
    return box;
  };
  auto edit = [&](int id) {
    auto* line = new QLineEdit(page);
    controls_.Register(id, line);
    return line;
  };
  auto radio = [&](int id, QWidget* parent) {
    auto* button = new QRadioButton(parent);
    button->setAutoExclusive(false);
    controls_.Register(id, button);
    connect(button, &QRadioButton::clicked, this, [this, id] { core_.OnClicked(id); });
    return button;
  };
  int row = 0;
  for (const auto& [checkId, editId] :
       {std::pair{kCompanyOn, kCompany}, std::pair{kTitleOn, kTitle}, std::pair{kOperatorOn, kOperator}}) {
    grid->addWidget(check(checkId), row, 0);
    grid->addWidget(edit(editId), row, 1, 1, 3);
    ++row;
  }
  grid->addWidget(check(kDateOn), row, 0);
  grid->addWidget(radio(kDateAuto, page), row, 1);
  grid->addWidget(radio(kDateText, page), row, 2);
  grid->addWidget(edit(kDate), row, 3);
  ++row;
  grid->addWidget(check(kTempHumidOn), row, 0);
  auto* climate = new QHBoxLayout;
  climate->addWidget(edit(kTemperature));
  climate->addWidget(new QLabel(QStringLiteral("℃"), page));
  climate->addWidget(edit(kHumidity));
  climate->addWidget(new QLabel(QStringLiteral("% rh"), page));
  grid->addLayout(climate, row, 1, 1, 3);
  ++row;
  grid->addWidget(check(kMemoOn), row, 0);
  grid->addWidget(edit(kMemo), row, 1, 1, 3);
  ++row;

  auto* csv = new QGroupBox(page);
  controls_.Register(kCsvGroup, csv);
  auto* csvRow = new QHBoxLayout(csv);
  const std::array<std::array<int, 3>, 2> pairs = {
      {{kDecimalGroup, kDecimalPeriod, kDecimalComma}, {kSeparatorGroup, kSeparatorComma, kSeparatorSemicolon}}};
  for (const auto& [groupId, first, second] : pairs) {
    auto* group = new QGroupBox(csv);
    controls_.Register(groupId, group);
    auto* column = new QVBoxLayout(group);
    column->addWidget(radio(first, group));
    column->addWidget(radio(second, group));
    csvRow->addWidget(group);
  }
  grid->addWidget(csv, row, 0, 1, 4);
  grid->setRowStretch(row + 1, 1);
  grid->setColumnStretch(3, 1);
  return page;
}
