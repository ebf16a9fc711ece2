// The archive tool as a player's modder would use it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "raw_archive.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

struct Result {
  int status;
  std::string out;
};

Result RunSplpack(const std::string& args) {
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

// A refusal is status 1 and one line that names what was refused.
void ExpectRefused(const Result& result, const std::string& name) {
  EXPECT_EQ(result.status, 1) << result.out;
  EXPECT_NE(result.out.find(name), std::string::npos) << result.out;
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 1) << result.out;
}

// Every regular file and folder under the root, with the contents of the files.
std::map<std::string, std::string> Tree(const fs::path& root) {
  std::map<std::string, std::string> tree;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    const std::string rel = e.path().lexically_relative(root).generic_string();
    tree[rel] = e.is_directory() ? "<dir>" : ReadFile(e.path());
  }
  return tree;
}

class Splpack : public ::testing::Test {
 protected:
  TempDir dir;
  std::string Path(const std::string& name) const { return (dir.path / name).string(); }
  Result Create(const std::string& archive, const std::string& folder) {
    return RunSplpack("create " + Path(archive) + " " + Path(folder));
  }
  Result List(const std::string& archive) { return RunSplpack("list " + Path(archive)); }
  Result Extract(const std::string& archive, const std::string& folder = "out") {
    return RunSplpack("extract " + Path(archive) + " " + Path(folder));
  }
};

}  // namespace

TEST_F(Splpack, CreateListExtractGivesTheSameTreeByteForByte) {
  WriteFile(dir.path / "in/Zvuk/Bonus.wav", std::string("RIFF\0\x01\x02", 7));
  WriteFile(dir.path / "in/Grafika/Game.bmp", std::string(1000, 'g'));
  WriteFile(dir.path / "in/Grafika8/Game.gif", "gif");
  WriteFile(dir.path / "in/empty", "");
  ASSERT_EQ(Create("a.spl", "in").status, 0);
  const std::string first = ReadFile(Path("a.spl"));
  ASSERT_EQ(Create("a.spl", "in").status, 0);
  EXPECT_EQ(ReadFile(Path("a.spl")), first);  // deterministic

  const Result list = List("a.spl");
  EXPECT_EQ(list.status, 0);
  // Names in byte order; data right behind the directory, in the same order.
  // The root, three directories of one file each, one file, and the end tags.
  const size_t directory = 256 + 3 * (256 + 264 + 1) + 264 + 1;
  const std::string expected = "Grafika/Game.bmp\t1000\t" + std::to_string(directory) +
                               "\nGrafika8/Game.gif\t3\t" + std::to_string(directory + 1000) +
                               "\nZvuk/Bonus.wav\t7\t" + std::to_string(directory + 1003) +
                               "\nempty\t0\t" + std::to_string(directory + 1010) + "\n";
  EXPECT_EQ(list.out, expected);

  ASSERT_EQ(Extract("a.spl").status, 0);
  EXPECT_EQ(Tree(dir.path / "out"), Tree(dir.path / "in"));
}

TEST_F(Splpack, EmptyFoldersComeBackAndTheArchiveIsNotPutIntoItself) {
  fs::create_directories(dir.path / "in/Grafika8/empty");
  fs::create_directories(dir.path / "in/nothing");
  WriteFile(dir.path /
                "in/Grafika/\xC8"
                "esky.bmp",
            "bmp");
  WriteFile(dir.path / "in/b\\c", "backslash");
  ASSERT_EQ(Create("in/self.spl", "in").status, 0);
  const std::string first = ReadFile(Path("in/self.spl"));
  ASSERT_EQ(Create("in/self.spl", "in").status, 0);  // now inside the folder
  EXPECT_EQ(ReadFile(Path("in/self.spl")), first);
  ASSERT_EQ(Extract("in/self.spl").status, 0);
  std::map<std::string, std::string> want = Tree(dir.path / "in");
  want.erase("self.spl");
  EXPECT_EQ(Tree(dir.path / "out"), want);
}

// Create refuses, before writing anything, whatever the game's reader would refuse; what
// it accepts up to those bounds lists and extracts again.
TEST_F(Splpack, CreateRefusesWhatTheReaderWouldRefuseAndNothingLess) {
  std::string deep = "in";
  for (int i = 0; i < 64; ++i) deep += "/d";
  WriteFile(dir.path / deep / std::string(255, 'n'), "the whole field");
  ASSERT_EQ(Create("a.spl", "in").status, 0);
  EXPECT_EQ(List("a.spl").status, 0);
  ASSERT_EQ(Extract("a.spl").status, 0);
  EXPECT_EQ(ReadFile(dir.path / ("out" + deep.substr(2)) / std::string(255, 'n')),
            "the whole field");

  fs::create_directories(dir.path / deep / "d");  // 65 deep
  ExpectRefused(Create("b.spl", "in"), "deeper than 64");
  fs::remove(dir.path / deep / "d");
  WriteFile(dir.path / "in/big", "");
  fs::resize_file(dir.path / "in/big", (256u << 20) + 1);  // sparse, and refused unread
  ExpectRefused(Create("b.spl", "in"), "big");
  ExpectRefused(Create("b.spl", "missing"), "missing");
  EXPECT_FALSE(fs::exists(Path("b.spl")));
  EXPECT_EQ(RunSplpack("frobnicate").status, 1);
}

// A name holding a TAB, a newline, a backslash or another control byte still lists as
// one line of three fields.
TEST_F(Splpack, ListEscapesTheBytesThatWouldBreakItsLines) {
  RawArchive r;
  r.Dir("").Dir("a\tb").File("c\nd", "1").End().File("e\\f\x01\x7f\xc8", "22").End();
  WriteFile(Path("odd.spl"), r.Build());
  const Result list = List("odd.spl");
  ASSERT_EQ(list.status, 0);
  const std::string directory = std::to_string(256 + 256 + 264 + 1 + 264 + 1);
  EXPECT_EQ(list.out, "a\\tb/c\\nd\t1\t" + directory + "\ne\\\\f\\x01\\x7f\xc8\t2\t" +
                          std::to_string(std::stoi(directory) + 1) + "\n");
  EXPECT_NE(RunSplpack("").out.find("\\xHH"), std::string::npos);
}

// The listing of such an archive is the record walk's, tested with the reader; what the
// tool adds is which of the records it writes out.
TEST_F(Splpack, ExtractsOnlyWhatALookupReaches) {
  RawArchive r;
  r.Dir("any root name").File("z.txt", "zzz").Dir("Zvuk").File("Bonus.wav", "old");
  r.File("Bonus.wav", "new").End();
  r.Dir("Zvuk").File("Hidden.wav", "hidden").End();  // the later "Zvuk" hides the first
  r.File("a\\b", "backslash").File("a/b", "slash").File("", "nameless");
  r.Dir("").File("x", "unreachable").End();
  r.Dir("Empty").End().End();
  WriteFile(Path("odd.spl"), r.Build());
  const Result extract = Extract("odd.spl");
  ASSERT_EQ(extract.status, 0) << extract.out;
  const std::map<std::string, std::string> want = {{"z.txt", "zzz"},
                                                   {"Zvuk", "<dir>"},
                                                   {"Zvuk/Hidden.wav", "hidden"},
                                                   {"a\\b", "backslash"},
                                                   {"Empty", "<dir>"}};
  EXPECT_EQ(Tree(dir.path / "out"), want);
  // What was extracted packs again.
  EXPECT_EQ(Create("again.spl", "out").status, 0);
}

TEST_F(Splpack, MissingBytesAreExtractedAsZerosAndAbsurdSizesAreRefused) {
  RawArchive r;
  r.Dir("").File("far", 3, 0x7FFFFFF0).File("short", "xy", 5).End();  // 2 of its 5 bytes
  WriteFile(Path("short.spl"), r.Build());
  ASSERT_EQ(Extract("short.spl").status, 0);
  EXPECT_EQ(ReadFile(Path("out/short")), std::string("xy\0\0\0", 5));
  EXPECT_EQ(ReadFile(Path("out/far")), std::string(3, '\0'));

  // 4 GiB claimed by one member; 200 members of 200 MiB each past the end of the file.
  RawArchive huge;
  huge.Dir("").File("ok", 1, 0).File("huge", 0xFFFFFFFF, 0).End();
  RawArchive many;
  many.Dir("");
  for (int i = 0; i < 200; ++i) many.File("m" + std::to_string(i), 200u << 20, 0);
  many.End();
  for (const auto& [name, raw] : {std::pair{"huge.spl", huge.b}, std::pair{"many.spl", many.b}}) {
    WriteFile(Path(name), raw);
    EXPECT_EQ(List(name).status, 0) << name;  // listing is harmless
    ExpectRefused(Extract(name, std::string(name) + ".out"), name);
    EXPECT_FALSE(fs::exists(Path(std::string(name) + ".out")));
  }
}

TEST_F(Splpack, MembersThatWouldEscapeOrClashAreRefusedBeforeAnythingIsWritten) {
  RawArchive up;
  up.Dir("").Dir("..").File("x", "x").End().End();
  WriteFile(Path("up.spl"), up.Build());
  EXPECT_EQ(Extract("up.spl").status, 1);
  EXPECT_FALSE(fs::exists(Path("x")));

  RawArchive clash;
  clash.Dir("").File("first", "1").File("Zvuk", "file").Dir("Zvuk").File("b", "2").End().End();
  WriteFile(Path("clash.spl"), clash.Build());
  const Result extract = Extract("clash.spl");
  EXPECT_EQ(extract.status, 1);
  EXPECT_NE(extract.out.find("Zvuk"), std::string::npos) << extract.out;
  EXPECT_FALSE(fs::exists(Path("out")));
}

// The game's reader judges the archive (its own tests go through every kind of damage);
// the tool reports what it refused in one line and writes nothing.
TEST_F(Splpack, ABrokenOrMissingArchiveIsRefusedWithOneLineAndStatusOne) {
  RawArchive r;
  r.Dir("").Dir("Zvuk").File("Bonus.wav", "RIFF").End().End();
  const std::vector<uint8_t> good = r.Build();
  WriteFile(Path("empty.spl"), "");
  WriteFile(Path("cut.spl"), std::vector<uint8_t>(good.begin(), good.begin() + r.b.size() - 1));
  for (const char* name : {"empty.spl", "cut.spl", "missing.spl"}) {
    ExpectRefused(List(name), name);
    ExpectRefused(Extract(name), name);
    EXPECT_FALSE(fs::exists(Path("out"))) << name;
  }
}
