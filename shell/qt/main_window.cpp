#include "shell/qt/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QFrame>
#include <QHBoxLayout>
#include <QTabBar>
#include <QTime>
#include <QVBoxLayout>

#include "shell/qt/check_window.h"
#include "shell/qt/fonts.h"
#include "shell/qt/graph_page.h"
#include "shell/qt/gui_thread.h"
#include "shell/qt/record_pages.h"
#include "shell/qt/excel_dialog.h"
#include "shell/qt/memory_dialog.h"
#include "shell/qt/settings_dialog.h"
#include "shell/qt/qt_text.h"
#include "shell/runtime_files.h"
#include "text/ui_text.h"
#include "catalogue/catalogue.h"
#include "catalogue/configuration.h"
#include "catalogue/ui_words.h"
#include "link/com_list.h"
#include "link/identification.h"
#include "link/port_names.h"
#include "base/utf16.h"
#include "live/monitor_panel.h"
#include "live/panel_pictures.h"
#include "persistence/file_exception.h"
#include "persistence/settings_folder.h"
#include "recording/record_controls.h"
#include "excel/excel_controls.h"
#include "recording/record_info_page.h"

namespace {

constexpr int kDialogWidth = 463;
constexpr int kSaveDataQuestion = 177;  // interface text "Save data?"
constexpr int kDialogHeight = 371;

// Control ids of the panel that only the window itself uses.
constexpr int kMonitorGroup = 1124, kModeLabel = 1125, kRangeLabel = 1126, kDiagramGroup = 1097,
              kStatusGroup = 1127, kModelLabel = 1128, kVersionLabel = 1129, kPortLabel = 1130,
              kTimeLabel = 1131, kClock = 1123, kTabs = 1025;


}  // namespace

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

CQM8000Dlg::CQM8000Dlg() {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  // 9 points at the 120 % scale the meters' users mostly run: the panel's
  // pixel-placed icon strip then fits inside its frame.
  dialogFont_ = PanelFont("MS UI Gothic", 14);
  setFont(dialogFont_);
  panel_ = new QWidget(this);
  services_.onTimer = [this](int id) { controller_->OnTimer(id); };
  services_.onMessage = [this](int n, std::intptr_t parameter) { OnMessage(n, parameter); };
  services_.boxTitle = [] { return QStringLiteral("Quorvia for RV7300s"); };
  controller_ = std::make_unique<ConnectionController>(ConnectionEnvironment{
      controls_, services_, services_, services_, *this, snapshot_, lists_, meterSettings_, published_,
      [this] { return settings_.autoConnect != 0; }, [] { return ScanForMeter(); }});
  BuildPanel();
  list_ = std::make_unique<RecordListPage>(listPage_->PageControls(), listPage_->Rows(), services_, store_, settings_);
  listPage_->Bind(*list_);
  engine_ = std::make_unique<RecordingEngine>(RecordingEnvironment{
      controls_, infoPage_->PageControls(), *list_, graph_, *graphPage_, services_, services_, *this, store_,
      published_, snapshot_, settings_, IntervalClocks::System(),
      [this] { return excel_ && excel_->Core().IntervalRunning(); }});
  settingsDialog_ = std::make_unique<CDlgInit>(this, services_, settings_, meterSettings_);
  BuildMenus();
  // The dialog's client area lies below the menu bar, as a window menu does.
  const QRect size = Dlu(0, 0, kDialogWidth, kDialogHeight);
  const int menuHeight = menuBar_->sizeHint().height();
  menuBar_->setGeometry(0, 0, size.width(), menuHeight);
  panel_->setGeometry(0, menuHeight, size.width(), size.height());
  setFixedSize(size.width(), size.height() + menuHeight);
  StartUp();
}

CQM8000Dlg::~CQM8000Dlg() {
  clock_.stop();
  WriteSettings();
  // Without the exit flow (a test that ends early) the worker threads may
  // still be waiting for a call on this thread: serve them until they end,
  // then join them.  The controller goes first, since its threads ask the
  // recording engine.
  controller_->Abandon();
  engine_->StopRecordInterval();
  QElapsedTimer waited;
  waited.start();
  while ((!controller_->AcquisitionEnded() || !engine_->IntervalEnded()) && waited.elapsed() < 10000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  controller_.reset();
}

void CQM8000Dlg::OnMessage(int n, std::intptr_t parameter) {
  if (controller_->OnMessage(n, parameter) || engine_->OnMessage(n, parameter)) return;
  if (n == app_message::kMemoryMenu) {
    // Only the RV736X keeps readings in its memory.
    if (CurrentIdentity().modelIndex >= 8) memoryAction_->setEnabled(parameter == 0);
  } else if (n == app_message::kIntervalTakeIn) {
    if (excel_) excel_->Core().TakeInAtNotedTime();
  } else if (n == app_message::kReturnTakeIn) {
    if (excel_) excel_->Core().TakeInNow();
  } else if (n == app_message::kFocusMonitorButton) {
    controls_.Focus(control::kMonitorButton);
  } else if (n == app_message::kSaveMenu) {
    saveEnabled_ = (parameter & 1) == 0;
    if (parameter & app_message::kAlsoOpen) openEnabled_ = saveEnabled_;
    ApplyFileMenuState();
  }
}

// Open, Save, Save As and Save as CSV follow the recording.
void CQM8000Dlg::ApplyFileMenuState() {
  openAction_->setEnabled(openEnabled_);
  for (QAction* action : {saveAction_, saveAsAction_, csvAction_}) action->setEnabled(saveEnabled_);
}

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
  connect(rangeList, QOverload<int>::of(&QComboBox::activated), this,
          [this] { if (OnRangeListSelection(snapshot_, lists_, controls_)) engine_->OnStop(); });
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
  graphPage_ = new CPpgGraph(graph_, store_, [] { return CurrentIdentity().modelIndex; }, panel_);
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
  } buttons[] = {{kStart, &RecordingEngine::OnStart}, {kStop, &RecordingEngine::OnStop},
                 {kManual, &RecordingEngine::OnManual}, {kGraphCopy, nullptr},
                 {kSave, nullptr},                     {kClear, &RecordingEngine::OnClear}};
  for (const auto& b : buttons) {
    auto* button = new QPushButton(panel);
    controls_.Register(b.id, button);
    grid->addWidget(button);
    if (b.handler) connect(button, &QPushButton::clicked, this, [this, handler = b.handler] { ((*engine_).*handler)(); });
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
  fileMenu_ = bar->addMenu(Q(Word(0, 1)));
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
  settingsAction_ = bar->addAction(Q(Word(6, 1)));
  optionMenu_ = bar->addMenu(Q(Word(7, 1)));
  memoryAction_ = optionMenu_->addAction(QString());
  connect(memoryAction_, &QAction::triggered, this, [this] { controller_->StartMemoryDownload(); });
  spreadsheetAction_ = optionMenu_->addAction(QString());
  languageMenu_ = bar->addMenu(Q(Word(10, 1)));
  japanese_ = languageMenu_->addAction(QStringLiteral("日本語(&J)"));
  english_ = languageMenu_->addAction(QStringLiteral("English(&E)"));
  for (QAction* action : {japanese_, english_}) action->setCheckable(true);
  connect(japanese_, &QAction::triggered, this, [this] { SwitchLanguage(0); });
  connect(english_, &QAction::triggered, this, [this] { SwitchLanguage(1); });
  helpMenu_ = bar->addMenu(Q(Word(11, 1)));
  manualAction_ = helpMenu_->addAction(QString());
  manualAction_->setShortcut(Qt::Key_F1);
  connect(manualAction_, &QAction::triggered, this, &CQM8000Dlg::OpenManual);
  aboutAction_ = helpMenu_->addAction(QString());
  connect(aboutAction_, &QAction::triggered, this, [this] {
    QMessageBox::about(this, QStringLiteral("Quorvia for RV7300s"),
                       QStringLiteral("Quorvia for RV7300s  Ver2.11\n\n"
                                      "The desktop companion of the RV7300s multimeters: live readings, "
                                      "recordings and the meter's memory on your computer."));
  });
  connect(openAction_, &QAction::triggered, this, &CQM8000Dlg::OnOpen);
  connect(saveAction_, &QAction::triggered, this, &CQM8000Dlg::OnSave);
  connect(saveAsAction_, &QAction::triggered, this, &CQM8000Dlg::OnSaveAs);
  connect(csvAction_, &QAction::triggered, this, &CQM8000Dlg::OnExportCsv);
  ApplyFileMenuState();
  connect(settingsAction_, &QAction::triggered, this, &CQM8000Dlg::OpenSettings);
  connect(spreadsheetAction_, &QAction::triggered, this, &CQM8000Dlg::ShowSpreadsheetWindow);
  memoryAction_->setEnabled(false);  // enabled by message 9 while an RV736X is connected
}

void CQM8000Dlg::StartUp() {
  setWindowTitle(QStringLiteral("Quorvia for RV7300s  Ver2.11"));
  CancelScan();
  EnumerateComPorts();
  settingsFolder_ = DecideSettingsFolder();
  settingsRead_ = ReadSettingsFile(settingsFolder_ / kSettingsFileName, settings_);
  const std::vector<_COM_LIST> ports = ComList();
  StartupContext context;
  context.settingsFolder = settingsFolder_;
  context.programFolder = RuntimeFolder();
  context.firstComPort = ports.empty() ? kNoComPortSetting : ports.front().port;
  const QRect own = frameGeometry();
  context.ownWindowRect = {own.left(), own.top(), own.right() + 1, own.bottom() + 1};
  if (const auto today = CDateTime::Now().ToCalendar()) context.today = *today;
  ApplyStartupSettings(settings_, settingsRead_, context);
  const ArchiveRect place = StartupWindowRect(settings_, settingsRead_.settingsLoaded, context.ownWindowRect);
  move(place.left, place.top);
  if (settings_.language < 0 || settings_.language > 1) settings_.language = 0;
  SetCurrentPort(settings_.comPort);
  SetCurrentSpeed(settings_.baudRate);
  SetModelIndex(settings_.ModelIndex);

  ClearMonitorPanel(controls_, snapshot_);
  for (const int id : {control::kPeakButton, control::kClearButton, control::kRelButton, control::kFilterButton,
                       control::kSlowButton}) {
    controls_.Enable(id, false);
  }
  controls_.SetText(control::kRelButton, u"REL");
  controls_.SetText(control::kSlowButton, u"SLOW");
  controls_.Show(control::kMonitorButton, settings_.autoConnect == 0);
  using namespace record_control;
  list_->EnablePaging(false);
  list_->RefreshPageLabel();
  for (const int id : {kStart, kStop, kManual, kSave, kClear, kGraphCopy}) controls_.Enable(id, false);
  controls_.Show(kGraphCopy, false);
  graph_.baseInterval = static_cast<std::int32_t>(RecordingIntervalSeconds(settings_));
  if (settings_.dateMode == 0) {
    if (const auto today = CDateTime::Now().ToCalendar()) {
      char date[16];
      std::snprintf(date, sizeof date, "%04d/%02d/%02d", today->year, today->month, today->day);
      settings_.dateText = Utf8ToUtf16(date);
    }
  }
  ShowSaveSettings(infoPage_->PageControls(), settings_);
  engine_->ResetRecordingDisplay();
  infoPage_->PageControls().SetText(kDataCount, u"0");
  ApplyLanguage();

  connect(&clock_, &QTimer::timeout, this, &CQM8000Dlg::RefreshMonitorPanel);
  clock_.start(100);
  deviceSettle_.setSingleShot(true);
  deviceSettle_.setInterval(200);  // a plug-in touches /dev several times
  connect(&devices_, &QFileSystemWatcher::directoryChanged, &deviceSettle_, qOverload<>(&QTimer::start));
  connect(&deviceSettle_, &QTimer::timeout, this, &CQM8000Dlg::OnDeviceChange);
  WatchDevices();
  if (settings_.autoConnect) controller_->StartRecheck();
}

void CQM8000Dlg::ApplyLanguage() {
  const int language = settings_.language;
  SetCatalogueLanguage(language);
  auto word = [language](int n) { return Q(Word(n, language)); };
  fileMenu_->setTitle(word(0));
  settingsAction_->setText(word(6));
  optionMenu_->setTitle(word(7));
  languageMenu_->setTitle(word(10));
  helpMenu_->setTitle(word(11));
  openAction_->setText(word(1));
  saveAction_->setText(word(2));
  saveAsAction_->setText(word(3));
  csvAction_->setText(word(4));
  exitAction_->setText(word(5));
  memoryAction_->setText(word(8));
  spreadsheetAction_->setText(word(9));
  manualAction_->setText(word(12));
  aboutAction_->setText(word(13));
  japanese_->setChecked(language == 0);
  english_->setChecked(language == 1);
  japanese_->setEnabled(language != 0);  // the current language can never be chosen again
  english_->setEnabled(language != 1);
  const std::pair<int, int> texts[] = {{kMonitorGroup, 14}, {control::kMainLabel, 15}, {control::kSubLabel, 16},
                                       {kModeLabel, 17},    {kRangeLabel, 18},        {control::kPeakButton, 21},
                                       {control::kClearButton, 22}, {control::kFilterButton, 23},
                                       {kStatusGroup, 26},  {kModelLabel, 27},        {kVersionLabel, 28},
                                       {kPortLabel, 29},    {kTimeLabel, 30}};
  for (const auto& [id, n] : texts) controls_.SetText(id, Word(n, language));
  controls_.SetText(control::kMonitorButton, Word(controller_->Connected() ? 20 : 19, language));
  // The mode list names the functions: the next cycle fills it again.
  if (controller_->Connected()) lists_.relabel = true;
  auto* tabs = static_cast<QTabBar*>(controls_.Widget(kTabs));
  tabs->setTabText(0, word(31));
  tabs->setTabText(1, word(32));
  infoPage_->Relabel(language);
  listPage_->Relabel(language);
  graphPage_->Relabel(language);
  using namespace record_control;
  const std::pair<int, int> panel[] = {{kStartLabel, 56}, {kStopLabel, 57}, {kStart, 58}, {kStop, 59},
                                       {kManual, 60},     {kGraphCopy, 61}, {kSave, 62},  {kClear, 63}};
  for (const auto& [id, n] : panel) controls_.SetText(id, Word(n, language));
  if (store_.recordCount() > 0) {
    infoPage_->PageControls().SetText(kFunction, LongName(FamilyOf(store_.recordModel), store_.recordFunction));
  }
  list_->ShowPage(list_->paging.currentPage);
  list_->RefreshStatisticsLines();
  if (excel_) excel_->Relabel(language);
  shownDiagram_.clear();  // drawn again on the next tick
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
    diagram_->setPixmap(picture.isNull() ? picture
                                         : picture.scaled(diagram_->size(), Qt::KeepAspectRatio,
                                                          Qt::SmoothTransformation));
  }
  const std::u16string title = DiagramTitle(state, data);
  if (controls_.Text(kDiagramGroup) != title) controls_.SetText(kDiagramGroup, title);
  controls_.SetText(kClock, Utf8ToUtf16(QTime::currentTime().toString("hh:mm:ss").toStdString()));
}

// A port appeared or vanished: a running scan gives up, the list is rebuilt.
void CQM8000Dlg::OnDeviceChange() {
  CancelScan();
  EnumerateComPorts();
  WatchDevices();
  if (settingsDialog_->Core().isOpen) settingsDialog_->Core().RefillPorts(ComList());
}

void CQM8000Dlg::ShowSpreadsheetWindow() {
  if (!excel_) {
    excel_ = std::make_unique<CDlgExcel>(
        this, services_, services_, settings_, published_, [this] { return controller_->Connected(); },
        [this] { return engine_->IsRecording(); }, settings_.language);
    qApp->installEventFilter(this);
  }
  if (excel_->isVisible()) return;
  const QPoint origin = mapToGlobal(QPoint(0, 0));
  excel_->move(origin.x(), origin.y() + 362);
  excel_->show();
  excel_->raise();
}

// The acquisition has paused; the port stays open for the download.
void CQM8000Dlg::RunMemoryDownload() {
  CDlgMemData dialog(this, settings_, settings_.language);
  dialog.SetTemperatureUnit(snapshot_.Data().status[kStatusTemperatureUnit]);
  dialog.exec();
}

void CQM8000Dlg::StopSpreadsheetTakeIn() {
  OnGuiThread([&] {
    if (excel_) excel_->Core().StopTakeIn();
  });
}

bool CQM8000Dlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && excel_) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    auto* widget = qobject_cast<QWidget*>(watched);
    const QWidget* window = widget ? widget->window() : nullptr;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && (window == this || window == excel_.get()) &&
        excel_->Core().OnReturnKey()) {
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CQM8000Dlg::MeterSettingsAvailable(bool available) {
  OnGuiThread([&] {
    if (settingsDialog_->Core().isOpen) settingsDialog_->Core().MeterAvailable(available, CurrentIdentity().modelIndex);
  });
}

void CQM8000Dlg::OpenSettings() {
  SettingsOpening opening{ComList(), controller_->Connected(), CurrentIdentity().modelIndex, engine_->IsRecording(), {}};
  if (const auto today = CDateTime::Now().ToCalendar()) opening.today = *today;
  const Settings before = settings_;
  const MeterSettingChoices meterBefore = meterSettings_.Choices();
  settingsDialog_->setResult(QDialog::Rejected);
  settingsDialog_->Prepare(opening, settings_.language);
  if (settingsAnswer) {
    settingsDialog_->show();
    settingsAnswer(*settingsDialog_);
    settingsDialog_->hide();
  } else {
    settingsDialog_->exec();
  }
  if (settingsDialog_->result() == QDialog::Accepted) ApplySettings(before, meterBefore);
}

// What OK changes beyond the settings themselves, in this order.
void CQM8000Dlg::ApplySettings(const Settings& before, const MeterSettingChoices& meterBefore) {
  if (const std::optional<int> port = settingsDialog_->Core().ChosenPort()) {
    if (controller_->Connected() && *port != settings_.comPort) {
      engine_->StopRecordInterval();
      StopSpreadsheetTakeIn();
      controller_->OnMonitorButton();  // stop and disconnect, as the Monitor button does
    }
    settings_.comPort = *port;
    SetCurrentPort(*port);
  }
  if (settings_.autoConnect) {
    controls_.Show(control::kMonitorButton, false);
    if (!controller_->Connected() && !controller_->RecheckRunning()) controller_->StartRecheck();
  } else {
    controls_.Show(control::kMonitorButton, true);
    controller_->StopRecheck();
  }
  settings_.baudRate = settings_.baudIndex == 0 ? 9600 : 19200;
  const MeterSettingChoices meter = meterSettings_.Choices();
  const std::pair<bool, MonitorRequest> changes[] = {{meter.passband != meterBefore.passband, MonitorRequest::passband},
                                                     {meter.continuity != meterBefore.continuity, MonitorRequest::conduct},
                                                     {meter.diode != meterBefore.diode, MonitorRequest::diode},
                                                     {meter.dbm != meterBefore.dbm, MonitorRequest::dbm}};
  for (const auto& [changed, request] : changes) {
    if (changed) snapshot_.Raise(request);
  }
  ShowSaveSettings(infoPage_->PageControls(), settings_);
  graph_.baseInterval = static_cast<std::int32_t>(RecordingIntervalSeconds(settings_));
  if (settings_.timeDisplayMode != before.timeDisplayMode && store_.recordCount() > 0) {
    list_->ShowPage(list_->paging.currentPage);
    list_->RefreshStatisticsLines();
  }
}

// Watches /dev and the virtual port folder; called again after each change,
// since a folder that was removed and made anew drops out of the watch.
void CQM8000Dlg::WatchDevices() {
  std::error_code ignored;  // without the folder only real adapters are watched
  std::filesystem::create_directories(VirtualPortFolder(), ignored);
  for (const QString& folder : {QStringLiteral("/dev"), QString::fromStdString(VirtualPortFolder().string())}) {
    if (!devices_.directories().contains(folder) && QFileInfo(folder).isDir()) devices_.addPath(folder);
  }
}

void CQM8000Dlg::SelectSpeed(int speed) { settings_.baudRate = speed; }

void CQM8000Dlg::MeterIdentified(int modelIndex) {
  settings_.ModelIndex = modelIndex;
  OnGuiThread([&] { engine_->MonitoringBegins(modelIndex); });
}

void CQM8000Dlg::StopRecording() {
  OnGuiThread([&] { engine_->StopRecording(); });
}

void CQM8000Dlg::EndRecordingAtDisconnect() { engine_->EndRecordingAtDisconnect(); }

void CQM8000Dlg::RefreshAfterDisconnect() { engine_->RefreshAfterDisconnect(); }

void CQM8000Dlg::SetTitle(std::u16string_view title) { setWindowTitle(Q(title)); }

void CQM8000Dlg::Focus(int controlId) {
  if (QWidget* widget = controls_.Widget(controlId)) widget->setFocus();
}

ClearChoice CQM8000Dlg::AskClear() {
  if (clearAnswer) return clearAnswer();
  return ::AskClear(this, settings_.language);
}

bool CQM8000Dlg::RunCheckWindow() {
  CDlgUsbCheck check(this, settings_.language);
  check.exec();
  return check.Found();
}

void CQM8000Dlg::SwitchLanguage(int language) {
  if (language == settings_.language) return;
  settings_.language = language;
  ApplyLanguage();
  // Every control and page repaints in the new language.
  update();
  for (QWidget* child : findChildren<QWidget*>()) child->update();
  raise();
  activateWindow();
}

void CQM8000Dlg::OpenManual() {
  const char* name = settings_.language == 0 ? "RV7300s_UsersManual_Jpn.pdf" : "RV7300s_UsersManual_Eng.pdf";
  const QString path = QString::fromStdString((RuntimeFolder() / "Manuals" / name).string());
  if (!QFile::exists(path) || !QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
    services_.Show(Word(183, settings_.language), MessageIcon::information);
  }
}

void CQM8000Dlg::reject() {
  if (exiting_) return;
  if (IsRecording() || (excel_ && excel_->Core().IntervalRunning())) {
    services_.Show(Word(178, settings_.language), MessageIcon::warning);
    return;
  }
  if (services_.Ask(Word(179, settings_.language), MessageIcon::information, MessageButtons::yesNo) !=
      MessageAnswer::yes) {
    return;
  }
  exiting_ = true;
  clock_.stop();
  engine_->StopRecordInterval();
  StopSpreadsheetTakeIn();
  // A recording nobody saved is offered once more; the exit goes on either way.
  if (!engine_->saved &&
      services_.Ask(Word(kSaveDataQuestion, settings_.language), MessageIcon::information,
                    MessageButtons::yesNo) == MessageAnswer::yes) {
    OnSaveAs();
  }
  hide();
  controller_->Exit();  // lets the meter go, then ends the dialog
}

void CQM8000Dlg::closeEvent(QCloseEvent* event) {
  event->ignore();  // the exit flow closes the window when the meter is let go
  reject();
}

void CQM8000Dlg::EndDialog() {
  controller_->StopRecheck();
  done(QDialog::Accepted);
}

// At destruction: not while minimised, not without the folder.
void CQM8000Dlg::WriteSettings() {
  if (isMinimized()) return;
  if (!std::filesystem::is_directory(settingsFolder_)) {
    QMessageBox::critical(nullptr, QString(), Q(Word(180, settings_.language)));
    return;
  }
  // The frame's rectangle: move() at the next start places the frame.
  const QRect frame = frameGeometry();
  settings_.windowRect = {frame.left(), frame.top(), frame.right() + 1, frame.bottom() + 1};
  const MeterIdentity meter = CurrentIdentity();
  settings_.comPort = meter.currentPort;
  settings_.baudRate = meter.currentSpeed;
  settings_.baudIndex = meter.currentSpeed == 9600 ? 0 : 1;
  settings_.ModelIndex = meter.modelIndex;
  try {
    WriteSettingsFile(settingsFolder_ / kSettingsFileName, settings_);
  } catch (const CFileException& error) {
    QMessageBox::critical(nullptr, QString(), Q(error.Message(settings_.language)));
  }
}
