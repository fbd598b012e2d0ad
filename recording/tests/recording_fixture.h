// The recording engine with everything around it as plain data: the
// window's controls, the pages, the graph page and the window itself.
#pragma once

#include <gtest/gtest.h>

#include "base/models.h"
#include "base/utf16.h"
#include "catalogue/catalogue.h"
#include "catalogue/value_format.h"
#include "link/identification.h"
#include "live/headless_window.h"
#include "recording/record_controls.h"
#include "recording/recording_engine.h"
#include "recording/time_texts.h"
#include "window/headless_controls.h"

// The list control as plain rows.
struct FakeRows : RecordRows {
  void Add(const RowTexts& row) override { rows.push_back(row); }
  void Replace(std::vector<RowTexts> all) override {
    rows = std::move(all);
    ++rebuilds;
  }
  void DeleteAll() override { rows.clear(); }
  void DeleteLast() override {
    if (!rows.empty()) rows.pop_back();
  }
  int Count() const override { return static_cast<int>(rows.size()); }
  std::vector<RowTexts> rows;
  int rebuilds = 0;
};

struct FakeGraphPage : GraphPage {
  void ResetGraph() override { ++resets; }
  void RedrawGraph() override { ++redraws; }
  int resets = 0, redraws = 0;
};

struct FakeRecordingWindow : RecordingWindow {
  void SetTitle(std::u16string_view text) override { title = text; }
  void Focus(int id) override { focus = id; }
  ClearChoice AskClear() override { return clearChoice; }
  std::u16string title;
  int focus = 0;
  ClearChoice clearChoice = ClearChoice::cancel;
};

// Clocks frozen at Start: the engine's own interval thread never ticks;
// the test hands it ticks instead.
inline IntervalClocks FrozenClocks(CDateTime now) {
  return {[] { return std::time_t{1000}; }, [] { return std::int64_t{0}; }, [now] { return now; }};
}

// A DC volts reading of the RV7361 in its 6 V range (four decimals), main
// display only.
inline Publication DcVolts(std::int32_t count, std::u16string value) {
  Publication reading;
  reading.recordTemplate.mainFunction = 4;
  reading.recordTemplate.mainCount = count;
  reading.recordTemplate.mainRange = 3;
  reading.forRecording.text[_READING_TEXT::kMainValue] = std::move(value);
  reading.forRecording.text[_READING_TEXT::kMainUnit] = u"V";
  reading.forRecording.text[_READING_TEXT::kMainFunction] = u"DCV";
  reading.forRecording.text[_READING_TEXT::kSubFunction] = u"<none>";
  reading.forSpreadsheet = reading.forRecording;
  reading.forSpreadsheet.text[_READING_TEXT::kMainFunction] = u"DCV";  // the long name of the row
  return reading;
}

class RecordingFixture : public testing::Test {
 protected:
  static CDateTime At(int second) { return CDateTime::FromCalendar({2026, 12, 10, 9, 0, second}); }

  void SetUp() override {
    SetModelIndex(kRv7361);
    messages.onMessage = [this](int n, std::intptr_t parameter) { engine.OnMessage(n, parameter); };
    SetCatalogueLanguage(1);
    published.Publish(DcVolts(12340, u"1.2340"));
  }

  // An interval tick at second `second` of the clock.
  void Tick(int second, bool first = false) {
    IntervalTick tick{At(second), first};
    ASSERT_TRUE(engine.OnMessage(app_message::kIntervalTick, reinterpret_cast<std::intptr_t>(&tick)));
  }
  // A run of `count` ticks one second apart, from second `from`.
  void Run(int count, int from = 0) {
    engine.OnStart();
    ASSERT_TRUE(engine.IsRecording());
    for (int i = 0; i < count && engine.IsRecording(); ++i) Tick(from + i, i == 0);
  }
  std::vector<std::intptr_t> PostedOf(int n) const {
    std::vector<std::intptr_t> parameters;
    for (const auto& [m, p] : messages.Posted()) {
      if (m == n) parameters.push_back(p);
    }
    return parameters;
  }

  HeadlessControls window, info, page;
  FakeRows rows;
  HeadlessWindow messages;
  FakeGraphPage graphPage;
  FakeRecordingWindow shell;
  RecordStore store;
  PublishedReading published;
  MonitorSnapshot snapshot;
  Settings settings;
  Graph graph;
  RecordListPage list{page, rows, messages, store, settings};
  RecordingEngine engine{{window, info, list, graph, graphPage, messages, messages, shell, store, published, snapshot,
                          settings, FrozenClocks(At(30))}};
};
