// The settings file: its bytes, the version rules, the start-up rules and
// what a damaged file does.
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <csignal>
#include <fstream>
#include <iterator>
#include <set>

#include <gtest/gtest.h>

#include "base/models.h"
#include "base/tests/environment.h"
#include "persistence/file_exception.h"
#include "persistence/settings.h"
#include "persistence/settings_folder.h"
#ifndef _WIN32
#include "scratch_folder.h"
#endif

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& file, const Bytes& bytes) {
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

const fs::path kData = TEST_DATA_DIR;

SettingsReadResult Outcome(bool loaded, bool versionDiffers) {
  SettingsReadResult result;
  result.settingsLoaded = loaded;
  result.settingsVersionDiffers = versionDiffers;
  return result;
}

// The values of the fixture (see data/make_settings_fixture.py).
Settings FixtureSettings() {
  Settings s;
  s.windowRect = {120, 80, 820, 690};
  s.language = 0;
  s.comPort = 3;
  s.ModelIndex = kRv7362;
  s.baudRate = 9600;
  s.baudIndex = 0;
  s.autoConnect = 0;
  s.intervalMode = 1;
  s.totalMode = 1;
  s.fastIntervalIndex = 4;
  s.timeDisplayMode = 1;
  s.intervalHours = 1;
  s.intervalMinutes = 2;
  s.intervalSeconds = 3;
  s.dataCount = 5000;
  s.recordHours = 10;
  s.recordMinutes = 20;
  s.recordSeconds = 30;
  s.companyOn = 0;
  s.companyText = u"株式会社ヴォルネク";
  s.titleOn = 1;
  s.titleText = u"Line 4 insulation";
  s.operatorOn = 0;
  s.operatorText = u"山田";
  s.dateOn = 1;
  s.dateText = u"2026/12/01";
  s.tempHumidOn = 0;
  s.temperatureText = u"23.5";
  s.humidityText = u"45";
  s.memoOn = 1;
  s.memoText = u"memo\r\nsecond line";
  s.dateMode = 1;
  s.decimalSymbol = 1;
  s.listSeparator = 1;
  s.memFolder = u"/home/user/meter";
  s.memFileName = u"run-7";
  s.excelTakeInMode = 0;
  s.excelUseRecordSetting = 1;
  s.excelIntervalIndex = 2;
  return s;
}

class SettingsFileTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("rv7300s-settings-" + std::to_string(::getpid()) + "-" +
                                           testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path File() const { return folder_ / kSettingsFileName; }
  std::set<std::string> FolderNames() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.insert(entry.path().filename().string());
    return names;
  }
  fs::path folder_;
};

TEST_F(SettingsFileTest, WritesTheFormatByteForByte) {
  WriteSettingsFile(File(), FixtureSettings());
  EXPECT_EQ(ReadBytes(File()), ReadBytes(kData / "settings-2.11.ini"));
  EXPECT_EQ(FolderNames(), std::set<std::string>{"RV7300s.ini"}) << "temporary file left behind";
}

TEST_F(SettingsFileTest, ReadsEveryField) {
  Settings read;
  const SettingsReadResult result = ReadSettingsFile(kData / "settings-2.11.ini", read);
  EXPECT_TRUE(result.settingsLoaded);
  EXPECT_FALSE(result.settingsVersionDiffers);
  EXPECT_EQ(read, FixtureSettings());
}

TEST_F(SettingsFileTest, VersionRules) {
  struct Case {
    const char16_t* text;
    std::int32_t number;
    bool loaded;
    bool differs;
  };
  const Case cases[] = {
      {u"2.11", 21100, true, false}, {u"2.11", 5, true, false},  // the number is not looked at
      {u"2.11", 99999, true, false}, {u"2.10", 21000, true, true},  {u"2.10", 10009, true, true},
      {u"2.10", 21100, true, true},  {u"2.10", 10008, false, true}, {u"1.00", 21101, false, true},
      {u"", 0, false, true},
  };
  const Bytes fixture = ReadBytes(kData / "settings-2.11.ini");
  const Bytes fields(fixture.begin() + 12 + 4, fixture.end());  // after "2.11" and 21100
  for (const Case& c : cases) {
    MemoryFile file;
    {
      CArchive out(file, CArchive::Mode::store);
      out << std::u16string(c.text) << c.number;
      out.Write(fields.data(), fields.size());
      out.Close();
    }
    WriteBytes(File(), file.Bytes());
    Settings read;
    const SettingsReadResult result = ReadSettingsFile(File(), read);
    EXPECT_EQ(result.settingsLoaded, c.loaded) << c.number;
    EXPECT_EQ(result.settingsVersionDiffers, c.differs) << c.number;
    EXPECT_EQ(read == FixtureSettings(), c.loaded) << c.number;
  }
}

TEST_F(SettingsFileTest, DamagedFilesReadAsNoFileAndChangeNothing) {
  const Bytes fixture = ReadBytes(kData / "settings-2.11.ini");
  // Every truncation point, and an absurd string length in the middle.
  std::vector<Bytes> damaged;
  for (std::size_t size = 0; size < fixture.size(); ++size)
    damaged.emplace_back(fixture.begin(), fixture.begin() + size);
  Bytes hostile = fixture;
  const std::size_t company = 16 + 16 + 4 * 17 + 4;  // the first text after the version
  hostile[company + 3] = 0xFF;
  hostile[company + 4] = 0xFF;
  hostile[company + 5] = 0xFF;
  damaged.push_back(hostile);

  for (const Bytes& bytes : damaged) {
    WriteBytes(File(), bytes);
    Settings settings;
    const SettingsReadResult result = ReadSettingsFile(File(), settings);
    ASSERT_FALSE(result.settingsLoaded) << bytes.size();
    ASSERT_EQ(settings, Settings()) << "half a file was taken, size " << bytes.size();
  }
  Settings settings;
  EXPECT_FALSE(ReadSettingsFile(folder_ / "missing.ini", settings).settingsLoaded);
}

#ifndef _WIN32  // the failures are made with the POSIX file size limit and a mount
TEST_F(SettingsFileTest, AFailedWriteKeepsThePreviousFile) {
  WriteSettingsFile(File(), FixtureSettings());
  const Bytes before = ReadBytes(File());
  // The new file cannot be written whole: the file size limit stops it.
  rlimit unlimited{};
  getrlimit(RLIMIT_FSIZE, &unlimited);
  rlimit small = unlimited;
  small.rlim_cur = 100;
  const auto handler = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  Settings changed = FixtureSettings();
  changed.language = 1;
  EXPECT_THROW(WriteSettingsFile(File(), changed), CFileException);
  setrlimit(RLIMIT_FSIZE, &unlimited);
  signal(SIGXFSZ, handler);
  EXPECT_EQ(ReadBytes(File()), before);
  EXPECT_EQ(FolderNames(), std::set<std::string>{"RV7300s.ini"}) << "temporary file left behind";
}

TEST_F(SettingsFileTest, AFullDiskIsAFileErrorAndKeepsThePreviousFile) {
  const SmallDisk disk(folder_ / "disk", 64 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "mounting a small file system needs the privilege";
  const fs::path file = folder_ / "disk" / kSettingsFileName;
  WriteSettingsFile(file, FixtureSettings());
  const Bytes before = ReadBytes(file);
  disk.Fill();
  Settings large;
  large.memoText = std::u16string(100000, u'x');
  try {
    WriteSettingsFile(file, large);
    FAIL() << "no error from a full disk";
  } catch (const CFileException& error) {
    EXPECT_EQ(error.cause(), CFileException::Cause::diskFull);
  }
  EXPECT_EQ(ReadBytes(file), before);
}
#endif

TEST(SettingsStartup, FirstStartWithoutFileOrLanguageFile) {
  Settings settings;
  StartupContext context;
  context.settingsFolder = "/home/u/.config/VORNEK/QM8000";
  context.programFolder = "/nonexistent";
  context.firstComPort = 201;
  context.ownWindowRect = {10, 20, 710, 630};
  context.today = {2026, 12, 10, 9, 0, 0};
  ApplyStartupSettings(settings, {}, context);

  EXPECT_EQ(settings.language, 1);
  EXPECT_EQ(settings.comPort, 201);
  EXPECT_EQ(settings.baudRate, 19200);
  EXPECT_EQ(settings.baudIndex, 1);
  EXPECT_EQ(settings.autoConnect, 1);
  EXPECT_EQ(RecordingIntervalSeconds(settings), 1);
  EXPECT_EQ(settings.dataCount, 1048576);
  EXPECT_EQ(settings.recordHours, 99);
  EXPECT_EQ(settings.recordMinutes, 99);
  EXPECT_EQ(settings.recordSeconds, 99);
  EXPECT_EQ(settings.ModelIndex, kRv7361);
  EXPECT_EQ(settings.excelTakeInMode, 1);
  EXPECT_EQ(settings.memFolder, u"/home/u/.config/VORNEK/QM8000");
  EXPECT_EQ(settings.memFileName, u"");
  EXPECT_EQ(settings.dateText, u"2026/12/10");
  EXPECT_EQ(settings.windowRect, context.ownWindowRect);
  EXPECT_EQ(StartupWindowRect(settings, false, context.ownWindowRect), (ArchiveRect{90, 100, 790, 710}));

  context.firstComPort = kNoComPortSetting;
  ApplyStartupSettings(settings, {}, context);
  EXPECT_EQ(settings.comPort, 1000);
}

class LanguageFileTest : public SettingsFileTest {
 protected:
  void WriteLanguage(const std::string& content) {
    fs::create_directories(folder_ / "Languages");
    std::ofstream(folder_ / "Languages" / "lang.txt", std::ios::binary) << content;
  }
};

TEST_F(LanguageFileTest, OnlyJapaneseOnTheFirstLineGivesJapanese) {
  const std::pair<std::string, std::int32_t> cases[] = {
      {"Japanese", 0}, {"Japanese\r\n", 0}, {"Japanese\nEnglish", 0}, {"English", 1}, {"english", 1},
      {"", 1},         {"japanese", 1},     {"Japanese ", 1},
  };
  for (const auto& [content, language] : cases) {
    WriteLanguage(content);
    EXPECT_EQ(ReadLanguageFile(folder_), language) << content;
  }
  fs::remove_all(folder_ / "Languages");
  EXPECT_EQ(ReadLanguageFile(folder_), std::nullopt);
}

TEST_F(LanguageFileTest, LanguageFileAppliesWithoutSettingsOrWithAnotherVersion) {
  WriteLanguage("Japanese\r\n");
  StartupContext context;
  context.programFolder = folder_;
  struct Case {
    SettingsReadResult read;
    std::int32_t storedLanguage;
    std::int32_t language;
  };
  const Case cases[] = {
      {Outcome(false, false), 1, 0},  // no file: the language file decides
      {Outcome(true, true), 1, 0},    // "2.10" read in full: the language file still decides
      {Outcome(true, false), 1, 1},   // current file: its own language stands
  };
  for (const Case& c : cases) {
    Settings settings;
    settings.language = c.storedLanguage;
    ApplyStartupSettings(settings, c.read, context);
    EXPECT_EQ(settings.language, c.language);
  }
}

TEST(SettingsStartup, LoadedSettingsKeepTheirValuesAndPlaceTheWindow) {
  Settings settings = FixtureSettings();
  StartupContext context;
  context.programFolder = "/nonexistent";
  context.today = {2030, 1, 2, 0, 0, 0};
  ApplyStartupSettings(settings, Outcome(true, false), context);
  EXPECT_EQ(settings, FixtureSettings()) << "dateMode 1 keeps the typed date";
  EXPECT_EQ(StartupWindowRect(settings, true, {0, 0, 700, 600}), (ArchiveRect{120, 80, 820, 680}));

  settings.dateMode = 0;
  ApplyStartupSettings(settings, Outcome(true, false), context);
  EXPECT_EQ(settings.dateText, u"2030/01/02");
}

TEST(SettingsStartup, IntervalOfHostileValuesDoesNotOverflow) {
  Settings settings;
  settings.intervalHours = INT32_MAX;
  settings.intervalMinutes = INT32_MAX;
  settings.intervalSeconds = INT32_MAX;
  EXPECT_EQ(RecordingIntervalSeconds(settings), std::int64_t{INT32_MAX} * 3661);
}

#ifdef _WIN32
TEST(SettingsFolder, ProgramsInTheProgramFilesFolderUseTheUsersApplicationData) {
  SetEnvironment("ProgramFiles", "C:\\Program Files");
  SetEnvironment("APPDATA", "C:\\Users\\u\\AppData\\Roaming");
  const fs::path users = "C:\\Users\\u\\AppData\\Roaming\\VORNEK\\QM8000";
  EXPECT_EQ(SettingsFolderFor("C:\\Program Files\\VORNEK\\RV7300s"), users);
  EXPECT_EQ(SettingsFolderFor("C:\\Program Files (x86)\\VORNEK\\RV7300s"), users);
  EXPECT_EQ(SettingsFolderFor("D:\\Tools\\RV7300s"), fs::path("D:\\Tools\\RV7300s"));
  EXPECT_TRUE(fs::is_regular_file(ProgramFolder() / "settings_test.exe"));
}
#else
TEST(SettingsFolder, SystemInstallationsUseTheUsersConfigFolder) {
  SetEnvironment("XDG_CONFIG_HOME", "/home/u/.cfg");
  EXPECT_EQ(SettingsFolderFor("/usr/bin"), fs::path("/home/u/.cfg/VORNEK/QM8000"));
  EXPECT_EQ(SettingsFolderFor("/usr/local/lib/quorvia"), fs::path("/home/u/.cfg/VORNEK/QM8000"));
  EXPECT_EQ(SettingsFolderFor("/opt/quorvia"), fs::path("/home/u/.cfg/VORNEK/QM8000"));
  EXPECT_EQ(SettingsFolderFor("/home/u/quorvia/build/app"), fs::path("/home/u/quorvia/build/app"));
  EXPECT_EQ(SettingsFolderFor("/usrlocal/app"), fs::path("/usrlocal/app"));
  UnsetEnvironment("XDG_CONFIG_HOME");
  SetEnvironment("HOME", "/home/v");
  EXPECT_EQ(SettingsFolderFor("/usr/bin"), fs::path("/home/v/.config/VORNEK/QM8000"));
  EXPECT_EQ(ProgramFolder(), fs::canonical("/proc/self/exe").parent_path());
}
#endif

// A folder named in the environment wins on every system, and is made.
TEST(SettingsFolder, AChosenFolderIsUsedAndMade) {
  const fs::path chosen = fs::temp_directory_path() / ("rv7300s-chosen-" + std::to_string(::getpid())) / "nested";
  SetEnvironment("RV7300S_SETTINGS_DIR", chosen.string().c_str());
  EXPECT_EQ(DecideSettingsFolder(), chosen);
  EXPECT_TRUE(fs::is_directory(chosen));
  UnsetEnvironment("RV7300S_SETTINGS_DIR");
  fs::remove_all(chosen.parent_path());
}

}  // namespace
