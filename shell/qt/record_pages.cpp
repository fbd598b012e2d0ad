#include "shell/qt/record_pages.h"

#include <algorithm>

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "recording/record_controls.h"
#include "shell/qt/fonts.h"
#include "shell/qt/qt_text.h"
#include "text/ui_text.h"

namespace {

using namespace record_control;

QString WordQ(TextId text, int language) { return Q(Word(text, language)); }

}  // namespace

void QtRecordRows::SetTitles(std::array<QString, 3> titles) {
  titles_ = std::move(titles);
  emit headerDataChanged(Qt::Horizontal, 0, 2);
}

void QtRecordRows::Add(const RowTexts& row) {
  const int at = Count();
  beginInsertRows({}, at, at);
  rows_.push_back({Q(row[0]), Q(row[1]), Q(row[2])});
  endInsertRows();
  SelectLast();
}

void QtRecordRows::Replace(std::vector<RowTexts> rows) {
  beginResetModel();
  rows_.clear();
  rows_.reserve(rows.size());
  for (const RowTexts& row : rows) rows_.push_back({Q(row[0]), Q(row[1]), Q(row[2])});
  endResetModel();
  SelectLast();
}

void QtRecordRows::DeleteAll() {
  beginResetModel();
  rows_.clear();
  endResetModel();
}

void QtRecordRows::DeleteLast() {
  if (rows_.empty()) return;
  const int at = Count() - 1;
  beginRemoveRows({}, at, at);
  rows_.pop_back();
  endRemoveRows();
}

// The newest row is the one selected and in view.
void QtRecordRows::SelectLast() {
  if (!view_ || rows_.empty()) return;
  const QModelIndex last = index(Count() - 1, 0);
  view_->setCurrentIndex(last);
  view_->scrollTo(last);
}

QVariant QtRecordRows::data(const QModelIndex& at, int role) const {
  if (!at.isValid() || at.row() >= Count()) return {};
  if (role == Qt::DisplayRole) return rows_[at.row()][at.column()];
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
  return {};
}

QVariant QtRecordRows::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 2) return {};
  return titles_[section];
}

CPpgRecord::CPpgRecord(QWidget* parent) : QWidget(parent) {
  setObjectName("CPpgRecord");
  setAutoFillBackground(true);
  rows_ = new QtRecordRows(this);
  list_ = new QTableView(this);
  list_->setModel(rows_);
  rows_->SetView(list_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setShowGrid(true);
  // A little smaller than the dialog's font: the time column has 35 % of the width.
  QFont rowFont = font();
  rowFont.setPixelSize(std::max(9, rowFont.pixelSize() - 3));
  list_->setFont(rowFont);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(QFontMetrics(rowFont).height() + 2);
  list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);  // rows of one height: no measuring on rebuild
  list_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  controls_.Register(kList, list_);
  list_->installEventFilter(this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(3);
  layout->addWidget(list_, 1);

  auto* paging = new QHBoxLayout;
  auto button = [&](int id) {
    auto* b = new QPushButton(this);
    controls_.Register(id, b);
    return b;
  };
  paging->addWidget(button(kPrevious));
  paging->addWidget(button(kNext));
  auto* label = new QLineEdit(this);
  label->setReadOnly(true);
  label->setAlignment(Qt::AlignCenter);
  label->setFixedWidth(fontMetrics().horizontalAdvance("0000/0000") + 10);
  controls_.Register(kPageLabel, label);
  paging->addWidget(label);
  paging->addStretch();
  auto* number = new QLineEdit(this);
  number->setFixedWidth(fontMetrics().horizontalAdvance("00000") + 10);
  controls_.Register(kPageNumber, number);
  paging->addWidget(number);
  paging->addWidget(button(kJump));
  layout->addLayout(paging);

  auto* statistics = new QGridLayout;
  statistics->setVerticalSpacing(1);
  const int groups[] = {kMainGroup, kSubGroup};
  const int lines[2][2] = {{kMainMax, kMainMin}, {kSubMax, kSubMin}};
  for (int g = 0; g < 2; ++g) {
    auto* group = new QLabel(this);
    controls_.Register(groups[g], group);
    statistics->addWidget(group, g * 2, 0, 2, 1, Qt::AlignVCenter);
    for (int i = 0; i < 2; ++i) {
      statistics->addWidget(new QLabel(i == 0 ? QStringLiteral("MAX") : QStringLiteral("MIN"), this), g * 2 + i, 1);
      auto* line = new QLabel(this);
      line->setFrameShape(QFrame::StyledPanel);
      controls_.Register(lines[g][i], line);
      statistics->addWidget(line, g * 2 + i, 2);
    }
  }
  statistics->setColumnStretch(2, 1);
  layout->addLayout(statistics);
  controls_.SetText(kPageLabel, u"1/1");
}

void CPpgRecord::Bind(RecordListPage& page) {
  auto clicked = [this](int id) { return static_cast<QPushButton*>(controls_.Widget(id)); };
  connect(clicked(kPrevious), &QPushButton::clicked, this, [&page] { page.OnPrevious(); });
  connect(clicked(kNext), &QPushButton::clicked, this, [&page] { page.OnNext(); });
  connect(clicked(kJump), &QPushButton::clicked, this, [this, &page] {
    if (!page.OnJump(controls_.Text(kPageNumber))) {
      QMessageBox::information(
          this, QStringLiteral("Quorvia for RV7300s"),
          language_ == 0 ? QStringLiteral("整数を入力してください。") : QStringLiteral("Please enter an integer."));
    }
  });
}

void CPpgRecord::Relabel(int language) {
  language_ = language;
  rows_->SetTitles(
      {WordQ(TextId::recordTime, language), WordQ(TextId::mainDisplay, language), WordQ(TextId::subDisplay, language)});
  const std::pair<int, TextId> texts[] = {{kPrevious, TextId::previousPage},
                                          {kNext, TextId::nextPage},
                                          {kJump, TextId::jumpToPage},
                                          {kMainGroup, TextId::mainDisplay},
                                          {kSubGroup, TextId::subDisplay}};
  for (const auto& [id, text] : texts) controls_.SetText(id, Word(text, language));
}

// Column 0 takes 35 % of the list's width less room for a scroll bar, the
// others share the rest.
bool CPpgRecord::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::Resize) {
    const int width = list_->width() - 20;
    const int first = static_cast<int>(width * 0.35);
    list_->setColumnWidth(0, first);
    list_->setColumnWidth(1, (width - first) / 2);
    list_->setColumnWidth(2, (width - first) / 2);
  }
  return QWidget::eventFilter(watched, event);
}

CPpgRecInfo::CPpgRecInfo(QWidget* parent) : QWidget(parent) {
  setObjectName("CPpgRecInfo");
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(2);
  // Label and field ids, in two columns.
  const std::pair<int, int> fields[] = {
      {kCompanyLabel, kCompany},   {kModelLabel, kModel},        {0, kSerial},
      {kFunctionLabel, kFunction}, {kRangeLabel, kRange},        {kMemoLabel, kMemo},
      {kDateLabel, kDate},         {kOperatorLabel, kOperator},  {kTempHumidLabel, kTempHumid},
      {kIntervalLabel, kInterval}, {kDataCountLabel, kDataCount}};
  const int rows = 6;
  for (int i = 0; i < static_cast<int>(std::size(fields)); ++i) {
    const auto [labelId, fieldId] = fields[i];
    auto* label = new QLabel(labelId ? QString() : QStringLiteral("S/N"), this);
    if (labelId) controls_.Register(labelId, label);
    auto* field = new QLabel(this);
    field->setFrameShape(QFrame::StyledPanel);
    field->setMinimumWidth(10);
    field->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    controls_.Register(fieldId, field);
    const int column = (i / rows) * 2;
    grid->addWidget(label, i % rows, column);
    grid->addWidget(field, i % rows, column + 1);
  }
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
}

void CPpgRecInfo::Relabel(int language) {
  const std::pair<int, TextId> texts[] = {{kCompanyLabel, TextId::company},     {kModelLabel, TextId::model},
                                          {kFunctionLabel, TextId::function},   {kRangeLabel, TextId::range},
                                          {kDateLabel, TextId::date},           {kOperatorLabel, TextId::operatorName},
                                          {kTempHumidLabel, TextId::tempHumid}, {kIntervalLabel, TextId::interval},
                                          {kDataCountLabel, TextId::buffer},    {kMemoLabel, TextId::memo}};
  for (const auto& [id, text] : texts) controls_.SetText(id, Word(text, language));
}

ClearChoice AskClear(QWidget* parent, int language) {
  QDialog dialog(parent);
  dialog.setWindowTitle(WordQ(TextId::clearTitle, language));
  dialog.setMinimumWidth(WidthForTitle(dialog));
  auto* layout = new QVBoxLayout(&dialog);
  auto* all = new QPushButton(WordQ(TextId::clearAll, language), &dialog);
  auto* newest = new QPushButton(WordQ(TextId::clearNewest, language), &dialog);
  newest->setDefault(true);
  layout->addWidget(all);
  layout->addWidget(newest);
  ClearChoice choice = ClearChoice::cancel;
  QObject::connect(all, &QPushButton::clicked, &dialog, [&] {
    choice = ClearChoice::all;
    dialog.accept();
  });
  QObject::connect(newest, &QPushButton::clicked, &dialog, [&] {
    choice = ClearChoice::newest;
    dialog.accept();
  });
  dialog.exec();
  return choice;
}
