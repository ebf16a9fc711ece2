// The archive tool as a player's modder would use it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fs/spl_tree.h"
#include "raw_archive.h"
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
  // What the reader says of the seeds that stand for a case; others only must not crash.
  const std::map<std::string, bool> verdicts = {
      {"minimal.arc", true},     {"small.arc", true},  {"deep64.arc", true},
      {"interleaved.arc", true}, {"tail.arc", true},   {"absurd.arc", true},
      {"badtag.arc", false},     {"nested.arc", false}, {"truncated.arc", false}};
  int seeds = 0;
  for (const auto& entry : fs::directory_iterator(corpus)) {
    std::string bytes = Read(entry.path());
    FuzzArchiveReader(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    ++seeds;
    const auto verdict = verdicts.find(entry.path().filename().string());
    if (verdict == verdicts.end()) continue;
    FILE* stream = fmemopen(bytes.data(), bytes.size(), "rb");
    ASSERT_TRUE(stream);
    TSPLDir* root = FS_ReadDir(stream);
    EXPECT_EQ(root != nullptr, verdict->second) << entry.path();
    FS_FreeDir(root);
    std::fclose(stream);
  }
  EXPECT_GE(seeds, static_cast<int>(verdicts.size()));
}

// ---- archives no writer of ours would make ---------------------------------------------


namespace {

void WriteBytes(const fs::path& p, const std::vector<uint8_t>& bytes) {
  Write(p, std::string(bytes.begin(), bytes.end()));
}

// Every regular file and folder under the root, with the contents of the files.
std::map<std::string, std::string> Tree(const fs::path& root) {
  std::map<std::string, std::string> tree;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    const std::string rel = e.path().lexically_relative(root).generic_string();
    tree[rel] = e.is_directory() ? "<dir>" : Read(e.path());
  }
  return tree;
}

}  // namespace

TEST(Splpack, ListsEveryRecordInFileOrderAndExtractsOnlyWhatALookupReaches) {
  TempDir dir;
  RawArchive r;
  r.Dir("any root name").File("z.txt", "zzz").Dir("Zvuk").File("Bonus.wav", "old");
  r.File("Bonus.wav", "new").End();
  r.Dir("Zvuk").File("Hidden.wav", "hidden").End();  // the later "Zvuk" hides the first
  r.File("a\\b", "backslash").File("a/b", "slash").File("", "nameless");
  r.Dir("").File("x", "unreachable").End();
  r.Dir("Empty").End().End();
  const std::vector<uint8_t> bytes = r.Build();
  const std::string archive = (dir.path / "odd.spl").string();
  WriteBytes(archive, bytes);

  const Result list = Splpack("list " + archive);
  ASSERT_EQ(list.status, 0) << list.out;
  std::string expected;
  size_t offset = r.b.size();
  for (const auto& [path, data] :
       std::vector<std::pair<std::string, std::string>>{{"z.txt", "zzz"},
                                                        {"Zvuk/Bonus.wav", "old"},
                                                        {"Zvuk/Bonus.wav", "new"},
                                                        {"Zvuk/Hidden.wav", "hidden"},
                                                        {"a\\b", "backslash"},
                                                        {"a/b", "slash"},
                                                        {"", "nameless"},
                                                        {"/x", "unreachable"}}) {
    expected += path + "\t" + std::to_string(data.size()) + "\t" + std::to_string(offset) + "\n";
    offset += data.size();
  }
  EXPECT_EQ(list.out, expected);

  const fs::path out = dir.path / "out";
  const Result extract = Splpack("extract " + archive + " " + out.string());
  ASSERT_EQ(extract.status, 0) << extract.out;
  const std::map<std::string, std::string> want = {{"z.txt", "zzz"},
                                                   {"Zvuk", "<dir>"},
                                                   {"Zvuk/Hidden.wav", "hidden"},
                                                   {"a\\b", "backslash"},
                                                   {"Empty", "<dir>"}};
  EXPECT_EQ(Tree(out), want);
}

TEST(Splpack, MissingBytesAreExtractedAsZerosAndAbsurdSizesAreRefused) {
  TempDir dir;
  RawArchive r;
  r.Dir("").File("short", 5, 0).File("far", 3, 0x7FFFFFF0).End();
  std::vector<uint8_t> bytes = r.b;
  const uint32_t at = static_cast<uint32_t>(bytes.size());
  for (int i = 0; i < 4; ++i) bytes[256 + 256 + 4 + i] = static_cast<uint8_t>(at >> (8 * i));
  bytes.push_back('x');
  bytes.push_back('y');  // "short" has 2 of its 5 bytes
  const std::string archive = (dir.path / "short.spl").string();
  WriteBytes(archive, bytes);
  ASSERT_EQ(Splpack("extract " + archive + " " + (dir.path / "out").string()).status, 0);
  EXPECT_EQ(Read(dir.path / "out/short"), std::string("xy\0\0\0", 5));
  EXPECT_EQ(Read(dir.path / "out/far"), std::string(3, '\0'));

  // 4 GiB claimed by one member; 200 members of 200 MiB each past the end of the file.
  RawArchive huge;
  huge.Dir("").File("ok", 1, 0).File("huge", 0xFFFFFFFF, 0).End();
  RawArchive many;
  many.Dir("");
  for (int i = 0; i < 200; ++i) many.File("m" + std::to_string(i), 200u << 20, 0);
  many.End();
  for (const auto& [name, raw] : {std::pair{"huge.spl", huge.b}, std::pair{"many.spl", many.b}}) {
    const fs::path path = dir.path / name;
    WriteBytes(path, raw);
    EXPECT_EQ(Splpack("list " + path.string()).status, 0) << name;  // listing is harmless
    const Result extract = Splpack("extract " + path.string() + " " + (dir.path / name).string() +
                                   ".out");
    EXPECT_EQ(extract.status, 1) << name;
    EXPECT_NE(extract.out.find(name), std::string::npos) << extract.out;
    EXPECT_EQ(std::count(extract.out.begin(), extract.out.end(), '\n'), 1) << extract.out;
    EXPECT_FALSE(fs::exists(dir.path / (std::string(name) + ".out")));
  }
}

TEST(Splpack, AFileAndAFolderOfOneNameAreRefusedBeforeAnythingIsWritten) {
  TempDir dir;
  RawArchive r;
  r.Dir("").File("first", "1").File("Zvuk", "file").Dir("Zvuk").File("b", "2").End().End();
  const fs::path archive = dir.path / "clash.spl";
  WriteBytes(archive, r.Build());
  const Result extract = Splpack("extract " + archive.string() + " " + (dir.path / "out").string());
  EXPECT_EQ(extract.status, 1);
  EXPECT_NE(extract.out.find("Zvuk"), std::string::npos) << extract.out;
  EXPECT_FALSE(fs::exists(dir.path / "out"));
}

TEST(Splpack, EveryBrokenArchiveIsRefusedWithOneLineAndStatusOne) {
  TempDir dir;
  RawArchive r;
  r.Dir("").Dir("Zvuk").File("Bonus.wav", "RIFF").End().End();
  const std::vector<uint8_t> good = r.Build();
  std::vector<std::pair<std::string, std::vector<uint8_t>>> broken;
  for (size_t n : {size_t{0}, size_t{1}, size_t{200}, size_t{256}, size_t{300}, size_t{770},
                   r.b.size() - 1})
    broken.emplace_back("cut" + std::to_string(n) + ".spl",
                        std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(n)));
  std::vector<uint8_t> badTag = good;
  badTag[512] = 'F';
  broken.emplace_back("badtag.spl", badTag);
  std::vector<uint8_t> notDir = good;
  notDir[0] = 'f';
  broken.emplace_back("notdir.spl", notDir);
  RawArchive deep;
  for (int i = 0; i < 1000; ++i) deep.Dir("d");
  for (int i = 0; i < 1000; ++i) deep.End();
  broken.emplace_back("deep.spl", deep.b);
  for (const auto& [name, bytes] : broken) {
    const fs::path archive = dir.path / name;
    WriteBytes(archive, bytes);
    for (const std::string& command : {"list " + archive.string(),
                                      "extract " + archive.string() + " " + (dir.path / "out").string()}) {
      const Result result = Splpack(command);
      EXPECT_EQ(result.status, 1) << command;
      EXPECT_NE(result.out.find(name), std::string::npos) << result.out;
      EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 1) << result.out;
    }
    EXPECT_FALSE(fs::exists(dir.path / "out")) << name;
  }
}

TEST(Splpack, EmptyFoldersComeBackAndTheArchiveIsNotPutIntoItself) {
  TempDir dir;
  const fs::path in = dir.path / "in";
  fs::create_directories(in / "Grafika8/empty");
  fs::create_directories(in / "nothing");
  Write(in / "Grafika/\xC8" "esky.bmp", "bmp");
  Write(in / "b\\c", "backslash");
  const std::string archive = (in / "self.spl").string();
  ASSERT_EQ(Splpack("create " + archive + " " + in.string()).status, 0);
  const std::string first = Read(archive);
  ASSERT_EQ(Splpack("create " + archive + " " + in.string()).status, 0);  // now inside DIR
  EXPECT_EQ(Read(archive), first);
  ASSERT_EQ(Splpack("extract " + archive + " " + (dir.path / "out").string()).status, 0);
  std::map<std::string, std::string> want = Tree(in);
  want.erase("self.spl");
  EXPECT_EQ(Tree(dir.path / "out"), want);
}

TEST(Splpack, CreateRefusesWhatTheFormatCannotHold) {
  TempDir dir;
  Write(dir.path / "in" / std::string(255, 'n'), "long name");  // the field holds 254
  const Result tooLong = Splpack("create " + (dir.path / "a.spl").string() + " " +
                                 (dir.path / "in").string());
  EXPECT_EQ(tooLong.status, 1);
  EXPECT_EQ(std::count(tooLong.out.begin(), tooLong.out.end(), '\n'), 1) << tooLong.out;
  EXPECT_FALSE(fs::exists(dir.path / "a.spl"));
  const Result noDir = Splpack("create " + (dir.path / "b.spl").string() + " " +
                               (dir.path / "missing").string());
  EXPECT_EQ(noDir.status, 1);
  EXPECT_NE(noDir.out.find("missing"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir.path / "b.spl"));
}
