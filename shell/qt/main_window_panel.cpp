// The main window's panel: the monitor's controls laid out in dialog
// units, the record tabs and buttons, the menus, and the panel's refresh
// on each tick of the clock.
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>
#include <QTime>
#include <QVBoxLayout>

#include "base/utf16.h"
#include "base/version.h"
#include "catalogue/configuration.h"
#include "excel/excel_controls.h"
#include "link/com_list.h"
#include "link/identification.h"
#include "live/panel_pictures.h"
#include "recording/record_controls.h"
#include "shell/qt/fonts.h"
#include "shell/qt/graph_page.h"
#include "shell/qt/main_window.h"
#include "shell/qt/panel_controls.h"
#include "shell/qt/qt_text.h"
#include "shell/qt/record_pages.h"
#include "shell/runtime_files.h"
#include "text/text_id.h"
#include "text/ui_text.h"

using namespace panel_control;

// The status icons: drawn from their bitmaps with white as transparent.
class StatusStrip : public QWidget {
 public:
  using QWidget::QWidget;
  void SetIcons(std::vector<std::pair<int, QPixmap>> icons) {
    icons_ = std::move(icons);
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    for (const auto& [x, pixmap] : icons_) painter.drawPixmap(x, 0, pixmap);
  }

 private:
  std::vector<std::pair<int, QPixmap>> icons_;
};

// Dialog units: a quarter of the dialog font's average character width
// across, an eighth of its height down.
QRect CQM8000Dlg::Dlu(int x, int y, int width, int height) const {
  const QFontMetrics metrics(dialogFont_);
  const double across = metrics.averageCharWidth() / 4.0;
  const double down = metrics.height() / 8.0;
  return QRect(qRound(x * across), qRound(y * down), qRound(width * across), qRound(height * down));
}

void CQM8000Dlg::BuildPanel() {
  auto place = [this](QWidget* widget, int id, QRect where) {
    widget->setParent(panel_);
    widget->setGeometry(where);
    if (id) controls_.Register(id, widget);
    return widget;
  };
  auto label = [&](int id, int x, int y, int w, int h, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* text = new QLabel(this);
    text->setAlignment(align);
    place(text, id, Dlu(x, y, w, h));
    return text;
  };
  place(new QGroupBox(this), kMonitorGroup, Dlu(5, 12, 222, 109));
  label(control::kMainLabel, 16, 28, 70, 8);
  label(control::kSubLabel, 16, 68, 70, 8);
  const QFont large = PanelFont("MS UI Gothic", 46);
  const QFont unit = PanelFont("MS ゴシック", 25);
  for (const auto& [id, y] : {std::pair{control::kMainValue, 35}, std::pair{control::kSubValue, 75}}) {
    label(id, 11, y, 103, 30, Qt::AlignRight | Qt::AlignVCenter)->setFont(large);
  }
  for (const auto& [id, y] : {std::pair{control::kMainUnit, 47}, std::pair{control::kSubUnit, 87}}) {
    label(id, 118, y, 30, 18)->setFont(unit);
  }
  label(kModeLabel, 149, 37, 24, 8);
  label(kRangeLabel, 149, 55, 24, 8);
  for (const auto& [id, y] : {std::pair{control::kModeList, 34}, std::pair{control::kRangeList, 52}}) {
    auto* combo = new QComboBox(this);
    place(combo, id, Dlu(173, y, 50, 14));
  }
  auto* modeList = static_cast<QComboBox*>(controls_.Widget(control::kModeList));
  connect(modeList, QOverload<int>::of(&QComboBox::activated), this,
          [this] { OnModeListSelection(CurrentIdentity().modelIndex, snapshot_, lists_, controls_); });
  auto* rangeList = static_cast<QComboBox*>(controls_.Widget(control::kRangeList));
  connect(rangeList, QOverload<int>::of(&QComboBox::activated), this, [this] {
    if (OnRangeListSelection(snapshot_, lists_, controls_)) engine_->OnStop();
  });
  label(control::kMainConfig, 170, 70, 50, 8, Qt::AlignRight | Qt::AlignVCenter);
  label(control::kSubConfig, 170, 83, 50, 8, Qt::AlignRight | Qt::AlignVCenter);
  auto* monitor = new QPushButton(this);
  place(monitor, control::kMonitorButton, Dlu(173, 96, 50, 17));
  connect(monitor, &QPushButton::clicked, this, [this] { controller_->OnMonitorButton(); });

  place(new QGroupBox(this), 0, Dlu(5, 116, 222, 55));
  statusStrip_ = new StatusStrip(panel_);
  // The strip starts at its marker and runs on to the right over the panel.
  const QRect strip = Dlu(11, 127, 214, 14);
  statusStrip_->setGeometry(strip.x(), strip.y(), 370, strip.height());
  const std::pair<int, MonitorRequest> buttons[] = {{control::kPeakButton, MonitorRequest::peak},
                                                    {control::kClearButton, MonitorRequest::clear},
                                                    {control::kRelButton, MonitorRequest::rel},
                                                    {control::kFilterButton, MonitorRequest::filter},
                                                    {control::kSlowButton, MonitorRequest::slow}};
  const int xs[] = {10, 53, 96, 139, 182};
  for (int i = 0; i < 5; ++i) {
    auto* button = new QPushButton(this);
    place(button, buttons[i].first, Dlu(xs[i], 150, 41, 14));
    const MonitorRequest request = buttons[i].second;
    connect(button, &QPushButton::clicked, this, [this, request] { snapshot_.Raise(request); });
  }

  place(new QGroupBox(this), kDiagramGroup, Dlu(5, 175, 222, 137));
  diagram_ = new QLabel(panel_);
  diagram_->setGeometry(Dlu(13, 187, 208, 122));
  diagram_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  place(new QGroupBox(this), kStatusGroup, Dlu(5, 316, 222, 49));
  label(kModelLabel, 14, 333, 35, 8);
  label(control::kModelName, 49, 333, 45, 8);
  label(kVersionLabel, 14, 347, 35, 8);
  label(control::kFirmwareVersion, 49, 347, 45, 8);
  label(kPortLabel, 96, 333, 28, 8);
  label(control::kPortText, 124, 333, 40, 8);
  label(0, 96, 347, 28, 8)->setText(QStringLiteral("S/N："));
  label(control::kSerialNumber, 124, 347, 40, 8);
  label(kTimeLabel, 165, 333, 23, 8);
  label(kClock, 188, 333, 36, 8);
  // The captions before the combos and the status values have little room.
  QFont caption = dialogFont_;
  caption.setPixelSize(dialogFont_.pixelSize() - 2);
  for (const int id : {kModeLabel, kRangeLabel, kModelLabel, kVersionLabel, kPortLabel, kTimeLabel}) {
    controls_.Widget(id)->setFont(caption);
  }

  // The record tab control, its three pages (information on top, the list
  // and the graph below it in one place, one shown at a time) and the
  // record panel under them.
  auto* tabs = new QTabBar(this);
  tabs->setExpanding(false);
  tabs->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 4px 30px; }"));
  place(tabs, kTabs, Dlu(232, 5, 226, 14));
  tabs->addTab(QString());
  tabs->addTab(QString());
  const QRect area = Dlu(232, 5, 226, 360);
  const QPoint origin = area.topLeft() + QPoint(2, 24);
  const int infoHeight = Dlu(0, 0, 0, 100).height();
  const int panelHeight = Dlu(0, 0, 0, 42).height();
  infoPage_ = new CPpgRecInfo(panel_);
  infoPage_->setGeometry(QRect(origin, QSize(area.width() - 4, infoHeight)));
  const QRect lower(origin.x(), origin.y() + infoHeight, area.width() - 4,
                    area.bottom() - origin.y() - infoHeight - panelHeight);
  listPage_ = new CPpgRecord(panel_);
  listPage_->setGeometry(lower);
  graphPage_ = new CPpgGraph(
      graph_, store_, [] { return CurrentIdentity().modelIndex; }, panel_);
  graphPage_->setGeometry(lower);
  graphPage_->hide();
  connect(tabs, &QTabBar::currentChanged, this, &CQM8000Dlg::ShowRecordTab);
  BuildRecordPanel(QRect(lower.left(), lower.bottom() + 1, lower.width(), area.bottom() - lower.bottom()));
  statusStrip_->raise();  // the battery icon reaches past the panel's frame
}

// Start and stop times, and the record buttons.
void CQM8000Dlg::BuildRecordPanel(QRect area) {
  using namespace record_control;
  auto* panel = new QWidget(panel_);
  panel->setGeometry(area);
  auto* rows = new QVBoxLayout(panel);
  rows->setContentsMargins(2, 2, 2, 2);
  rows->setSpacing(3);
  auto* times = new QHBoxLayout;
  times->setSpacing(3);
  auto* grid = new QHBoxLayout;
  rows->addLayout(times);
  rows->addLayout(grid);
  for (const auto& [labelId, fieldId] : {std::pair{kStartLabel, kStartTime}, std::pair{kStopLabel, kStopTime}}) {
    auto* label = new QLabel(panel);
    controls_.Register(labelId, label);
    auto* time = new QLabel(panel);
    time->setFrameShape(QFrame::StyledPanel);
    time->setAlignment(Qt::AlignCenter);
    time->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // A date and time such as "2026/12/10,11:22:06" fits its box in either
    // language only in the smaller font of the record list's rows.
    QFont timeFont = dialogFont_;
    timeFont.setPixelSize(std::max(9, dialogFont_.pixelSize() - 3));
    time->setFont(timeFont);
    time->setMargin(0);
    controls_.Register(fieldId, time);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    times->addWidget(label);
    times->addWidget(time, 1);
  }
  // Manual and Graph copy share a place: one shows with the list, the other with the graph.
  const struct {
    int id;
    void (RecordingEngine::*handler)();
  } buttons[] = {{kStart, &RecordingEngine::OnStart},
                 {kStop, &RecordingEngine::OnStop},
                 {kManual, &RecordingEngine::OnManual},
                 {kGraphCopy, nullptr},
                 {kSave, nullptr},
                 {kClear, &RecordingEngine::OnClear}};
  for (const auto& b : buttons) {
    auto* button = new QPushButton(panel);
    controls_.Register(b.id, button);
    grid->addWidget(button);
    if (b.handler)
      connect(button, &QPushButton::clicked, this, [this, handler = b.handler] { ((*engine_).*handler)(); });
  }
  connect(static_cast<QPushButton*>(controls_.Widget(kGraphCopy)), &QPushButton::clicked, this,
          [this] { graphPage_->CopyGraph(); });
  connect(static_cast<QPushButton*>(controls_.Widget(kSave)), &QPushButton::clicked, this, &CQM8000Dlg::OnSaveAs);
  auto* excel = new QPushButton(panel);  // the spreadsheet window's hidden button
  controls_.Register(kExcel, excel);
  excel->hide();
}

void CQM8000Dlg::ShowRecordTab(int tab) {
  using namespace record_control;
  infoPage_->hide();
  infoPage_->show();
  listPage_->setVisible(tab == 0);
  controls_.Show(kManual, tab == 0);
  graphPage_->setVisible(tab == 1);
  controls_.Show(kGraphCopy, tab == 1);
}

void CQM8000Dlg::BuildMenus() {
  auto* bar = menuBar_ = new QMenuBar(this);
  // Titles now, so that the bar measures its height; the language sets them again.
  fileMenu_ = bar->addMenu(Q(Word(TextId::fileMenu, 1)));
  openAction_ = fileMenu_->addAction(QString());
  openAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  saveAction_ = fileMenu_->addAction(QString());
  saveAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  saveAsAction_ = fileMenu_->addAction(QString());
  saveAsAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  fileMenu_->addSeparator();
  csvAction_ = fileMenu_->addAction(QString());
  fileMenu_->addSeparator();
  exitAction_ = fileMenu_->addAction(QString());  // Esc reaches the dialog itself
  connect(exitAction_, &QAction::triggered, this, &CQM8000Dlg::reject);
  settingsAction_ = bar->addAction(Q(Word(TextId::settingMenu, 1)));
  optionMenu_ = bar->addMenu(Q(Word(TextId::optionMenu, 1)));
  memoryAction_ = optionMenu_->addAction(QString());
  connect(memoryAction_, &QAction::triggered, this, [this] { controller_->StartMemoryDownload(); });
  spreadsheetAction_ = optionMenu_->addAction(QString());
  languageMenu_ = bar->addMenu(Q(Word(TextId::languageMenu, 1)));
  japanese_ = languageMenu_->addAction(QStringLiteral("日本語(&J)"));
  english_ = languageMenu_->addAction(QStringLiteral("English(&E)"));
  for (QAction* action : {japanese_, english_}) action->setCheckable(true);
  connect(japanese_, &QAction::triggered, this, [this] { SwitchLanguage(0); });
  connect(english_, &QAction::triggered, this, [this] { SwitchLanguage(1); });
  helpMenu_ = bar->addMenu(Q(Word(TextId::helpMenu, 1)));
  manualAction_ = helpMenu_->addAction(QString());
  manualAction_->setShortcut(Qt::Key_F1);
  connect(manualAction_, &QAction::triggered, this, &CQM8000Dlg::OpenManual);
  aboutAction_ = helpMenu_->addAction(QString());
  connect(aboutAction_, &QAction::triggered, this, [this] {
    QMessageBox::about(
        this, QStringLiteral("Quorvia for RV7300s"),
        Q(kProgramTitle) + QStringLiteral("\n\n"
                                          "The desktop companion of the RV7300s multimeters: live "
                                          "readings, recordings and the meter's memory on your computer."));
  });
  connect(openAction_, &QAction::triggered, this, &CQM8000Dlg::OnOpen);
  connect(saveAction_, &QAction::triggered, this, &CQM8000Dlg::OnSave);
  connect(saveAsAction_, &QAction::triggered, this, &CQM8000Dlg::OnSaveAs);
  connect(csvAction_, &QAction::triggered, this, &CQM8000Dlg::OnExportCsv);
  ApplyFileMenuState();
  connect(settingsAction_, &QAction::triggered, this, &CQM8000Dlg::OpenSettings);
  connect(spreadsheetAction_, &QAction::triggered, this, &CQM8000Dlg::ShowSpreadsheetWindow);
  memoryAction_->setEnabled(false);  // enabled by app_message::kMemoryMenu while an RV736X is connected
}

const QPixmap& CQM8000Dlg::Picture(const std::string& relativePath) {
  auto found = pictures_.find(relativePath);
  if (found != pictures_.end()) return found->second;
  QPixmap pixmap(QString::fromStdString((RuntimeFolder() / relativePath).string()));
  if (!pixmap.isNull() && relativePath.find("/st_") != std::string::npos) {
    pixmap.setMask(pixmap.createMaskFromColor(Qt::white));  // icons: white is transparent
  }
  return pictures_.emplace(relativePath, std::move(pixmap)).first->second;
}

// The clock's tick, ten times a second.
void CQM8000Dlg::RefreshMonitorPanel() {
  if (!controller_->Connected()) blinkA_ = !blinkA_;
  blinkB_ = !blinkB_;
  const MeterIdentity meter = CurrentIdentity();
  const PanelState state{controller_->Connected(), meter.modelIndex, ComList().empty(), blinkA_, blinkB_};
  const _MONITOR_DATA& data = snapshot_.Data();
  std::vector<std::pair<int, QPixmap>> icons;
  for (const StatusIcon& icon : StatusIcons(state, data)) icons.emplace_back(icon.x, Picture(icon.path));
  statusStrip_->SetIcons(std::move(icons));
  const std::string diagram = DiagramPicture(state, data);
  if (diagram != shownDiagram_) {
    shownDiagram_ = diagram;
    const QPixmap& picture = Picture(diagram);
    diagram_->setPixmap(
        picture.isNull() ? picture : picture.scaled(diagram_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
  }
  const std::u16string title = DiagramTitle(state, data);
  if (controls_.Text(kDiagramGroup) != title) controls_.SetText(kDiagramGroup, title);
  controls_.SetText(kClock, Utf8ToUtf16(QTime::currentTime().toString("hh:mm:ss").toStdString()));
}
