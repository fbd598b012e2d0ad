// The main window against the virtual meter, on the offscreen platform.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <chrono>
#include <filesystem>

#include <gtest/gtest.h>

#include "link/com_list.h"
#include "shell/qt/tests/window_fixture.h"

namespace {

using MainWindowTest = WindowFixture;

TEST_F(MainWindowTest, FirstStartConnectsByItselfAndExitsCleanly) {
  window_ = std::make_unique<CQM8000Dlg>();
  window_->Services().answer = [](std::u16string_view, MessageButtons) { return MessageAnswer::yes; };
  window_->show();
  const Settings& settings = window_->CurrentSettings();
  EXPECT_EQ(settings.language, 1) << "English without settings";
  EXPECT_EQ(settings.autoConnect, 1);
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("Quorvia for RV7300s  Ver2.11"));
  EXPECT_FALSE(window_->PanelControls().Widget(control::kMonitorButton)->isVisible());

  // Automatic connection: a reading within a few seconds.
  ASSERT_TRUE(PumpUntil([&] { return Text(control::kMainValue).contains('.'); }, std::chrono::seconds(8)));
  EXPECT_EQ(Text(control::kModelName), "RV7361");
  // The cycle's texts arrive as separate queued writes: wait for the unit too.
  EXPECT_TRUE(PumpUntil([&] { return Text(control::kMainUnit) == "V"; }, std::chrono::seconds(2)));
  auto* diagram = static_cast<QGroupBox*>(window_->PanelControls().Widget(1097));
  EXPECT_TRUE(PumpUntil([&] { return diagram->title() == "Configuration (DCV)"; }, std::chrono::seconds(2)));
  Shoot("main-window-en.png");

  // A meter button sends its command once.
  static_cast<QPushButton*>(window_->PanelControls().Widget(control::kSlowButton))->click();
  ASSERT_TRUE(PumpUntil([&] { return Heard(meter_, ":SYST:SLOW 1") == 1; }, std::chrono::seconds(3)));
  PumpUntil([] { return false; }, std::chrono::milliseconds(500));
  EXPECT_EQ(Heard(meter_, ":SYST:SLOW 1"), 1);

  // Choosing a mode sends ":CONF ".
  auto* modes = static_cast<QComboBox*>(window_->PanelControls().Widget(control::kModeList));
  ASSERT_GE(modes->count(), 1);

  // The language switch relabels the panel and greys the current language.
  QMenu* language = window_->findChild<QMenuBar*>()->actions().at(3)->menu();
  language->actions().at(0)->trigger();
  EXPECT_EQ(Text(control::kMainLabel).left(4), QStringLiteral("メイン："));
  EXPECT_FALSE(language->actions().at(0)->isEnabled());
  EXPECT_TRUE(language->actions().at(1)->isEnabled());
  EXPECT_TRUE(PumpUntil([&] { return diagram->title() == QStringLiteral("接続図 (DCV)"); }, std::chrono::seconds(2)));
  Shoot("main-window-ja.png");

  // Exit while connected: the meter is let go and the settings are written.
  window_->reject();
  EXPECT_FALSE(window_->isVisible()) << "hidden at once; the meter is let go behind it";
  ASSERT_TRUE(PumpUntil([&] { return window_->result() == QDialog::Accepted; }, std::chrono::seconds(5)));
  EXPECT_EQ(meter_.Heard().back().command, ":SYST:GTL");
  window_.reset();
  Settings written;
  EXPECT_TRUE(ReadSettingsFile(settingsFolder_ / kSettingsFileName, written).settingsLoaded);
  EXPECT_EQ(written.language, 0);
  EXPECT_EQ(written.comPort, 201);
}

TEST_F(MainWindowTest, ModeChoicePulledCableAndReconnection) {
  window_ = std::make_unique<CQM8000Dlg>();
  int boxes = 0;
  window_->Services().answer = [&](std::u16string_view, MessageButtons) {
    ++boxes;
    return MessageAnswer::yes;
  };
  window_->show();
  ASSERT_TRUE(PumpUntil([&] { return Text(control::kMainValue).contains('.'); }, std::chrono::seconds(8)));
  // The user turns the meter's switch to AC volts.
  meter_.WithMeter([](VirtualMeter& meter) { meter.Answer(":CONF ACV,AUTO"); });
  auto* modes = static_cast<QComboBox*>(window_->PanelControls().Widget(control::kModeList));
  ASSERT_TRUE(PumpUntil([&] { return modes->count() == 4; }, std::chrono::seconds(3)));
  EXPECT_EQ(modes->itemText(1), "dBm");
  EXPECT_EQ(modes->itemText(3), "Clamp");
  // The language switch names the functions of the mode list anew.
  QMenu* language = window_->findChild<QMenuBar*>()->actions().at(3)->menu();
  language->actions().at(0)->trigger();
  EXPECT_TRUE(PumpUntil([&] { return modes->itemText(3) == QStringLiteral("クランプ"); }, std::chrono::seconds(2)));
  EXPECT_EQ(modes->currentIndex(), 0);
  language->actions().at(1)->trigger();
  EXPECT_TRUE(PumpUntil([&] { return modes->itemText(3) == "Clamp"; }, std::chrono::seconds(2)));

  // Return in a combo presses nothing.
  const std::size_t before = meter_.Heard().size();
  modes->setFocus();
  QTest::keyClick(modes, Qt::Key_Return);
  PumpUntil([] { return false; }, std::chrono::milliseconds(300));
  for (std::size_t i = before; i < meter_.Heard().size(); ++i) {
    const std::string& command = meter_.Heard()[i].command;
    for (const char* button : {":SYST:PEAK", ":SYST:CLEAR", ":SYST:REL", ":SYST:FILTER", ":SYST:SLOW"}) {
      EXPECT_NE(command.rfind(button, 0), 0u) << command;
    }
  }
  EXPECT_TRUE(window_->isVisible());

  // Choosing a mode sends the configuration command for it.
  modes->setCurrentIndex(1);
  emit modes->activated(1);
  ASSERT_TRUE(PumpUntil([&] { return Heard(meter_, ":CONF dBm,600") == 1; }, std::chrono::seconds(3)));
  ASSERT_TRUE(PumpUntil([&] { return Text(control::kMainUnit) == "dBm"; }, std::chrono::seconds(3)));

  // The cable is pulled: the panel clears without a message...
  meter_.HangUp();
  ASSERT_TRUE(PumpUntil([&] { return Text(control::kMainValue).isEmpty(); }, std::chrono::seconds(6)));
  EXPECT_EQ(Text(control::kModelName), "");
  // ...and the meter is back by itself when it is plugged in again.
  meter_.PlugIn();
  ASSERT_TRUE(PumpUntil([&] { return Text(control::kMainValue).contains('.'); }, std::chrono::seconds(8)));
  EXPECT_EQ(boxes, 0);

  window_->reject();
  ASSERT_TRUE(PumpUntil([&] { return window_->result() == QDialog::Accepted; }, std::chrono::seconds(5)));
  EXPECT_EQ(boxes, 1) << "only the exit question";
}

TEST_F(MainWindowTest, WithoutAutomaticConnectionTheMonitorButtonChecksAndConnects) {
  Settings stored;
  stored.autoConnect = 0;
  stored.comPort = 201;
  std::filesystem::create_directories(settingsFolder_);
  WriteSettingsFile(settingsFolder_ / kSettingsFileName, stored);
  window_ = std::make_unique<CQM8000Dlg>();
  window_->Services().answer = [](std::u16string_view, MessageButtons) { return MessageAnswer::yes; };
  window_->show();
  auto* monitor = static_cast<QPushButton*>(window_->PanelControls().Widget(control::kMonitorButton));
  ASSERT_TRUE(monitor->isVisible());
  EXPECT_EQ(monitor->text(), "Monitor");
  PumpUntil([] { return false; }, std::chrono::milliseconds(400));
  EXPECT_FALSE(window_->Connection().Connected()) << "nothing connects by itself";

  monitor->click();  // the check window scans, finds the meter and closes
  ASSERT_TRUE(PumpUntil([&] { return Text(control::kMainValue).contains('.'); }, std::chrono::seconds(8)));
  EXPECT_EQ(monitor->text(), "Stop Monitor");
  monitor->click();
  ASSERT_TRUE(PumpUntil([&] { return !window_->Connection().Connected(); }, std::chrono::seconds(5)));
  EXPECT_EQ(meter_.Heard().back().command, ":SYST:GTL");
  EXPECT_EQ(monitor->text(), "Monitor");
}

}  // namespace
