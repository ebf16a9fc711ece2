// Files through the file system: archives newest first, then the disk; the archive's
// directory, paths resolved in it, and the archive tool's record walk judging every input as
// the reader does; and the archive tool as a player's modder would use it.
#include "fs/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "fs/spl_records.h"
#include "fs/spl_tree.h"
#include "fs/spl_writer.h"
#include "fs/tfile.h"
#include "support/command.h"
#include "support/files.h"
#include "support/temp_dir.h"

using namespace std::string_literals;

namespace {

// Archives record by record, for layouts that no writer of ours makes: any order, equal
// names, names with odd bytes, sizes and offsets of any value, cuts anywhere.
struct RawArchive {
  std::vector<uint8_t> b;
  // Members whose data Build() appends behind the records: where their offset stands.
  std::vector<std::pair<size_t, std::string>> pending;

  RawArchive& Dir(const std::string& name) { return Named('d', name); }
  RawArchive& End() {
    b.push_back('e');
    return *this;
  }
  RawArchive& File(const std::string& name, uint32_t size, uint32_t offset) {
    Named('f', name);
    Put(size);
    Put(offset);
    return *this;
  }
  // A file record whose data Build() places behind everything written so far; it claims
  // `size` bytes, by default as many as `data` holds.
  RawArchive& File(const std::string& name, const std::string& data, int64_t size = -1) {
    File(name, static_cast<uint32_t>(size < 0 ? data.size() : size), 0);
    pending.emplace_back(b.size() - 4, data);
    return *this;
  }
  // The name field holds the name's bytes, then zeros up to 255 (or is cut at 255).
  RawArchive& Named(char tag, const std::string& name) {
    b.push_back(static_cast<uint8_t>(tag));
    const size_t at = b.size();
    b.resize(at + 255, 0);
    name.copy(reinterpret_cast<char*>(b.data() + at), 255);
    return *this;
  }
  void Put(uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  // The records with the pending members' data behind them, offsets filled in.
  std::vector<uint8_t> Build() const {
    std::vector<uint8_t> out = b;
    for (const auto& [at, data] : pending) {
      const auto offset = static_cast<uint32_t>(out.size());
      for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(offset >> (8 * i));
      out.insert(out.end(), data.begin(), data.end());
    }
    return out;
  }
};

// The bytes as an archive stream, read by the game's reader and by the record walk.
struct Judged {
  std::vector<uint8_t> bytes;
  TSPLArchive archive;
  bool listed = false;
  std::vector<SplRecord> records;
  explicit Judged(std::vector<uint8_t> data) : bytes(std::move(data)) {
    if (bytes.empty()) bytes.reserve(1);  // fmemopen wants a buffer even for no bytes
    archive.stream = fmemopen(bytes.data(), bytes.size(), "rb");
    if (!archive.stream) return;
    archive.root = FS_ReadDir(archive.stream);
    std::fseek(archive.stream, 0, SEEK_SET);
    listed = ListSplRecords(archive.stream, records);
  }
  ~Judged() {
    FS_FreeDir(archive.root);
    if (archive.stream) std::fclose(archive.stream);
  }
  bool accepted() const { return archive.root != nullptr; }
  std::string Read(const char* path) {
    auto file = FS_OpenInArchive(&archive, archive.root, path);
    if (!file) return "<none>";
    std::string out(file->GetSize(), '\0');
    out.resize(file->Read(reinterpret_cast<uint8_t*>(out.data()), file->GetSize()));
    return out;
  }
};

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

std::string Text(const GlobalBlock& block) {
  auto bytes = block.Lock();
  return std::string(bytes.begin(), bytes.end());
}

// Runs in a folder of its own, as the game runs in its working directory.
class FileSystemTest : public ::testing::Test {
 protected:
  InTempDir here;
  void SetUp() override { ASSERT_NE(FileSystem.Files = FS_Init(), nullptr); }
  void TearDown() override { FS_Done(std::exchange(FileSystem.Files, nullptr)); }
  static void Archive(const char* name, const std::vector<uint8_t>& bytes) {
    WriteFile(name, bytes);
    ASSERT_TRUE(FS_LoadSPL(FileSystem.Files, name));
  }
  static void Archive(const char* name, const SplFiles& files) {
    Archive(name, WriteSplArchive(files));
  }
};

void ExpectVerdict(const std::vector<uint8_t>& bytes, bool accepted, const std::string& what) {
  Judged j(bytes);
  EXPECT_EQ(j.accepted(), accepted) << what;
  EXPECT_EQ(j.listed, accepted) << what;
}

}  // namespace

TEST_F(FileSystemTest, ArchivesNewestFirstThenTheDiskAndABadArchiveChangesNothing) {
  WriteFile("Zvuk/Bonus.wav", "disk");
  WriteFile("Loose.txt", "loose");
  Archive("first.spl", {{"Zvuk/Bonus.wav", Bytes("first")}, {"Only.txt", Bytes("only")}});
  EXPECT_EQ(Text(sysLoadFile("Zvuk/Bonus.wav")), "first");
  Archive("second.spl", {{"Zvuk/Bonus.wav", Bytes("second")}});
  WriteFile("bad.spl", "dnot an archive");
  for (const char* bad : {"bad.spl", "missing.spl", static_cast<const char*>(nullptr)})
    EXPECT_FALSE(FS_LoadSPL(FileSystem.Files, bad));
  EXPECT_EQ(Text(sysLoadFile("Zvuk/Bonus.wav")), "second");
  EXPECT_EQ(Text(sysLoadFile("Only.txt")), "only");
  EXPECT_EQ(Text(sysLoadFile("Loose.txt")), "loose");  // the disk adds files
  EXPECT_FALSE(sysLoadFile("Missing.txt"));
  EXPECT_FALSE(sysLoadFile(nullptr));
  // Without a file system only the disk is asked.
  EXPECT_TRUE(FS_Open(nullptr, "Loose.txt"));
  EXPECT_FALSE(FS_Open(nullptr, "Only.txt"));
}

// Members keep their own places and read only what remains. A disk file's stream closes
// with the file, a member leaves the archive's open; the game's load asks a disk file its
// size before reading it, which must keep its place.
TEST_F(FileSystemTest, FilesReadToTheirEndAndCloseLikeTheirStreams) {
  WriteFile("disk.bin", "0123456789");
  Archive("game.spl", {{"one", Bytes("0123456789")}, {"two", Bytes("abcdefghij")}});
  auto one = FS_Open(FileSystem.Files, "one");
  auto two = FS_Open(FileSystem.Files, "two");
  ASSERT_TRUE(one && two);
  uint8_t buffer[16] = {};
  EXPECT_EQ(one->Read(buffer, 4) + two->Read(buffer + 4, 4), 8u);
  EXPECT_EQ(one->Read(buffer + 8, 100), 6u);  // only what remains
  EXPECT_EQ(one->Read(buffer + 14, 1), 0u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 14), "0123abcd456789");

  EXPECT_FALSE(FS_OpenDisk("missing.bin") || FS_OpenDisk(nullptr));
  const auto openFiles = [] {
    using Folder = std::filesystem::directory_iterator;
    return std::distance(Folder("/proc/self/fd"), Folder{});
  };
  const auto before = openFiles();
  {
    std::unique_ptr<TFile> disk = FS_Open(FileSystem.Files, "disk.bin");
    ASSERT_TRUE(disk);
    EXPECT_EQ(openFiles(), before + 1);
    one.reset();
  }
  EXPECT_EQ(openFiles(), before);
  EXPECT_EQ(Text(sysLoadFile("one")), "0123456789");  // the archive is still readable

  std::unique_ptr<TStdFile> file = FS_OpenDisk("disk.bin");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->Read(buffer, 3), 3u);
  EXPECT_EQ(file->GetSize(), 10u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), file->Read(buffer, 16)), "3456789");
  file->Close();
  file->Close();  // twice is harmless
  EXPECT_EQ(file->Read(buffer, 1) + file->GetSize(), 0u);
}

// Sizes and offsets of any value: empty files give no block, sizes above the cap are
// refused, bytes a little beyond the archive's end read as zeros, and a member that runs
// far past it (more than 64 KiB, and more than the file holds of it) is refused.
TEST_F(FileSystemTest, MemberSizesAndOffsetsOfAnyValueNeitherCrashNorAllocateBlindly) {
  WriteFile("empty.txt", "");
  RawArchive r;
  r.Dir("").File("empty", "").File("huge", 0xFFFFFFFF, 0).File("far", 1, 0xFFFFFFFF);
  Archive("odd.spl", r.File("big", MaxFileSize + 1, 0).End().Build());
  for (const char* refused : {"empty", "empty.txt", "huge", "big"})
    EXPECT_FALSE(sysLoadFile(refused)) << refused;
  EXPECT_EQ(Text(sysLoadFile("far")), std::string(1, '\0'));

  // One member at the end of each archive; the newest archive answers.
  constexpr uint32_t Half = 100000;
  const std::tuple<std::string, uint64_t, bool> cases[] = {
      {"xy", 5, true},
      {"s", SlackPastEnd + 1, true},
      {"u", SlackPastEnd + 2, false},
      {"", 256u << 20, false},
      {std::string(Half, 'h'), 2 * Half, true},
      {std::string(Half, 'o'), 2 * Half + 1, false}};
  for (const auto& [data, claimed, loads] : cases) {
    SCOPED_TRACE(claimed);
    RawArchive one;
    one.Dir("").File("m", data, static_cast<int64_t>(claimed)).End();
    Archive(("past" + std::to_string(claimed) + ".spl").c_str(), one.Build());
    std::string expected = data;
    expected.resize(loads ? claimed : 0, '\0');
    const GlobalBlock block = sysLoadFile("m");
    EXPECT_EQ(block ? Text(block) : "", expected);
  }
}

// Names compare by their exact bytes within their fields, only '/' separates, the root's own
// name is never part of a path, and of equal names the last record wins: a later directory
// hides an earlier one entirely.
TEST(ArchiveReader, ResolvesExactPathsAndTheLastOfEqualNames) {
  const std::string full(255, 'n');  // no terminator inside the field
  RawArchive r;
  r.Dir("Grafika").File("Game.bmp", "root").Dir("Grafika").File("Game.bmp", "sub").End();
  r.Named('f', std::string("three\0junk", 10)).Put(0);  // the name is cut at its zero
  r.Put(0);
  r.Dir("Zvuk").File("Bonus.wav", "hidden").End().Dir("Zvuk").File("Other", "oth").End();
  r.Dir("Sfx").File("Bonus.wav", "old").File("Bonus.wav", "new").End();
  r.File("a\\b", "backslash").File("a/b", "slash").File(".", "dot").Dir("..").File("x", "up");
  r.End().File("\xC8sky", "cp1250").Dir(full).File(full, "ok").End().End();
  Judged j(r.Build());
  ASSERT_TRUE(j.accepted());
  const std::pair<std::string, const char*> reads[] = {
      {"Game.bmp", "root"},     {"Grafika/Game.bmp", "sub"}, {"three", ""}, {"Zvuk/Other", "oth"},
      {"Sfx/Bonus.wav", "new"}, {"a\\b", "backslash"},       {".", "dot"},  {"../x", "up"},
      {"\xC8sky", "cp1250"},    {full + "/" + full, "ok"}};
  for (const auto& [path, data] : reads) EXPECT_EQ(j.Read(path.c_str()), data) << path;
  for (const std::string& path :
       {"Grafika/Grafika/Game.bmp"s, "threejunk"s, "Zvuk/Bonus.wav"s, "a/b"s, "\xE8sky"s,
        full + "/" + full.substr(0, 254), "grafika/Game.bmp"s, "/Grafika/Game.bmp"s,
        "Grafika//Game.bmp"s, "Grafika\\Game.bmp"s, "Grafika/"s, "Grafika"s, ""s,
        "Grafika/Game.bmp/"s, "Zvuk/../Grafika/Game.bmp"s})
    EXPECT_EQ(j.Read(path.c_str()), "<none>") << path;
  EXPECT_EQ(FS_OpenInArchive(&j.archive, j.archive.root, nullptr), nullptr);
  EXPECT_EQ(FS_OpenInArchive(&j.archive, nullptr, "Game.bmp"), nullptr);
}

// Any tag but 'd' first or but 'd', 'f' and 'e' inside a directory, every cut of the records
// (the empty file among them) and nesting beyond the bound are refused by the reader and the
// walk alike; bytes after the root's end tag are never parsed.
TEST(ArchiveReader, RefusesBadTagsCutsAndDeepNestingButNotATail) {
  for (int tag = 0; tag < 256; ++tag) {
    RawArchive first, inRoot, inSub;
    first.Named(static_cast<char>(tag), "").End();
    if (tag != 'd') ExpectVerdict(first.b, false, "first tag " + std::to_string(tag));
    if (tag == 'd' || tag == 'e' || tag == 'f') continue;
    inRoot.Dir("").File("a", 0, 0).b.push_back(static_cast<uint8_t>(tag));
    inSub.Dir("").Dir("Zvuk").b.push_back(static_cast<uint8_t>(tag));
    ExpectVerdict(inRoot.End().b, false, "tag in the root " + std::to_string(tag));
    ExpectVerdict(inSub.End().End().b, false, "tag in a folder " + std::to_string(tag));
  }
  RawArchive r;
  r.Dir("").File("a", "1").Dir("B").File("c", "22").Dir("D").End().End().File("e", "333").End();
  const std::vector<uint8_t> good = r.Build();
  for (size_t n = 0; n <= good.size(); ++n)
    ExpectVerdict({good.begin(), good.begin() + static_cast<long>(n)}, n >= r.b.size(),
                  "cut at " + std::to_string(n));
  // The last would exhaust the stack if followed.
  for (const auto& [depth, accepted] :
       {std::pair{MaxDirectoryDepth, true}, std::pair{MaxDirectoryDepth + 1, false},
        std::pair{100000, false}}) {
    RawArchive nested;
    for (int i = 0; i <= depth; ++i) nested.Dir("d");
    for (int i = 0; i <= depth; ++i) nested.End();
    ExpectVerdict(nested.b, accepted, "depth " + std::to_string(depth));
  }

  RawArchive one;
  one.Dir("").File("a", 1, 0).End().b.push_back('d');  // a tail that reads as a tag
  Judged j(one.b);
  EXPECT_TRUE(j.accepted() && j.listed);
  EXPECT_EQ(j.records.size(), 1u);
  EXPECT_EQ(j.Read("a"), "d");  // an offset may point anywhere, even into the directory
}

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

// Empty folders come back, an archive written inside the folder is not put into itself, a
// tree as deep and a name as long as the game's reader takes go through, and a name with a
// TAB or a control byte still lists as one line. Create refuses, before writing anything,
// whatever the reader would refuse.
TEST_F(Splpack, CreateListExtractGivesTheSameTreeAndCreateRefusesWhatTheReaderWould) {
  std::string deep = "in";
  for (int i = 0; i < 64; ++i) deep += "/d";
  WriteFile(dir.path / deep / std::string(255, 'n'), "the whole field");
  WriteFile(dir.path / "in/Zvuk/Bonus.wav", std::string("RIFF\0\x01\x02", 7));
  WriteFile(dir.path / "in/empty", "");
  WriteFile(dir.path / "in/a\tb\x01", "x");
  fs::create_directories(dir.path / "in/Grafika8/nothing");
  ASSERT_EQ(Create("in/self.spl", "in").status, 0);
  const std::string first = ReadFile(Path("in/self.spl"));
  ASSERT_EQ(Create("in/self.spl", "in").status, 0);  // now inside the folder
  EXPECT_EQ(ReadFile(Path("in/self.spl")), first);   // and deterministic
  const CommandResult list = List("in/self.spl");
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.output.substr(0, 17), "Zvuk/Bonus.wav\t7\t");  // names in byte order
  EXPECT_NE(list.output.find("\na\\tb\\x01\t1\t"), std::string::npos) << list.output;
  ASSERT_EQ(Extract("in/self.spl").status, 0);
  std::map<std::string, std::string> want = Tree(dir.path / "in");
  want.erase("self.spl");
  EXPECT_EQ(Tree(dir.path / "out"), want);

  fs::create_directories(dir.path / deep / "d");  // 65 deep
  ExpectRefused(Create("b.spl", "in"), "deeper than 64");
  ExpectRefused(Create("b.spl", "missing"), "missing");
  EXPECT_FALSE(fs::exists(Path("b.spl")));
  EXPECT_EQ(RunSplpack("frobnicate").status, 1);
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
