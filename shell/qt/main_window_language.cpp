// The main window in the interface language: the menus, the panel's
// captions, the pages and the spreadsheet window, and the switch between
// the two languages.
#include <QTabBar>

#include "catalogue/catalogue.h"
#include "recording/record_controls.h"
#include "shell/qt/excel_dialog.h"
#include "shell/qt/graph_page.h"
#include "shell/qt/main_window.h"
#include "shell/qt/panel_controls.h"
#include "shell/qt/qt_text.h"
#include "shell/qt/record_pages.h"
#include "text/text_id.h"
#include "text/ui_text.h"

using namespace panel_control;

void CQM8000Dlg::ApplyLanguage() {
  const int language = settings_.language;
  SetCatalogueLanguage(language);
  auto word = [language](TextId text) { return Q(Word(text, language)); };
  fileMenu_->setTitle(word(TextId::fileMenu));
  settingsAction_->setText(word(TextId::settingMenu));
  optionMenu_->setTitle(word(TextId::optionMenu));
  languageMenu_->setTitle(word(TextId::languageMenu));
  helpMenu_->setTitle(word(TextId::helpMenu));
  openAction_->setText(word(TextId::openMenu));
  saveAction_->setText(word(TextId::saveMenu));
  saveAsAction_->setText(word(TextId::saveAsMenu));
  csvAction_->setText(word(TextId::saveCsvMenu));
  exitAction_->setText(word(TextId::exitMenu));
  memoryAction_->setText(word(TextId::readMemoryMenu));
  spreadsheetAction_->setText(word(TextId::pasteToExcelMenu));
  manualAction_->setText(word(TextId::pdfManualMenu));
  aboutAction_->setText(word(TextId::aboutMenu));
  japanese_->setChecked(language == 0);
  english_->setChecked(language == 1);
  japanese_->setEnabled(language != 0);  // the current language can never be chosen again
  english_->setEnabled(language != 1);
  const std::pair<int, TextId> texts[] = {{kMonitorGroup, TextId::realTimeMonitor},
                                          {control::kMainLabel, TextId::mainLabel},
                                          {control::kSubLabel, TextId::subLabel},
                                          {kModeLabel, TextId::modeLabel},
                                          {kRangeLabel, TextId::rangeLabel},
                                          {control::kPeakButton, TextId::peakButton},
                                          {control::kClearButton, TextId::clearButton},
                                          {control::kFilterButton, TextId::filterButton},
                                          {kStatusGroup, TextId::statusGroup},
                                          {kModelLabel, TextId::modelLabel},
                                          {kVersionLabel, TextId::firmwareVersionLabel},
                                          {kPortLabel, TextId::portLabel},
                                          {kTimeLabel, TextId::timeLabel}};
  for (const auto& [id, text] : texts) controls_.SetText(id, Word(text, language));
  const TextId monitorButton = controller_->Connected() ? TextId::stopMonitorButton : TextId::monitorButton;
  controls_.SetText(control::kMonitorButton, Word(monitorButton, language));
  // The mode list names the functions: the next cycle fills it again.
  if (controller_->Connected()) lists_.relabel = true;
  auto* tabs = static_cast<QTabBar*>(controls_.Widget(kTabs));
  tabs->setTabText(0, word(TextId::recordTab));
  tabs->setTabText(1, word(TextId::graphTab));
  infoPage_->Relabel(language);
  listPage_->Relabel(language);
  graphPage_->Relabel(language);
  using namespace record_control;
  const std::pair<int, TextId> panel[] = {{kStartLabel, TextId::startTimeLabel}, {kStopLabel, TextId::stopTimeLabel},
                                          {kStart, TextId::startButton},         {kStop, TextId::stopButton},
                                          {kManual, TextId::manualButton},       {kGraphCopy, TextId::copyGraphButton},
                                          {kSave, TextId::saveButton},           {kClear, TextId::clearRecordsButton}};
  for (const auto& [id, text] : panel) controls_.SetText(id, Word(text, language));
  if (store_.recordCount() > 0) {
    infoPage_->PageControls().SetText(kFunction, LongName(FamilyOf(store_.recordModel), store_.recordFunction));
  }
  list_->ShowPage(list_->paging.currentPage);
  list_->RefreshStatisticsLines();
  if (excel_) excel_->Relabel(language);
  shownDiagram_.clear();  // drawn again on the next tick
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
