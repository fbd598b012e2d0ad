// The memory download dialog on the offscreen platform against the virtual
// meter: its boxes, a refused file name, and a download to completion.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>

#include <gtest/gtest.h>

#include "link/com_port.h"
#include "link/commands.h"
#include "link/identification.h"
#include "link/tests/temp_port_folder.h"
#include "shell/qt/memory_dialog.h"
#include "sim/pty_meter.h"

namespace fs = std::filesystem;
namespace mc = memory_control;
using namespace std::chrono_literals;

namespace {

constexpr int kPort = 201;

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  return true;
}

class MemoryWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("LC_ALL", "C", 1);
    folder_ = ports_.Path() / "csv";
    fs::create_directory(folder_);
    settings_.memFolder = folder_.u16string();
    settings_.memFileName = u"meter";
    settings_.decimalSymbol = 1;
    settings_.listSeparator = 1;
    meter_.WithMeter([](VirtualMeter& m) {
      ASSERT_EQ(m.Answer(command::Configure("DCV", "6")).bytes, "OK\r\n");
      m.SetInput(0.5);
      for (int number = 1; number <= 12; ++number) ASSERT_TRUE(m.StoreReading(number));
    });
    ASSERT_EQ(ProbePort(kPort), 0);
    ComSetLine(CurrentIdentity().currentSpeed);
    ASSERT_TRUE(ComOpen(kPort));
    dialog_ = std::make_unique<CDlgMemData>(nullptr, settings_, 1);
    dialog_->Services().answer = [this](std::u16string_view text, MessageButtons) {
      boxes_.push_back(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
      return MessageAnswer::yes;
    };
    dialog_->show();
  }
  void TearDown() override {
    dialog_.reset();
    ComClose();
    unsetenv("LC_ALL");
  }

  QLineEdit* Edit(int id) { return static_cast<QLineEdit*>(dialog_->Control(id)); }
  QLabel* Label(int id) { return static_cast<QLabel*>(dialog_->Control(id)); }
  QPushButton* Button(int id) { return static_cast<QPushButton*>(dialog_->Control(id)); }

  TempPortFolder ports_;
  fs::path folder_;
  PtyMeter meter_{VirtualMeter({"RV7362", "23120815", "1.04"}), kPort};
  Settings settings_;
  std::unique_ptr<CDlgMemData> dialog_;
  QStringList boxes_;
};

TEST_F(MemoryWindowTest, RefusedNameThenADownloadToCompletion) {
  EXPECT_EQ(dialog_->windowTitle(), QStringLiteral("Read Memory Data form DMM"));
  EXPECT_EQ(Button(mc::kBrowse)->text(), QStringLiteral("Browse"));
  EXPECT_EQ(Edit(mc::kFolder)->text(), QString::fromStdU16String(settings_.memFolder));
  EXPECT_TRUE(Edit(mc::kFolder)->isReadOnly());
  EXPECT_EQ(Edit(mc::kFileName)->text(), QStringLiteral("meter"));

  // Browse: the chooser starts at the folder box and its choice replaces it.
  QString chooserStart;
  dialog_->chooseFolder = [&](const QString& title, const QString& start) -> std::optional<QString> {
    EXPECT_EQ(title, QStringLiteral("Select destination folder"));
    chooserStart = start;
    return QString::fromStdU16String(folder_.u16string());
  };
  Button(mc::kBrowse)->click();
  EXPECT_EQ(chooserStart, QString::fromStdU16String(folder_.u16string()));

  // A semicolon is refused with the character message; the dialog stays.
  Edit(mc::kFileName)->setText(QStringLiteral("day;1"));
  Button(mc::kOk)->click();
  ASSERT_EQ(boxes_.size(), 1);
  EXPECT_TRUE(boxes_[0].startsWith(QStringLiteral("The following character(s) cannot be used in filename.")));
  EXPECT_TRUE(dialog_->isVisible());
  EXPECT_TRUE(Button(mc::kOk)->isEnabled());

  Edit(mc::kFileName)->setText(QStringLiteral("day 1"));
  Button(mc::kOk)->click();
  EXPECT_FALSE(Button(mc::kCancel)->isEnabled()) << "no Cancel while the download runs";
  dialog_->reject();
  EXPECT_TRUE(dialog_->isVisible());
  ASSERT_TRUE(PumpUntil([&] { return !dialog_->isVisible(); }, 30s));
  EXPECT_EQ(dialog_->result(), QDialog::Accepted);
  ASSERT_EQ(boxes_.size(), 2);
  EXPECT_EQ(boxes_[1], QStringLiteral("Completed reading data from DMM."));
  EXPECT_EQ(Label(mc::kStatus)->text(), boxes_[1]);
  EXPECT_EQ(Label(mc::kCount)->text(), QStringLiteral("12 / 12"));
  EXPECT_EQ(Label(mc::kRemain)->text(), QStringLiteral("0 sec"));
  const auto* progress = static_cast<QProgressBar*>(dialog_->Control(mc::kProgress));
  EXPECT_EQ(progress->maximum(), 12);
  EXPECT_EQ(progress->value(), 12);
  EXPECT_EQ(settings_.memFileName, u"day 1");
  if (const char* screenshots = std::getenv("RV7300S_SCREENSHOTS")) {
    dialog_->grab().save(QString::fromUtf8(screenshots) + "/memory-download-en.png");
  }

  std::ifstream in(folder_ / "day 1.csv", std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_NE(text.find("\r\nModel:;VORNEK;RV7362;Ver 1.04\r\n"), std::string::npos) << text;
  // Comma as the mark, semicolon between the fields: "1;DCV;3,0000;V;..." or thereabouts.
  const std::size_t first = text.find("\r\n1;DCV;");
  ASSERT_NE(first, std::string::npos) << text;
  const std::string value = text.substr(first + 8, text.find(';', first + 8) - first - 8);
  EXPECT_EQ(value.size(), 6u) << value;
  EXPECT_EQ(value.find(','), 1u) << value;
  EXPECT_NE(text.find("\r\n12;DCV;"), std::string::npos);
  EXPECT_TRUE(ComIsOpen()) << "the port stays open for the monitor to resume";
}

}  // namespace
