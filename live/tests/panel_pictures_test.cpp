#include <gtest/gtest.h>

#include "base/models.h"
#include "catalogue/catalogue.h"
#include "live/panel_pictures.h"

namespace {

std::vector<std::string> Paths(const std::vector<StatusIcon>& icons) {
  std::vector<std::string> paths;
  for (const StatusIcon& icon : icons) paths.push_back(icon.path);
  return paths;
}

TEST(PanelPictures, StatusIconsOffWhileNotConnected) {
  _MONITOR_DATA data;
  for (auto& flag : data.status) flag = 1;
  data.mainOver = 1;
  const std::vector<StatusIcon> icons = StatusIcons({false, kRv7361, false, false, false}, data);
  const std::vector<int> xs = {0, 72, 114, 181, 240, 280, 324};
  ASSERT_EQ(icons.size(), xs.size());
  for (std::size_t i = 0; i < icons.size(); ++i) EXPECT_EQ(icons[i].x, xs[i]);
  EXPECT_EQ(Paths(icons),
            (std::vector<std::string>{"Pictures/common/st_over_off.bmp", "Pictures/common/st_rel_off.bmp",
                                      "Pictures/common/st_filter_off.bmp", "Pictures/common/st_slow_off.bmp",
                                      "Pictures/common/st_buzz_off.bmp", "Pictures/common/st_aps_off.bmp",
                                      "Pictures/common/st_batt3_off.bmp"}));
}

TEST(PanelPictures, StatusIconsWhileConnected) {
  struct Case {
    const char* what;
    int model;
    std::initializer_list<int> statusOn;
    bool mainOver, subOver, blinkB;
    int function, battery;
    std::size_t icon;
    std::string path;
  };
  const Case cases[] = {
      {"over blinks off", kRv7321, {}, true, false, true, 0, 3, 0, "Pictures/common/st_over_off.bmp"},
      {"over", kRv7321, {}, true, false, false, 0, 3, 0, "Pictures/common/st_over_on.bmp"},
      {"RV732X ignores the sub over", kRv7321, {15}, false, true, false, 0, 3, 0, "Pictures/common/st_over_off.bmp"},
      {"sub over under peak hold", kRv7341, {15}, false, true, false, 0, 3, 0, "Pictures/common/st_over_on.bmp"},
      {"RV736X SEPV sub over", kRv7361, {}, false, true, false, 6, 3, 0, "Pictures/common/st_over_on.bmp"},
      {"RV736X other sub over", kRv7361, {}, false, true, false, 4, 3, 0, "Pictures/common/st_over_off.bmp"},
      {"REL", kRv7321, {1}, false, false, false, 0, 3, 1, "Pictures/common/st_rel_on.bmp"},
      {"SLOW on the RV736X", kRv7362, {14}, false, false, false, 0, 3, 3, "Pictures/common/st_slow_on.bmp"},
      {"SLOW never elsewhere", kRv7341, {14}, false, false, false, 0, 3, 3, "Pictures/common/st_slow_off.bmp"},
      {"battery 2", kRv7361, {}, false, false, false, 0, 2, 6, "Pictures/common/st_batt2.bmp"},
      {"empty battery, blink on", kRv7361, {}, false, false, true, 0, 0, 6, "Pictures/common/st_batt3_off.bmp"},
      {"empty battery, blink off", kRv7361, {}, false, false, false, 0, 7, 6, "Pictures/common/st_batt0.bmp"},
  };
  for (const Case& c : cases) {
    _MONITOR_DATA data;
    for (const int position : c.statusOn) data.status[position] = 1;
    data.mainOver = c.mainOver;
    data.subOver = c.subOver;
    data.functionIndex = c.function;
    data.battery = c.battery;
    EXPECT_EQ(StatusIcons({true, c.model, false, false, c.blinkB}, data)[c.icon].path, c.path) << c.what;
  }
}

TEST(PanelPictures, DiagramPrecedence) {
  struct Case {
    const char* what;
    PanelState state;
    bool confError, warning;
    int function;
    std::string path;
  };
  const Case cases[] = {
      {"configuration error", {true, kRv7361, false, false, true}, true, true, 0, "Pictures/common/white.bmp"},
      {"lead warning, voltage", {true, kRv7361, false, false, true}, false, true, 2, "Pictures/common/hv_a.bmp"},
      {"lead warning, current", {true, kRv7361, false, false, false}, false, true, 18, "Pictures/common/hc_b.bmp"},
      {"RV7341 LoZV is a voltage", {true, kRv7341, false, false, false}, false, true, 5, "Pictures/common/hv_b.bmp"},
      {"model picture", {true, kRv7361, false, false, false}, false, false, 6, "Pictures/RV7361/RV7361SEPV.bmp"},
      {"RV7322 row of its own",
       {true, kRv7322, false, false, false},
       false,
       false,
       19,
       "Pictures/RV7322/RV7322DCV.bmp"},
      {"the RV734X entry has no pictures",
       {true, kRv734x, false, false, false},
       false,
       false,
       1,
       "Pictures/common/white.bmp"},
      {"waiting for the RV736X",
       {false, kRv7362, false, true, false},
       false,
       false,
       0,
       "Pictures/common/uu_a_RV736X.bmp"},
      {"waiting for the others",
       {false, kRv7341, false, false, false},
       false,
       false,
       0,
       "Pictures/common/uu_b_RV732X.bmp"},
      {"no adapter", {false, kRv7361, true, true, false}, false, false, 0, "Pictures/common/cf_a.bmp"},
  };
  for (const Case& c : cases) {
    _MONITOR_DATA data;
    data.confError = c.confError;
    data.status[kStatusLeadWarning] = c.warning;
    data.functionIndex = c.function;
    EXPECT_EQ(DiagramPicture(c.state, data), c.path) << c.what;
  }
}

TEST(PanelPictures, DiagramTitle) {
  SetCatalogueLanguage(1);
  _MONITOR_DATA data;
  data.functionIndex = 7;
  EXPECT_EQ(DiagramTitle({true, kRv7361, false, false, false}, data), u"Configuration (Continuity)");
  EXPECT_EQ(DiagramTitle({true, kRv734x, false, false, false}, data), u"Configuration");
  data.confError = 1;
  EXPECT_EQ(DiagramTitle({true, kRv7361, false, false, false}, data), u"Configuration");
  EXPECT_EQ(DiagramTitle({false, kRv7361, false, false, false}, data), u"UUT Unconnected");
  SetCatalogueLanguage(0);
  data.confError = 0;
  EXPECT_EQ(DiagramTitle({true, kRv7361, false, false, false}, data), u"接続図 (導通)");
}

}  // namespace
