// The download dialog's logic with a plain view: the opening texts, the
// checks of OK in their order, and what the dialog shows for each way a
// download against the virtual meter ends.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "base/tests/environment.h"
#include "base/utf16.h"
#include "catalogue/catalogue.h"
#include "link/com_port.h"
#include "link/commands.h"
#include "link/identification.h"
#include "link/tests/temp_port_folder.h"
#include "live/headless_window.h"
#include "memory/memory_dialog.h"
#include "sim/pty_meter.h"
#include "window/headless_controls.h"

using namespace std::chrono_literals;
namespace fs = std::filesystem;
namespace mc = memory_control;

namespace {

constexpr int kPort = 201;

// The dialog's controls and the rest of its window.
class PlainView : public HeadlessControls, public MemoryDialogWindow {
 public:
  void SetRange(int id, int maximum) override { ranges[id] = maximum; }
  void SetPosition(int id, int position) override { positions[id] = position; }
  std::optional<std::u16string> ChooseFolder(std::u16string_view title, std::u16string_view start) override {
    chooserTitle = title;
    chooserStart = start;
    return chosen;
  }
  void End(bool accepted) override { ended = accepted ? 1 : 0; }

  std::string Utf8(int id) const { return Utf16ToUtf8(Text(id)); }
  bool InputsEnabled() const {
    return enabled.at(mc::kBrowse) && enabled.at(mc::kFileName) && enabled.at(mc::kOk) && enabled.at(mc::kCancel);
  }

  std::map<int, int> ranges, positions;
  int ended = -1;  // -1 open, 1 OK, 0 Cancel
  std::optional<std::u16string> chosen;
  std::u16string chooserTitle, chooserStart;
};

struct Box {
  std::string text;
  MessageIcon icon;
};

class MemoryDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    SetEnvironment("LC_ALL", "C");
    SetCatalogueLanguage(1);
    folder_ = ports_.Path() / "csv";
    fs::create_directory(folder_);
    settings_.memFolder = folder_.u16string();
    settings_.memFileName = u"meter";
    window_.onMessage = [this](int n, std::intptr_t parameter) { dialog_.OnMessage(n, parameter); };
    window_.onBox = [this](std::u16string_view text, MessageIcon icon) {
      boxes_.push_back({Utf16ToUtf8(std::u16string(text)), icon});
    };
  }
  void TearDown() override {
    window_.PumpUntil([&] { return !dialog_.Download().Running(); }, 10s);
    ComClose();
    UnsetEnvironment("LC_ALL");
  }

  // A meter identified and connected, as when the Option menu is used.
  void Connect(const std::string& firmware, const std::function<void(VirtualMeter&)>& memory = {}) {
    meter_ = std::make_unique<PtyMeter>(VirtualMeter({"RV7361", "23120815", firmware}), kPort);
    if (memory) meter_->WithMeter(memory);
    ASSERT_EQ(ProbePort(kPort), 0);
    ComSetLine(CurrentIdentity().currentSpeed);
    ASSERT_TRUE(ComOpen(kPort));
  }
  static void StoreThree(VirtualMeter& m) {
    for (int number : {2, 5, 7}) ASSERT_TRUE(m.StoreReading(number));
  }
  void Open() {
    dialog_.OnInitDialog();
    boxes_.clear();
  }
  bool Ended() {
    return window_.PumpUntil([&] { return view_.ended != -1 && !dialog_.Download().Running(); }, 30s);
  }
  long MemoryCommands() const {
    long count = 0;
    for (const HeardCommand& heard : meter_->Heard()) count += heard.command.starts_with(":MEM:");
    return count;
  }

  TempPortFolder ports_;
  fs::path folder_;
  std::unique_ptr<PtyMeter> meter_;
  Settings settings_;
  PlainView view_;
  HeadlessWindow window_;
  std::vector<Box> boxes_;
  MemoryDownloadDialog dialog_{{view_, view_, window_, window_, settings_, 1}};
};

TEST_F(MemoryDialogTest, OpensWithTheTableTextsAndTheLastDestination) {
  Open();
  EXPECT_EQ(view_.Utf8(mc::kCaption), "Read Memory Data form DMM");
  EXPECT_EQ(view_.Utf8(mc::kGroup), "Save setting");
  EXPECT_EQ(view_.Utf8(mc::kFolderLabel), "Folder name：");
  EXPECT_EQ(view_.Utf8(mc::kFileNameLabel), "File name：");
  EXPECT_EQ(view_.Utf8(mc::kBrowse), "Browse");
  EXPECT_EQ(view_.Utf8(mc::kOk), "OK");
  EXPECT_EQ(view_.Utf8(mc::kCancel), "Cancel");
  EXPECT_EQ(view_.Text(mc::kFolder), settings_.memFolder);
  EXPECT_EQ(view_.Utf8(mc::kFileName), "meter");
  for (const int id : {mc::kStatus, mc::kCount, mc::kRemainLabel, mc::kRemain, mc::kElapsedLabel, mc::kElapsed}) {
    EXPECT_EQ(view_.Utf8(id), "") << id;
  }
  EXPECT_TRUE(view_.InputsEnabled());

  MemoryDownloadDialog japanese({view_, view_, window_, window_, settings_, 0});
  japanese.OnInitDialog();
  EXPECT_EQ(view_.Utf8(mc::kCaption), "メモリデータ読み込み");
  EXPECT_EQ(view_.Utf8(mc::kCancel), "キャンセル");
}

TEST_F(MemoryDialogTest, BrowseReplacesTheFolderOnlyWhenOneIsChosen) {
  Open();
  view_.chosen = u"/chosen/folder";
  dialog_.OnBrowse();
  EXPECT_EQ(Utf16ToUtf8(view_.chooserTitle), "Select destination folder");
  EXPECT_EQ(view_.chooserStart, settings_.memFolder);
  EXPECT_EQ(view_.Utf8(mc::kFolder), "/chosen/folder");
  view_.chosen.reset();
  dialog_.OnBrowse();
  EXPECT_EQ(view_.Utf8(mc::kFolder), "/chosen/folder");
  EXPECT_EQ(settings_.memFolder, folder_.u16string()) << "only OK stores it";
}

TEST_F(MemoryDialogTest, OkChecksTheDestinationInOrder) {
  Connect("1.04", StoreThree);
  std::ofstream(folder_ / "existing.csv") << "kept\n";
  const std::string forbidden =
      "The following character(s) cannot be used in filename.  \n\n        \\ / : , ; * ? \" < > |";
  struct Case {
    std::u16string folder, name;
    MessageAnswer answer;
    const char* box;  // the first box shown
    int focus;
  };
  const std::u16string folder = folder_.u16string();
  const Case cases[] = {
      {u"", u"", MessageAnswer::yes, "Designate a destination folder for saving.  ", 0},
      {folder, u"", MessageAnswer::yes, "Enter a filename for saving.  ", mc::kFileName},
      {folder, u"a;b", MessageAnswer::yes, forbidden.c_str(), mc::kFileName},
      {u"", u"a;b", MessageAnswer::yes, "Designate a destination folder for saving.  ", 0},
      {folder, u"existing", MessageAnswer::no, "A file with the designated filename already exists.  \n\nOverwrite?",
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    Open();
    view_.focus = 0;
    view_.SetText(mc::kFolder, c.folder);
    view_.SetText(mc::kFileName, c.name);
    window_.answer = c.answer;
    dialog_.OnOk();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, c.box);
    EXPECT_EQ(boxes_[0].icon, c.answer == MessageAnswer::no ? MessageIcon::warning : MessageIcon::error);
    EXPECT_EQ(view_.focus, c.focus);
    EXPECT_FALSE(dialog_.Busy());
    EXPECT_EQ(view_.ended, -1);
    EXPECT_EQ(settings_.memFileName, u"meter") << "a refused destination is not kept";
  }
  for (const char16_t c : std::u16string(u"\\/:,;*?\"<>|"))
    EXPECT_TRUE(HasForbiddenCharacter(std::u16string(u"a") + c));
  EXPECT_FALSE(HasForbiddenCharacter(u"memory 2026-01.05 (a)"));
  EXPECT_EQ(MemoryCommands(), 0);

  // Overwriting is agreed to: the download runs.
  Open();
  view_.SetText(mc::kFileName, u"existing");
  window_.answer = MessageAnswer::yes;
  dialog_.OnOk();
  EXPECT_EQ(settings_.memFileName, u"existing");
  ASSERT_TRUE(Ended());
  EXPECT_EQ(view_.ended, 1);
  EXPECT_EQ(boxes_.back().text, "Completed reading data from DMM.");
}

TEST_F(MemoryDialogTest, ADownloadToCompletion) {
  Connect("1.04", StoreThree);
  Open();
  dialog_.OnOk();
  EXPECT_TRUE(dialog_.Busy());
  for (const int id : {mc::kBrowse, mc::kFileName, mc::kOk, mc::kCancel}) EXPECT_FALSE(view_.enabled[id]) << id;
  EXPECT_FALSE(dialog_.OnCancel()) << "a running download cannot be interrupted";
  ASSERT_TRUE(Ended());

  EXPECT_EQ(view_.ended, 1);
  EXPECT_EQ(view_.ranges[mc::kProgress], 3);
  EXPECT_EQ(view_.positions[mc::kProgress], 3);
  EXPECT_EQ(view_.ranges[mc::kRingBar], 10);
  EXPECT_EQ(view_.Utf8(mc::kCount), "3 / 3");
  EXPECT_EQ(view_.Utf8(mc::kStatus), "Completed reading data from DMM.");
  EXPECT_EQ(view_.Utf8(mc::kRemainLabel), "Remain：");
  EXPECT_EQ(view_.Utf8(mc::kElapsedLabel), "Elapsed：");
  EXPECT_EQ(view_.Utf8(mc::kRemain), "0 sec");
  EXPECT_TRUE(view_.Utf8(mc::kElapsed).ends_with(" sec")) << view_.Utf8(mc::kElapsed);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].icon, MessageIcon::information);
  EXPECT_TRUE(view_.InputsEnabled());
  EXPECT_EQ(settings_.memFolder, folder_.u16string());

  std::ifstream in(folder_ / "meter.csv", std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_NE(text.find("\r\nModel:,VORNEK,RV7361,Ver 1.04\r\nS/N:,23120815\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\r\n2,DCV,"), std::string::npos);
  EXPECT_NE(text.find("\r\n7,DCV,"), std::string::npos);
}

TEST_F(MemoryDialogTest, EveryOtherEndShowsItsMessage) {
  struct Case {
    const char* what;
    std::string firmware;
    std::function<void(VirtualMeter&)> memory;
    FaultRule fault;
    std::u16string folder;  // empty: the test's folder
    const char* box;
    MessageIcon icon;
    bool closes;
  };
  const Case cases[] = {
      {"a fetch fails",
       "1.04",
       StoreThree,
       {LineFault::CutShort, command::MemoryData(5)},
       u"",
       "Reading data Error. \n\nCan not read all data.",
       MessageIcon::error,
       true},
      {"nothing stored", "1.04", {}, {}, u"", "Data has not been saved.", MessageIcon::information, true},
      {"the file cannot be created",
       "1.04",
       StoreThree,
       {},
       u"/nonexistent folder",
       "Can not open meter.csv.",
       MessageIcon::error,
       false},
      {"firmware too old",
       "0.82",
       StoreThree,
       {},
       u"",
       "Version of the DMM firmware is not compatible.\n\nThis program is valid for more than or equal to Ver 0.83.\n"
       "Please execute application after the upgrade.",
       MessageIcon::information,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(folder_ / "meter.csv");  // no overwrite question
    Connect(c.firmware, c.memory);
    meter_->SetFault(c.fault);
    Open();
    view_.ended = -1;
    if (!c.folder.empty()) view_.SetText(mc::kFolder, c.folder);
    dialog_.OnOk();
    if (c.closes) {
      ASSERT_TRUE(Ended());
      EXPECT_EQ(view_.ended, 1);
    } else {
      ASSERT_TRUE(window_.PumpUntil([&] { return !dialog_.Busy() && !dialog_.Download().Running(); }, 30s));
      EXPECT_EQ(view_.ended, -1) << "back to the boxes";
    }
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, c.box);
    EXPECT_EQ(boxes_[0].icon, c.icon);
    EXPECT_TRUE(view_.InputsEnabled());
    if (!c.closes) {
      EXPECT_TRUE(dialog_.OnCancel());
      EXPECT_EQ(view_.ended, 0);
    }
    ComClose();
    meter_.reset();
  }
}

TEST_F(MemoryDialogTest, CancelPutsTheBoxesBack) {
  Open();
  view_.SetText(mc::kFileName, u"typed");
  view_.SetText(mc::kFolder, u"/elsewhere");
  EXPECT_TRUE(dialog_.OnCancel());
  EXPECT_EQ(view_.ended, 0);
  EXPECT_EQ(view_.Utf8(mc::kFileName), "meter");
  EXPECT_EQ(view_.Text(mc::kFolder), settings_.memFolder);
}

}  // namespace
