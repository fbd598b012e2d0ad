// Option > read the meter's memory from the main window while connected:
// the download runs on the open port and the monitor resumes on it after.
#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <filesystem>

#include "link/commands.h"
#include "shell/qt/memory_dialog.h"
#include "shell/qt/tests/window_fixture.h"

namespace {

using MemoryResumeTest = WindowFixture;

TEST_F(MemoryResumeTest, TheMonitorResumesOnTheSamePortAfterADownload) {
  meter_.WithMeter([](VirtualMeter& m) {
    for (int number = 1; number <= 5; ++number) ASSERT_TRUE(m.StoreReading(number));
  });
  window_ = std::make_unique<CQM8000Dlg>();
  window_->Services().answer = [](std::u16string_view, MessageButtons) { return MessageAnswer::yes; };
  window_->show();
  ASSERT_TRUE(PumpUntil([&] { return Text(control::kMainValue).contains('.'); }, std::chrono::seconds(8)));
  QAction* memory = window_->findChild<QMenuBar*>()->actions().at(2)->menu()->actions().at(0);
  ASSERT_TRUE(PumpUntil([&] { return memory->isEnabled(); }, std::chrono::seconds(3))) << "an RV7361 is connected";

  // The modal dialog is worked from a timer: a file in our folder, then OK.
  const auto folder = folder_.Path() / "memory";
  std::filesystem::create_directories(folder);
  bool ran = false;
  QTimer driver;
  QObject::connect(&driver, &QTimer::timeout, [&] {
    auto* dialog = dynamic_cast<CDlgMemData*>(QApplication::activeModalWidget());
    if (!dialog || ran) return;
    ran = true;
    dialog->Services().answer = [](std::u16string_view, MessageButtons) { return MessageAnswer::ok; };
    dialog->chooseFolder = [&](const QString&, const QString&) -> std::optional<QString> {
      return QString::fromStdString(folder.string());
    };
    static_cast<QPushButton*>(dialog->Control(memory_control::kBrowse))->click();
    static_cast<QLineEdit*>(dialog->Control(memory_control::kFileName))->setText("meter");
    static_cast<QPushButton*>(dialog->Control(memory_control::kOk))->click();
  });
  driver.start(50);
  const std::size_t before = meter_.Heard().size();
  memory->trigger();
  ASSERT_TRUE(PumpUntil([&] { return ran && !QApplication::activeModalWidget(); }, std::chrono::seconds(20)));
  driver.stop();
  EXPECT_TRUE(std::filesystem::exists(folder / "meter.csv"));

  // Readings again, on the port that never closed: no new identification.
  const std::size_t afterDownload = meter_.Heard().size();
  ASSERT_TRUE(
      PumpUntil([&] { return Heard(meter_, command::kMainReading) > 0 && meter_.Heard().size() > afterDownload + 6; },
                std::chrono::seconds(5)));
  for (std::size_t i = before; i < meter_.Heard().size(); ++i) {
    EXPECT_NE(meter_.Heard()[i].command, "*IDN?");
    EXPECT_NE(meter_.Heard()[i].command, ":SYST:GTL");
  }
  EXPECT_TRUE(window_->Connection().Connected());
  window_->reject();
  ASSERT_TRUE(PumpUntil([&] { return window_->result() == QDialog::Accepted; }, std::chrono::seconds(5)));
}

}  // namespace
