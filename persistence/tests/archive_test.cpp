// The archive encoding, byte for byte.
#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <cstring>
#include <fstream>

#include <gtest/gtest.h>

#include "base/tests/environment.h"
#include "persistence/ansi_code_page.h"
#include "persistence/archive.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

template <typename Write>
Bytes Stored(Write write) {
  MemoryFile file;
  CArchive archive(file, CArchive::Mode::store);
  write(archive);
  archive.Close();
  return file.Bytes();
}

Bytes Prefix(const Bytes& bytes, std::size_t size) { return Bytes(bytes.begin(), bytes.begin() + size); }

std::u16string Units(std::size_t count) { return std::u16string(count, u'x'); }

TEST(Archive, ScalarEncodings) {
  EXPECT_EQ(Stored([](CArchive& a) { a << std::int32_t{-2}; }), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Stored([](CArchive& a) { a << std::uint32_t{0x01020304}; }), (Bytes{4, 3, 2, 1}));
  EXPECT_EQ(Stored([](CArchive& a) { a << true << false; }), (Bytes{1, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Stored([](CArchive& a) { a << 1.5; }), (Bytes{0, 0, 0, 0, 0, 0, 0xF8, 0x3F}));
  EXPECT_EQ(Stored([](CArchive& a) {
              a << ArchiveRect{1, -1, 256, 2};
            }),
            (Bytes{1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 1, 0, 0, 2, 0, 0, 0}));
  // The status first, then the date.
  EXPECT_EQ(Stored([](CArchive& a) { a << CDateTime(1.5, CDateTime::valid); }),
            (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F}));
  EXPECT_EQ(Stored([](CArchive& a) { a << CDateTime(0.0, CDateTime::null); }),
            (Bytes{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(Archive, StringLengthPrefixes) {
  struct Case {
    std::size_t units;
    Bytes prefix;
  };
  const Case cases[] = {
      {0, {0xFF, 0xFE, 0xFF, 0x00}},
      {4, {0xFF, 0xFE, 0xFF, 0x04}},
      {254, {0xFF, 0xFE, 0xFF, 0xFE}},
      {255, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
      {300, {0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01}},
      {65533, {0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}},
      {65534, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
      {65535, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
      {70000, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
  };
  for (const Case& c : cases) {
    const std::u16string text = Units(c.units);
    const Bytes bytes = Stored([&](CArchive& a) { a << text; });
    ASSERT_EQ(bytes.size(), c.prefix.size() + 2 * c.units) << c.units;
    EXPECT_EQ(Prefix(bytes, c.prefix.size()), c.prefix) << c.units;

    MemoryFile file(bytes);
    CArchive in(file, CArchive::Mode::load);
    std::u16string read;
    in >> read;
    EXPECT_EQ(read, text) << c.units;
    EXPECT_EQ(file.Remaining(), 0u);
  }
}

TEST(Archive, TextIsUtf16LittleEndian) {
  EXPECT_EQ(Stored([](CArchive& a) { a << std::u16string(u"2.11"); }),
            (Bytes{0xFF, 0xFE, 0xFF, 0x04, 0x32, 0x00, 0x2E, 0x00, 0x31, 0x00, 0x31, 0x00}));
  EXPECT_EQ(Stored([](CArchive& a) { a << std::u16string(u"温\U0001F600"); }),
            (Bytes{0xFF, 0xFE, 0xFF, 0x03, 0x29, 0x6E, 0x3D, 0xD8, 0x00, 0xDE}));
}

TEST(Archive, ReadsEveryLengthFormOfOldFiles) {
  struct Case {
    const char* name;
    Bytes bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"1-byte string, 1-byte length", {0x03, 'a', 'b', 'c'}, u"abc"},
      {"1-byte string, 16-bit length", {0xFF, 0x02, 0x00, 'h', 'i'}, u"hi"},
      {"1-byte string, 32-bit length", {0xFF, 0xFF, 0xFF, 0x01, 0, 0, 0, 'z'}, u"z"},
      {"1-byte string, 64-bit length",
       {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0, 0, 0, 0, 0, 0, 0, 'q'},
       u"q"},
      {"Unicode, 64-bit length",
       {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0, 0, 0, 0, 0, 0, 0, 'q', 0},
       u"q"},
      {"Unicode, 16-bit 0xFFFE after the marker is a length", {}, std::u16string(0xFFFE, u'w')},
  };
  for (const Case& c : cases) {
    Bytes bytes = c.bytes;
    if (bytes.empty()) {
      bytes = {0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF};
      for (int i = 0; i < 0xFFFE; ++i) bytes.insert(bytes.end(), {'w', 0});
    }
    MemoryFile file(bytes);
    CArchive in(file, CArchive::Mode::load);
    std::u16string read;
    in >> read;
    EXPECT_EQ(read, c.text) << c.name;
  }
}

TEST(Archive, OneByteStringsComeFromTheAnsiCodePage) {
  struct Case {
    int codePage;
    Bytes bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {1252, {0x02, 0xE9, 0x80}, u"é€"},
      {932, {0x04, 0x89, 0xB7, 0x93, 0x78}, u"温度"},
  };
  for (const Case& c : cases) {
    MemoryFile file(c.bytes);
    CArchive in(file, CArchive::Mode::load);
    in.SetAnsiCodePage(c.codePage);
    std::u16string read;
    in >> read;
    EXPECT_EQ(read, c.text) << c.codePage;
  }
}

#ifndef _WIN32
// Linux has no system code page: the user's locale stands for it.
TEST(Archive, WithoutANamedCodePageTheLocaleChoosesIt) {
  SetEnvironment("LC_ALL", "ja_JP.UTF-8");
  MemoryFile file(Bytes{0x04, 0x89, 0xB7, 0x93, 0x78});
  CArchive in(file, CArchive::Mode::load);
  std::u16string read;
  in >> read;
  EXPECT_EQ(read, u"温度");
  SetEnvironment("LC_ALL", "C");
  EXPECT_EQ(AnsiCodePage(), 1252);
  UnsetEnvironment("LC_ALL");
}
#endif

// A long 1-byte text is converted a buffer at a time; a double-byte
// character across two pieces, and a byte the code page lacks, must come
// out as they would in one piece.
TEST(Archive, ALongOneByteTextIsJoinedAcrossPieces) {
  const std::size_t pairs = CArchive::kBufferSize * 3 / 2;
  Bytes bytes{0xFF, 0xFF, 0xFF};  // 1-byte characters, a 32-bit length
  const std::uint32_t length = static_cast<std::uint32_t>(1 + 2 * pairs + 1);
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(length >> (8 * i)));
  bytes.push_back('x');  // puts every later pair across the pieces' edges
  for (std::size_t i = 0; i < pairs; ++i) bytes.insert(bytes.end(), {0x89, 0xB7});  // CP932: 温
  bytes.push_back(0xA0);  // no character in iconv's CP932; Windows' table maps it to U+F8F0
  MemoryFile file(bytes);
  CArchive in(file, CArchive::Mode::load);
  in.SetAnsiCodePage(kJapaneseCodePage);
  std::u16string read;
  in >> read;
#ifdef _WIN32
  const std::u16string last = u"\uF8F0";
#else
  const std::u16string last = u"\uFFFD";
#endif
  EXPECT_EQ(read, u"x" + std::u16string(pairs, u'温') + last);
}

#ifdef __linux__
// The memory the process has mapped now, from the system's own count.
std::size_t MappedBytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0;
  statm >> pages;
  return pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// Reads a text from `bytes` with `room` bytes of memory to spare, in a
// process of its own; ends it with 0 when that gave the archive's
// no-memory error.
[[noreturn]] void ReadTextWithRoom(Bytes bytes, std::size_t room) {
  MemoryFile file(std::move(bytes));
  CArchive in(file, CArchive::Mode::load);
  const rlimit limit{MappedBytes() + room, RLIM_INFINITY};
  setrlimit(RLIMIT_AS, &limit);
  std::u16string text;
  try {
    in >> text;
  } catch (const CArchiveException& error) {
    std::_Exit(error.cause() == CArchiveException::Cause::noMemory ? 0 : 1);
  }
  std::_Exit(2);
}

// A file may declare a text larger than the memory there is: that is the
// archive's error with its own message, never an abort.
TEST(Archive, ATextWithoutRoomInMemoryIsTheArchivesError) {
  constexpr std::uint32_t kLength = 32 << 20;
  constexpr std::size_t kRoom = kLength / 4;
  auto text = [](Bytes prefix, std::size_t unitSize) {  // the prefix up to a 32-bit length
    for (int i = 0; i < 4; ++i) prefix.push_back(static_cast<std::uint8_t>(kLength >> (8 * i)));
    prefix.resize(prefix.size() + kLength * unitSize, 'm');
    return prefix;
  };
  const Bytes oneByte = text({0xFF, 0xFF, 0xFF}, 1);
  const Bytes unicode = text({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF}, 2);
  EXPECT_EXIT(ReadTextWithRoom(oneByte, kRoom), testing::ExitedWithCode(0), "");
  EXPECT_EXIT(ReadTextWithRoom(unicode, kRoom), testing::ExitedWithCode(0), "");

  const CArchiveException error(CArchiveException::Cause::noMemory, "/data/run.vdmm");
  EXPECT_EQ(error.Message(1), u"There is not enough memory to read /data/run.vdmm.");
  EXPECT_EQ(error.Message(0), u"/data/run.vdmm を読み込むためのメモリが足りません。");
}
#endif

TEST(Archive, RoundTripOfEveryType) {
  const Bytes bytes = Stored([](CArchive& a) {
    a << std::uint8_t{7} << std::uint16_t{0xBEEF} << std::int32_t{-123456} << std::uint32_t{4000000000u}
      << std::uint64_t{0x0102030405060708ull} << true << -0.1 << ArchiveRect{-5, 6, 7, -8}
      << CDateTime(45000.25, CDateTime::invalid) << std::u16string(u"メモ\nmemo");
  });
  MemoryFile file(bytes);
  CArchive in(file, CArchive::Mode::load);
  std::uint8_t u8;
  std::uint16_t u16;
  std::int32_t i32;
  std::uint32_t u32;
  std::uint64_t u64;
  bool flag;
  double real;
  ArchiveRect rect;
  CDateTime when;
  std::u16string text;
  in >> u8 >> u16 >> i32 >> u32 >> u64 >> flag >> real >> rect >> when >> text;
  EXPECT_EQ(u8, 7);
  EXPECT_EQ(u16, 0xBEEF);
  EXPECT_EQ(i32, -123456);
  EXPECT_EQ(u32, 4000000000u);
  EXPECT_EQ(u64, 0x0102030405060708ull);
  EXPECT_TRUE(flag);
  EXPECT_EQ(real, -0.1);
  EXPECT_EQ(rect, (ArchiveRect{-5, 6, 7, -8}));
  EXPECT_EQ(when, CDateTime(45000.25, CDateTime::invalid));
  EXPECT_EQ(text, u"メモ\nmemo");
}

TEST(Archive, ValuesCrossTheBufferBoundary) {
  // A small buffer makes every kind of value straddle a refill.
  std::vector<std::u16string> texts;
  for (int i = 0; i < 200; ++i) texts.push_back(Units(static_cast<std::size_t>(i * 7 % 300)));
  MemoryFile out;
  {
    CArchive archive(out, CArchive::Mode::store, 16);
    for (int i = 0; i < 200; ++i) archive << std::int32_t{i} << static_cast<double>(i) / 3 << texts[i];
    archive.Close();
  }
  MemoryFile in(out.Bytes());
  CArchive archive(in, CArchive::Mode::load, 16);
  for (int i = 0; i < 200; ++i) {
    std::int32_t number;
    double real;
    std::u16string text;
    archive >> number >> real >> text;
    ASSERT_EQ(number, i);
    ASSERT_EQ(real, static_cast<double>(i) / 3);
    ASSERT_EQ(text, texts[i]);
  }
}

template <typename T>
CArchiveException::Cause FailureReading(const Bytes& bytes) {
  MemoryFile file(bytes);
  CArchive in(file, CArchive::Mode::load);
  T value{};
  try {
    in >> value;
  } catch (const CArchiveException& error) {
    return error.cause();
  }
  ADD_FAILURE() << "no error";
  return CArchiveException::Cause::generic;
}

TEST(Archive, TruncationInsideEveryValueIsEndOfFile) {
  using C = CArchiveException::Cause;
  EXPECT_EQ(FailureReading<std::int32_t>({1, 2, 3}), C::endOfFile);
  EXPECT_EQ(FailureReading<bool>({}), C::endOfFile);
  EXPECT_EQ(FailureReading<double>({0, 0, 0, 0, 0, 0, 0xF8}), C::endOfFile);
  EXPECT_EQ(FailureReading<ArchiveRect>(Bytes(15, 0)), C::endOfFile);
  EXPECT_EQ(FailureReading<CDateTime>(Bytes(11, 0)), C::endOfFile);
  EXPECT_EQ(FailureReading<std::u16string>({0xFF, 0xFE}), C::endOfFile);                           // inside the marker
  EXPECT_EQ(FailureReading<std::u16string>({0xFF, 0xFE, 0xFF, 0xFF, 0x2C}), C::endOfFile);         // inside the length
  EXPECT_EQ(FailureReading<std::u16string>({0xFF, 0xFE, 0xFF, 0x02, 'a', 0, 'b'}), C::endOfFile);  // inside the text
  EXPECT_EQ(FailureReading<std::u16string>({0x05, 'a'}), C::endOfFile);
}

TEST(Archive, HostileLengthsAreRefusedBeforeAllocation) {
  using C = CArchiveException::Cause;
  // 2^31 - 1 code units declared, four bytes present: refused, not allocated.
  EXPECT_EQ(FailureReading<std::u16string>({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0}),
            C::endOfFile);
  // A 64-bit length above 0x7FFFFFFF is the generic failure.
  EXPECT_EQ(FailureReading<std::u16string>(
                {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0x80, 0, 0, 0, 0}),
            C::generic);
}

TEST(Archive, DirectionIsEnforced) {
  MemoryFile file;
  CArchive out(file, CArchive::Mode::store);
  std::int32_t value;
  try {
    out >> value;
    FAIL() << "read on a storing archive";
  } catch (const CArchiveException& error) {
    EXPECT_EQ(error.cause(), CArchiveException::Cause::writeOnly);
  }
  MemoryFile source(Bytes(4, 0));
  CArchive in(source, CArchive::Mode::load);
  EXPECT_FALSE(in.IsStoring());
  try {
    in << std::int32_t{1};
    FAIL() << "write on a loading archive";
  } catch (const CArchiveException& error) {
    EXPECT_EQ(error.cause(), CArchiveException::Cause::readOnly);
  }
}

TEST(Archive, MessagesNameTheFile) {
  const CArchiveException withPath(CArchiveException::Cause::endOfFile, "/data/run.vdmm");
  EXPECT_EQ(withPath.Message(0), u"/data/run.vdmm の末尾以降にアクセスしようとしました。");
  EXPECT_EQ(withPath.Message(1), u"An attempt was made to access /data/run.vdmm past its end.");
  const CArchiveException unnamed(CArchiveException::Cause::generic, {});
  EXPECT_EQ(unnamed.Message(0), u"無題のファイル へのアクセス中に不明なエラーが発生しました。");
}

TEST(Archive, LargeBlocksGoThroughTheFileInOnePiece) {
  Bytes block(100000);
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(i * 31);
  MemoryFile out;
  {
    CArchive archive(out, CArchive::Mode::store);
    archive << std::int32_t{42};
    archive.Write(block.data(), block.size());
    archive << std::int32_t{43};
    archive.Close();
  }
  ASSERT_EQ(out.Bytes().size(), block.size() + 8);
  MemoryFile in(out.Bytes());
  CArchive archive(in, CArchive::Mode::load);
  std::int32_t first, last;
  Bytes read(block.size());
  archive >> first;
  archive.Read(read.data(), read.size());
  archive >> last;
  EXPECT_EQ(first, 42);
  EXPECT_EQ(read, block);
  EXPECT_EQ(last, 43);
}

}  // namespace
