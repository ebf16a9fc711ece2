// The archive tool as a player's modder would use it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/fuzz_entries.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

struct Result {
  int status;
  std::string out;
};

Result Splpack(const std::string& args) {
  const std::string command =
      (fs::path(NAUVREL_BINARY_DIR) / "splpack").string() + " " + args + " 2>&1";
  Result r{-1, {}};
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return r;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) r.out.append(buffer, n);
  const int status = pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

void Write(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

std::string Read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(Splpack, CreateListExtractGivesTheSameTreeByteForByte) {
  TempDir dir;
  const fs::path in = dir.path / "in";
  Write(in / "Zvuk/Bonus.wav", std::string("RIFF\0\x01\x02", 7));
  Write(in / "Grafika/Game.bmp", std::string(1000, 'g'));
  Write(in / "Grafika8/Game.gif", "gif");
  Write(in / "empty", "");
  const std::string archive = (dir.path / "a.spl").string();
  ASSERT_EQ(Splpack("create " + archive + " " + in.string()).status, 0);
  const std::string first = Read(archive);
  ASSERT_EQ(Splpack("create " + archive + " " + in.string()).status, 0);
  EXPECT_EQ(Read(archive), first);  // deterministic

  const Result list = Splpack("list " + archive);
  EXPECT_EQ(list.status, 0);
  // Names in byte order; data right behind the directory, in the same order.
  // The root, three directories of one file each, one file, and the end tags.
  const size_t directory = 256 + 3 * (256 + 264 + 1) + 264 + 1;
  const std::string expected = "Grafika/Game.bmp\t1000\t" + std::to_string(directory) +
                               "\nGrafika8/Game.gif\t3\t" + std::to_string(directory + 1000) +
                               "\nZvuk/Bonus.wav\t7\t" + std::to_string(directory + 1003) +
                               "\nempty\t0\t" + std::to_string(directory + 1010) + "\n";
  EXPECT_EQ(list.out, expected);

  ASSERT_EQ(Splpack("extract " + archive + " " + (dir.path / "out").string()).status, 0);
  for (const char* name : {"Zvuk/Bonus.wav", "Grafika/Game.bmp", "Grafika8/Game.gif", "empty"})
    EXPECT_EQ(Read(dir.path / "out" / name), Read(in / name)) << name;
}

TEST(Splpack, BrokenArchivesAreRefusedWithStatusOneAndNothingWritten) {
  TempDir dir;
  Write(dir.path / "in/x.txt", "x");
  const std::string good = (dir.path / "good.spl").string();
  ASSERT_EQ(Splpack("create " + good + " " + (dir.path / "in").string()).status, 0);
  const std::string bytes = Read(good);
  Write(dir.path / "cut.spl", bytes.substr(0, bytes.size() - 2));  // lacks the root's 'e'
  Write(dir.path / "empty.spl", "");
  for (const char* name : {"cut.spl", "empty.spl", "missing.spl"}) {
    const fs::path archive = dir.path / name;
    const Result list = Splpack("list " + archive.string());
    EXPECT_EQ(list.status, 1) << name;
    EXPECT_NE(list.out.find(name), std::string::npos) << list.out;
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 1) << list.out;
    EXPECT_EQ(Splpack("extract " + archive.string() + " " + (dir.path / "out").string()).status, 1);
    EXPECT_FALSE(fs::exists(dir.path / "out"));
  }
  EXPECT_EQ(Splpack("frobnicate").status, 1);
}

TEST(Splpack, MembersThatWouldEscapeTheFolderAreRefused) {
  TempDir dir;
  Write(dir.path / "in/dd/x", "x");
  const std::string archive = (dir.path / "a.spl").string();
  ASSERT_EQ(Splpack("create " + archive + " " + (dir.path / "in").string()).status, 0);
  std::string bytes = Read(archive);
  bytes.replace(257, 2, "..");  // the directory "dd" becomes ".."
  Write(archive, bytes);
  EXPECT_EQ(Splpack("extract " + archive + " " + (dir.path / "out").string()).status, 1);
  EXPECT_FALSE(fs::exists(dir.path / "x"));
}

TEST(ArchiveFuzzCorpus, EverySeedRunsThroughTheReader) {
  const fs::path corpus = fs::path(NAUVREL_SOURCE_DIR) / "tests/fuzz/corpus/archive";
  int seeds = 0;
  for (const auto& entry : fs::directory_iterator(corpus)) {
    const std::string bytes = Read(entry.path());
    FuzzArchiveReader(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    ++seeds;
  }
  EXPECT_GE(seeds, 5);
}
