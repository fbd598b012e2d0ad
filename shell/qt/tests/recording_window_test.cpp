// Recording from the virtual meter in the main window: the list, the
// statistics, the graph, the recording file and the CSV export.
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>

#include "recording/record_controls.h"
#include "shell/qt/graph_page.h"
#include "shell/qt/record_pages.h"
#include "shell/qt/tests/window_fixture.h"

namespace {

using namespace record_control;
using RecordingWindowTest = WindowFixture;

QPushButton* Button(CQM8000Dlg& window, int id) { return static_cast<QPushButton*>(window.PanelControls().Widget(id)); }

int RedPixels(const QImage& image) {
  int red = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) red += image.pixel(x, y) == qRgb(255, 0, 0);
  }
  return red;
}

TEST_F(RecordingWindowTest, ARunIsListedDrawnSavedOpenedAndExported) {
  window_ = std::make_unique<CQM8000Dlg>();
  window_->Services().answer = [](std::u16string_view, MessageButtons) { return MessageAnswer::yes; };
  window_->show();
  ASSERT_TRUE(PumpUntil([&] { return Text(control::kMainValue).contains('.'); }, std::chrono::seconds(8)));
  CQM8000Dlg& window = *window_;
  QtControls& page = window.ListPage().PageControls();
  QtRecordRows& rows = window.ListPage().Rows();
  EXPECT_TRUE(Button(window, kStart)->isEnabled());
  EXPECT_FALSE(Button(window, kSave)->isEnabled());

  // A run of a few one-second records.  Start is refused while the
  // meter's configuration reply has failed, which a loaded machine's slow
  // replies can cause now and then: the user would press it again.
  ASSERT_TRUE(PumpUntil(
      [&] {
        if (!window.Recording().IsRecording()) Button(window, kStart)->click();
        return window.Recording().IsRecording();
      },
      std::chrono::seconds(10)));
  EXPECT_FALSE(Button(window, kStart)->isEnabled());
  ASSERT_TRUE(PumpUntil([&] { return window.Store().Size() >= 4; }, std::chrono::seconds(10)));
  Button(window, kStop)->click();
  const std::size_t records = window.Store().Size();
  EXPECT_EQ(static_cast<std::size_t>(rows.Count()), records);
  EXPECT_TRUE(Button(window, kStart)->isEnabled());
  EXPECT_TRUE(Button(window, kSave)->isEnabled());
  EXPECT_EQ(page.Text(kPageLabel), u"1/1");
  const std::u16string maxLine = page.Text(kMainMax);
  EXPECT_NE(maxLine.find(u"    DCV "), std::u16string::npos) << std::string(maxLine.begin(), maxLine.end());
  EXPECT_FALSE(page.Text(kMainMin).empty());
  EXPECT_FALSE(window.PanelControls().Text(kStartTime).empty());
  EXPECT_FALSE(window.PanelControls().Text(kStopTime).empty());
  const QString lastTime = rows.data(rows.index(rows.Count() - 1, 0), Qt::DisplayRole).toString();
  EXPECT_EQ(lastTime.size(), 19) << lastTime.toStdString();
  Shoot("recording-list-en.png");

  // The graph shows the run in red.
  auto* tabs = static_cast<QTabBar*>(window.PanelControls().Widget(1025));
  tabs->setCurrentIndex(1);
  EXPECT_TRUE(window.GraphView().isVisible());
  EXPECT_TRUE(Button(window, kGraphCopy)->isVisible());
  EXPECT_FALSE(Button(window, kManual)->isVisible());
  PumpUntil([] { return false; }, std::chrono::milliseconds(200));
  EXPECT_GT(RedPixels(window.GraphView().grab().toImage()), 20);
  Shoot("recording-graph-en.png");
  tabs->setCurrentIndex(0);

  // Saved, cleared, opened again.
  const QString file = QString::fromStdString((folder_.Path() / "run").string());
  window.fileAnswer = [&](bool, const QString&) { return file; };
  Button(window, kSave)->click();
  EXPECT_EQ(window.windowTitle(), "Quorvia for RV7300s  Ver2.11 - [run.vdmm]");
  EXPECT_TRUE(window.Recording().saved);
  window.clearAnswer = [] { return ClearChoice::all; };
  Button(window, kClear)->click();
  EXPECT_EQ(rows.Count(), 0);
  EXPECT_EQ(window.windowTitle(), "Quorvia for RV7300s  Ver2.11");
  window.fileAnswer = [&](bool, const QString&) { return file + ".vdmm"; };
  window.OnOpen();
  EXPECT_EQ(window.Store().Size(), records);
  EXPECT_EQ(static_cast<std::size_t>(rows.Count()), records);
  EXPECT_EQ(rows.data(rows.index(rows.Count() - 1, 0), Qt::DisplayRole).toString(), lastTime);
  EXPECT_EQ(page.Text(kMainMax), maxLine);
  EXPECT_EQ(window.windowTitle(), "Quorvia for RV7300s  Ver2.11 - [run.vdmm]");

  // A damaged file leaves the recording on screen as it was.
  QFile damaged(file + "-damaged.vdmm");
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write(QByteArray("\xff\xfe\xff\x13Q\0u\0", 8));
  damaged.close();
  std::vector<std::u16string> boxes;
  window.Services().answer = [&](std::u16string_view text, MessageButtons) {
    boxes.emplace_back(text);
    return MessageAnswer::ok;
  };
  window.fileAnswer = [&](bool, const QString&) { return file + "-damaged.vdmm"; };
  window.OnOpen();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(window.Store().Size(), records);
  EXPECT_EQ(static_cast<std::size_t>(rows.Count()), records);

  // The CSV: header, titles and a line per record.
  window.fileAnswer = [&](bool, const QString&) { return file + ".csv"; };
  window.OnExportCsv();
  QFile csv(file + ".csv");
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = csv.readAll().split('\n');
  ASSERT_GT(lines.size(), static_cast<qsizetype>(records));
  EXPECT_TRUE(lines[lines.size() - 2].startsWith(QByteArray::number(static_cast<int>(records)) + ","));

  window.Services().answer = [](std::u16string_view, MessageButtons) { return MessageAnswer::yes; };
  window.reject();
  ASSERT_TRUE(PumpUntil([&] { return window.result() == QDialog::Accepted; }, std::chrono::seconds(5)));
}

// A run must not mix ranges: choosing another one in the range list ends
// it, and the meter is still asked for the new range.
TEST_F(RecordingWindowTest, ChoosingAnotherRangeStopsTheRun) {
  window_ = std::make_unique<CQM8000Dlg>();
  window_->Services().answer = [](std::u16string_view, MessageButtons) { return MessageAnswer::yes; };
  window_->show();
  CQM8000Dlg& window = *window_;
  auto* ranges = static_cast<QComboBox*>(window.PanelControls().Widget(control::kRangeList));
  ASSERT_TRUE(PumpUntil([&] { return ranges->count() > 2; }, std::chrono::seconds(8)));
  ASSERT_TRUE(PumpUntil(
      [&] {
        if (!window.Recording().IsRecording()) Button(window, kStart)->click();
        return window.Recording().IsRecording();
      },
      std::chrono::seconds(10)));
  const int other = ranges->currentIndex() == 1 ? 2 : 1;
  ranges->setCurrentIndex(other);
  emit ranges->activated(other);
  EXPECT_FALSE(window.Recording().IsRecording());
  EXPECT_TRUE(Button(window, kStart)->isEnabled());
  const auto rangeCommands = [&] {
    long count = 0;
    for (const HeardCommand& heard : meter_.Heard()) count += heard.command.starts_with(":CONF ");
    return count;
  };
  EXPECT_TRUE(PumpUntil([&] { return rangeCommands() == 1; }, std::chrono::seconds(5)))
      << "the meter is asked for the new range once";
}

}  // namespace
