// The archive tool as a player's modder would use it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "raw_archive.h"
#include "support/command.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

CommandResult RunSplpack(const std::string& args) {
  return RunCommand((fs::path(NAUVREL_BINARY_DIR) / "splpack").string() + " " + args);
}

// A refusal is status 1 and one line that names what was refused.
void ExpectRefused(const CommandResult& result, const std::string& name) {
  EXPECT_EQ(result.status, 1) << result.output;
  EXPECT_NE(result.output.find(name), std::string::npos) << result.output;
  EXPECT_EQ(std::count(result.output.begin(), result.output.end(), '\n'), 1) << result.output;
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
  CommandResult Create(const std::string& archive, const std::string& folder) {
    return RunSplpack("create " + Path(archive) + " " + Path(folder));
  }
  CommandResult List(const std::string& archive) { return RunSplpack("list " + Path(archive)); }
  CommandResult Extract(const std::string& archive, const std::string& folder = "out") {
    return RunSplpack("extract " + Path(archive) + " " + Path(folder));
  }
};

}  // namespace

// Empty folders come back, and an archive written inside the folder is not put into itself.
TEST_F(Splpack, CreateListExtractGivesTheSameTreeByteForByte) {
  WriteFile(dir.path / "in/Zvuk/Bonus.wav", std::string("RIFF\0\x01\x02", 7));
  WriteFile(dir.path / "in/Grafika/Game.bmp", std::string(1000, 'g'));
  WriteFile(dir.path / "in/Grafika8/Game.gif", "gif");
  WriteFile(dir.path / "in/empty", "");
  fs::create_directories(dir.path / "in/Grafika8/nothing");
  fs::create_directories(dir.path / "in/nothing");
  ASSERT_EQ(Create("in/self.spl", "in").status, 0);
  const std::string first = ReadFile(Path("in/self.spl"));
  ASSERT_EQ(Create("in/self.spl", "in").status, 0);  // now inside the folder
  EXPECT_EQ(ReadFile(Path("in/self.spl")), first);   // and deterministic

  // Names in byte order; data right behind the directory, in the same order: the root,
  // three directories of one file each, two empty ones, one file, and the end tags.
  const size_t directory = 256 + 3 * (256 + 264 + 1) + 2 * (256 + 1) + 264 + 1;
  const CommandResult list = List("in/self.spl");
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.output, "Grafika/Game.bmp\t1000\t" + std::to_string(directory) +
                             "\nGrafika8/Game.gif\t3\t" + std::to_string(directory + 1000) +
                             "\nZvuk/Bonus.wav\t7\t" + std::to_string(directory + 1003) +
                             "\nempty\t0\t" + std::to_string(directory + 1010) + "\n");
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

// A name holding a TAB, a newline, a backslash or another control byte still lists as one
// line of three fields; extract writes only what a lookup of the game's reaches, and bytes
// missing from the file as zeros.
TEST_F(Splpack, ListEscapesOddBytesAndExtractWritesWhatALookupReaches) {
  RawArchive odd;
  odd.Dir("").Dir("a\tb").File("c\nd", "1").End().File("e\\f\x01\x7f\xc8", "22").End();
  WriteFile(Path("odd.spl"), odd.Build());
  const CommandResult list = List("odd.spl");
  ASSERT_EQ(list.status, 0);
  const size_t directory = 256 + 256 + 264 + 1 + 264 + 1;
  EXPECT_EQ(list.output, "a\\tb/c\\nd\t1\t" + std::to_string(directory) +
                             "\ne\\\\f\\x01\\x7f\xc8\t2\t" + std::to_string(directory + 1) + "\n");
  EXPECT_NE(RunSplpack("").output.find("\\xHH"), std::string::npos);

  RawArchive r;
  r.Dir("any root name").Dir("Zvuk").File("Bonus.wav", "old").End();
  r.Dir("Zvuk").File("Hidden.wav", "hidden").End();  // the later "Zvuk" hides the first
  r.File("a/b", "slash").File("", "nameless").Dir("").File("x", "unreachable").End();
  r.File("far", 3, 0x7FFFFFF0).File("short", "xy", 5).End();  // 2 of its 5 bytes there
  WriteFile(Path("reach.spl"), r.Build());
  const CommandResult extract = Extract("reach.spl");
  ASSERT_EQ(extract.status, 0) << extract.output;
  const std::map<std::string, std::string> want = {{"Zvuk", "<dir>"},
                                                   {"Zvuk/Hidden.wav", "hidden"},
                                                   {"far", std::string(3, '\0')},
                                                   {"short", std::string("xy\0\0\0", 5)}};
  EXPECT_EQ(Tree(dir.path / "out"), want);
  EXPECT_EQ(Create("again.spl", "out").status, 0);  // what was extracted packs again
}

// A broken, cut or missing archive, members that would escape the folder or clash with a
// folder, sizes no disk should be asked for (4 GiB in one member; 200 of 200 MiB past the
// end of the file): one line naming what was refused, status 1, and nothing written.
TEST_F(Splpack, RefusalsAreOneLineWithStatusOneAndWriteNothing) {
  RawArchive good, up, clash, huge, many;
  good.Dir("").Dir("Zvuk").File("Bonus.wav", "RIFF").End().End();
  const std::vector<uint8_t> cut(good.b.begin(), good.b.end() - 1);
  up.Dir("").Dir("..").File("x", "x").End().End();
  clash.Dir("").File("first", "1").File("Zvuk", "file").Dir("Zvuk").File("b", "2").End().End();
  huge.Dir("").File("ok", 1, 0).File("huge", 0xFFFFFFFF, 0).End();
  many.Dir("");
  for (int i = 0; i < 200; ++i) many.File("m" + std::to_string(i), 200u << 20, 0);
  many.End();
  // The archive, its bytes (none: no file), whether it lists, the name a refusal gives.
  const std::tuple<const char*, std::optional<std::vector<uint8_t>>, bool, const char*> cases[] = {
      {"empty.spl", std::vector<uint8_t>{}, false, "empty.spl"},
      {"cut.spl", cut, false, "cut.spl"},
      {"missing.spl", std::nullopt, false, "missing.spl"},
      {"up.spl", up.Build(), true, ".."},
      {"clash.spl", clash.Build(), true, "Zvuk"},
      {"huge.spl", huge.b, true, "huge.spl"},
      {"many.spl", many.b, true, "many.spl"}};
  for (const auto& [name, bytes, lists, named] : cases) {
    SCOPED_TRACE(name);
    if (bytes) WriteFile(Path(name), *bytes);
    if (lists)
      EXPECT_EQ(List(name).status, 0);  // listing is harmless
    else
      ExpectRefused(List(name), name);
    const std::string out = std::string(name) + ".out";
    ExpectRefused(Extract(name, out), named);
    EXPECT_FALSE(fs::exists(Path(out)));
  }
  EXPECT_FALSE(fs::exists(Path("x")));
}
