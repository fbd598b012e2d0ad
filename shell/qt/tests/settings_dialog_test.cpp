// The settings dialog: its pages, its checks on OK, Cancel, and what the
// main window does with the result.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "base/models.h"
#include "live/headless_window.h"
#include "settings/settings_controls.h"
#include "shell/qt/settings_dialog.h"
#include "shell/qt/tests/window_fixture.h"

namespace {

using namespace settings_control;

class SettingsDialogTest : public testing::Test {
 protected:
  void Open(SettingsOpening opening, int language = 1) {
    dialog_.Prepare(opening, language);
    dialog_.show();
    QApplication::processEvents();  // the window's own first focus comes before the test's actions
  }
  SettingsOpening Connected(int model) {
    return {{{u"USB Serial (COM3)", 3}, {u"USB Serial (COM7)", 7}}, true, model, false, {2026, 12, 10, 9, 0, 0}};
  }
  QWidget* At(int id) { return dialog_.DialogControls().Widget(id); }
  QLineEdit* Edit(int id) { return static_cast<QLineEdit*>(At(id)); }
  QAbstractButton* Button(int id) { return static_cast<QAbstractButton*>(At(id)); }
  QComboBox* List(int id) { return static_cast<QComboBox*>(At(id)); }
  void Type(int id, const QString& text) { Edit(id)->setText(text); }
  void Choose(int id, int index) {
    List(id)->setCurrentIndex(index);
    emit List(id)->activated(index);
  }
  void SetClock(int hours, int minutes, int seconds, int h, int m, int s) {
    for (const auto& [id, value] : {std::pair{hours, h}, std::pair{minutes, m}, std::pair{seconds, s}}) {
      Type(id, QString::number(value));
    }
  }
  std::u16string LastBox() const {
    const auto boxes = boxes_.Boxes();
    return boxes.empty() ? std::u16string() : boxes.back();
  }
  int CurrentPage() { return static_cast<QTabBar*>(At(kTabs))->currentIndex(); }

  HeadlessWindow boxes_;
  Settings settings_;
  SharedMeterSettings meter_;
  CDlgInit dialog_{nullptr, boxes_, settings_, meter_};
};

TEST_F(SettingsDialogTest, AnIntervalOfZeroIsRefusedWithTheSecondsBoxInFocus) {
  settings_.comPort = 7;
  Open(Connected(kRv7361));
  EXPECT_EQ(List(kPortList)->currentText(), " COM7") << "the stored port is chosen";
  SetClock(kIntervalHours, kIntervalMinutes, kIntervalSeconds, 0, 0, 0);
  dialog_.accept();
  EXPECT_EQ(LastBox(), u"Please enter more than or equal to 1 sec.");
  EXPECT_NE(dialog_.result(), QDialog::Accepted);
  EXPECT_EQ(CurrentPage(), kRecordPage);
  EXPECT_EQ(dialog_.focusWidget(), At(kIntervalSeconds));
  EXPECT_EQ(Edit(kIntervalSeconds)->selectedText(), "0");
}

TEST_F(SettingsDialogTest, TheRecordTimeAgainstTheInterval) {
  Open(Connected(kRv7361));
  // A data-count total: a record time shorter than the interval becomes the interval.
  SetClock(kIntervalHours, kIntervalMinutes, kIntervalSeconds, 0, 1, 0);
  SetClock(kRecordHours, kRecordMinutes, kRecordSeconds, 0, 0, 30);
  dialog_.accept();
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_TRUE(boxes_.Boxes().empty());
  EXPECT_EQ(std::tie(settings_.recordHours, settings_.recordMinutes, settings_.recordSeconds),
            std::make_tuple(0, 1, 0));

  // A record-time total: the message instead.  The data count box, out of
  // reach now, goes back to its value at opening when it is not a count.
  Open(Connected(kRv7361));
  Type(kDataCount, "2000000");
  Button(kRecordTimeTotal)->click();
  EXPECT_EQ(Edit(kDataCount)->text(), QString::number(settings_.dataCount));
  EXPECT_EQ(settings_.totalMode, 1);
  EXPECT_FALSE(Edit(kDataCount)->isEnabled());
  SetClock(kRecordHours, kRecordMinutes, kRecordSeconds, 0, 0, 30);
  dialog_.setResult(QDialog::Rejected);
  dialog_.accept();
  EXPECT_EQ(LastBox(), u"Please set the record time longer than the time interval.");
  EXPECT_NE(dialog_.result(), QDialog::Accepted);
  // Equal is long enough.
  SetClock(kRecordHours, kRecordMinutes, kRecordSeconds, 0, 1, 0);
  dialog_.accept();
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
}

TEST_F(SettingsDialogTest, NumbersAreCheckedWithTheSystemsMessages) {
  const struct {
    int id;
    QString typed;
    std::u16string message;
    int language;
  } cases[] = {{kIntervalHours, "abc", u"Enter an integer.", 1},
               {kIntervalMinutes, "100", u"Enter an integer between 0 and 99.", 1},
               {kDataCount, "0", u"Enter an integer between 1 and 1048576.", 1},
               {kDataCount, "1048577", u"1 から 1048576 までの整数を入力してください。", 0},
               {kIntervalSeconds, "", u"整数を入力してください。", 0}};
  for (const auto& c : cases) {
    Open(Connected(kRv7361), c.language);
    Type(c.id, c.typed);
    dialog_.accept();
    EXPECT_EQ(LastBox(), c.message) << c.typed.toStdString();
    EXPECT_EQ(dialog_.focusWidget(), At(c.id));
    dialog_.reject();
  }
  // A data count within its range, with blanks around it, passes.
  Open(Connected(kRv7361));
  Type(kDataCount, " 250 ");
  dialog_.accept();
  EXPECT_EQ(settings_.dataCount, 250);
}

TEST_F(SettingsDialogTest, TheCommaIsNeverBothTheDecimalSymbolAndTheSeparator) {
  Open(Connected(kRv7361));
  Button(kDecimalComma)->click();
  EXPECT_TRUE(Button(kSeparatorSemicolon)->isChecked());
  EXPECT_FALSE(Button(kSeparatorComma)->isChecked());
  EXPECT_EQ(std::tie(settings_.decimalSymbol, settings_.listSeparator), std::make_tuple(1, 1));
  Button(kSeparatorComma)->click();
  EXPECT_TRUE(Button(kDecimalPeriod)->isChecked());
  EXPECT_FALSE(Button(kDecimalComma)->isChecked());
  EXPECT_EQ(std::tie(settings_.decimalSymbol, settings_.listSeparator), std::make_tuple(0, 0));
}

TEST_F(SettingsDialogTest, WhatCanBeChangedFollowsTheMeterAndTheRecording) {
  auto enabled = [&](std::initializer_list<int> ids) {
    std::vector<bool> states;
    for (const int id : ids) states.push_back(At(id)->isEnabled());
    return states;
  };
  const std::initializer_list<int> rv736x = {kContinuityList, kDiodeList, kDbmList};
  SettingsOpening none = Connected(kRv7361);
  none.connected = false;
  Open(none);
  EXPECT_EQ(enabled(rv736x), std::vector<bool>(3, false));
  EXPECT_FALSE(At(kPassbandList)->isEnabled());
  Open(Connected(kRv7361));
  EXPECT_EQ(enabled(rv736x), std::vector<bool>(3, true));
  EXPECT_FALSE(At(kPassbandList)->isEnabled());
  Open(Connected(kRv7341));
  EXPECT_EQ(enabled(rv736x), std::vector<bool>(3, false));
  EXPECT_TRUE(At(kPassbandList)->isEnabled());
  dialog_.Core().MeterAvailable(false, 6);
  EXPECT_FALSE(At(kPassbandList)->isEnabled()) << "a disconnect while open";

  SettingsOpening recording = Connected(kRv7361);
  recording.recording = true;
  Open(recording);
  const auto record =
      enabled({kPortList, kNormal, kIntervalHours, kIntervalMinutes, kIntervalSeconds, kDataCountTotal, kDataCount,
               kRecordTimeTotal, kRecordHours, kRecordMinutes, kRecordSeconds, kTimeDisplayList});
  EXPECT_EQ(record, std::vector<bool>(record.size(), false));
  EXPECT_FALSE(At(kFast)->isVisible()) << "the fast interval is never offered";
}

TEST_F(SettingsDialogTest, CancelPutsEveryPageBack) {
  settings_.comPort = 3;
  settings_.memoText = u"before";
  const Settings before = settings_;
  const MeterSettingChoices meterBefore = meter_.Choices();
  Open(Connected(kRv7361));
  Button(kAutoConnect)->click();
  Choose(kPortList, 1);
  Choose(kContinuityList, 2);
  Choose(kDbmList, 15);
  Button(kRecordTimeTotal)->click();
  SetClock(kIntervalHours, kIntervalMinutes, kIntervalSeconds, 1, 2, 3);
  Choose(kTimeDisplayList, 1);
  for (const int id : {kCompanyOn, kTitleOn, kOperatorOn, kDateOn, kTempHumidOn, kMemoOn}) Button(id)->click();
  Button(kDateText)->click();
  Button(kDecimalComma)->click();
  Type(kMemo, "after");
  ASSERT_NE(settings_, before) << "the radios and check boxes change the settings at once";
  dialog_.reject();
  EXPECT_EQ(settings_, before);
  EXPECT_EQ(meter_.Choices().continuity, meterBefore.continuity);
  EXPECT_EQ(meter_.Choices().dbm, meterBefore.dbm);
  EXPECT_EQ(dialog_.Core().ChosenPort(), 3);
  // Opened again, the pages show the values as they were.
  Open(Connected(kRv7361));
  EXPECT_FALSE(Button(kRecordTimeTotal)->isChecked());
  EXPECT_EQ(Edit(kMemo)->text(), "before");
  EXPECT_EQ(List(kContinuityList)->currentIndex(), meterBefore.continuity);
}

TEST_F(SettingsDialogTest, Screenshots) {
  const char* folder = std::getenv("RV7300S_SCREENSHOTS");
  if (!folder) GTEST_SKIP() << "RV7300S_SCREENSHOTS names the folder for the pictures";
  const char* pages[] = {"communication", "meter", "record", "save"};
  for (const int language : {1, 0}) {
    Open(Connected(kRv7361), language);
    for (int page = 0; page < 4; ++page) {
      dialog_.ShowPage(page);
      QApplication::processEvents();
      const QString name = QString("%1/settings-%2-%3.png").arg(folder, pages[page], language == 0 ? "ja" : "en");
      EXPECT_TRUE(dialog_.grab().save(name));
    }
    dialog_.reject();
  }
}

// The main window applies OK: meter settings reach the meter, the port
// choice and automatic connection take effect.
using SettingsWindowTest = WindowFixture;

TEST_F(SettingsWindowTest, MeterSettingsChangedInTheDialogReachTheMeter) {
  window_ = std::make_unique<CQM8000Dlg>();
  window_->Services().answer = [](std::u16string_view, MessageButtons) { return MessageAnswer::yes; };
  window_->show();
  ASSERT_TRUE(PumpUntil([&] { return Text(control::kMainValue).contains('.'); }, std::chrono::seconds(8)));
  window_->settingsAnswer = [](CDlgInit& dialog) {
    auto choose = [&](int id, int index) {
      auto* list = static_cast<QComboBox*>(dialog.DialogControls().Widget(id));
      ASSERT_TRUE(list->isEnabled());
      list->setCurrentIndex(index);
      emit list->activated(index);
    };
    choose(kContinuityList, 2);
    choose(kDiodeList, 4);
    choose(kDbmList, 3);
    static_cast<QCheckBox*>(dialog.DialogControls().Widget(kAutoConnect))->click();
    dialog.accept();
  };
  window_->OpenSettings();
  ASSERT_TRUE(PumpUntil([&] { return Heard(meter_, ":SYST:DBM 3") == 1; }, std::chrono::seconds(3)));
  EXPECT_EQ(Heard(meter_, ":SYST:CONDUCT 2"), 1);
  EXPECT_EQ(Heard(meter_, ":SYST:DIODE 4"), 1);
  EXPECT_EQ(window_->CurrentSettings().autoConnect, 0);
  EXPECT_TRUE(window_->PanelControls().Widget(control::kMonitorButton)->isVisible());

  // Cancel sends nothing.
  const auto heard = meter_.Heard().size();
  window_->settingsAnswer = [](CDlgInit& dialog) {
    auto* list = static_cast<QComboBox*>(dialog.DialogControls().Widget(kDbmList));
    list->setCurrentIndex(0);
    emit list->activated(0);
    dialog.reject();
  };
  window_->OpenSettings();
  PumpUntil([] { return false; }, std::chrono::milliseconds(500));
  for (std::size_t i = heard; i < meter_.Heard().size(); ++i) {
    EXPECT_NE(meter_.Heard()[i].command.rfind(":SYST:DBM", 0), 0u);
  }
  window_->reject();
  ASSERT_TRUE(PumpUntil([&] { return window_->result() == QDialog::Accepted; }, std::chrono::seconds(5)));
}

}  // namespace
