// Reading the archive's directory and resolving paths in it, and the record walk of the
// archive tool judging every input as the reader does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fs/spl_writer.h"
#include "raw_archive.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

std::vector<uint8_t> GameArchive() {
  return WriteSplArchive({{"Grafika/Game.bmp", Bytes("game")},
                          {"Zvuk/Bonus.wav", Bytes("bonus")},
                          {"Root.txt", Bytes("root")}});
}

std::vector<uint8_t> Nested(int depth) {
  RawArchive r;
  for (int i = 0; i <= depth; ++i) r.Dir("d");
  for (int i = 0; i <= depth; ++i) r.End();
  return r.b;
}

std::string List(const Judged& j) {
  std::string out;
  for (const SplRecord& r : j.records)
    out += r.path + " " + std::to_string(r.size) + " " + std::to_string(r.offset) + ";";
  return out;
}

}  // namespace

TEST(ArchiveReader, AcceptsWhatTheWriterWritesAndTheSmallestArchive) {
  Judged game(GameArchive());
  ASSERT_TRUE(game.accepted());
  EXPECT_EQ(game.Read("Grafika/Game.bmp"), "game");
  EXPECT_EQ(game.Read("Zvuk/Bonus.wav"), "bonus");
  EXPECT_EQ(game.Read("Root.txt"), "root");

  Judged smallest(RawArchive().Dir("").End().b);  // 'd', a 255-byte name and 'e'
  ASSERT_EQ(smallest.bytes.size(), 257u);
  ASSERT_TRUE(smallest.accepted());
  EXPECT_EQ(smallest.Read("anything"), "<none>");
  EXPECT_EQ(smallest.Read("a/b"), "<none>");
}

TEST(ArchiveReader, ResolvesOnlyExactSlashSeparatedPaths) {
  Judged game(GameArchive());
  for (const char* path :
       {"grafika/Game.bmp", "/Grafika/Game.bmp", "Grafika//Game.bmp", "Grafika\\Game.bmp",
        "Grafika/", "Grafika", "Game.bmp", "", "Grafika/Game.bmp/", "Zvuk/../Grafika/Game.bmp"})
    EXPECT_EQ(game.Read(path), "<none>") << path;
  EXPECT_EQ(FS_OpenInArchive(&game.archive, game.archive.root, nullptr), nullptr);
  EXPECT_EQ(FS_OpenInArchive(&game.archive, nullptr, "Root.txt"), nullptr);
}

TEST(ArchiveReader, EveryTagOtherThanDirectoryFileAndEndIsRefusedAtEveryLevel) {
  for (int tag = 0; tag < 256; ++tag) {
    SCOPED_TRACE(tag);
    RawArchive first;
    first.Named(static_cast<char>(tag), "").End();  // not a directory first
    if (tag != 'd') {
      EXPECT_FALSE(Judged(first.b).accepted());
      EXPECT_FALSE(Judged(first.b).listed);
    }
    if (tag == 'd' || tag == 'e' || tag == 'f') continue;
    RawArchive inRoot;
    inRoot.Dir("").File("a", 0, 0).b.push_back(static_cast<uint8_t>(tag));
    inRoot.End();
    RawArchive inSub;
    inSub.Dir("").Dir("Zvuk").b.push_back(static_cast<uint8_t>(tag));
    inSub.End().End();
    for (auto* r : {&inRoot, &inSub}) {
      Judged j(r->b);
      EXPECT_FALSE(j.accepted());
      EXPECT_FALSE(j.listed);
    }
  }
}

TEST(ArchiveReader, BytesAfterTheRootsEndTagAreNeverParsed) {
  RawArchive r;
  r.Dir("").File("a", 1, 0).End();
  const std::vector<uint8_t> plain = r.b;
  for (const std::string& tail :
       {std::string("x"), std::string("d"), std::string("\0\0\0", 3), std::string(10000, 'f')}) {
    std::vector<uint8_t> bytes = plain;
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    Judged j(bytes);
    EXPECT_TRUE(j.accepted()) << tail.size();
    EXPECT_TRUE(j.listed);
    EXPECT_EQ(j.records.size(), 1u);
  }
  // An offset may point anywhere, even into the directory itself.
  Judged self(plain);
  EXPECT_EQ(self.Read("a"), "d");
}

TEST(ArchiveReader, TheRootsNameIsKeptButNeverCompared) {
  RawArchive r;
  r.Dir("Grafika").File("Game.bmp", "root").Dir("Grafika").File("Game.bmp", "sub").End().End();
  Judged j(r.Build());
  ASSERT_TRUE(j.accepted());
  EXPECT_STREQ(j.archive.root->name, "Grafika");
  EXPECT_EQ(j.Read("Game.bmp"), "root");
  EXPECT_EQ(j.Read("Grafika/Game.bmp"), "sub");
  EXPECT_EQ(j.Read("Grafika/Grafika/Game.bmp"), "<none>");
}

TEST(ArchiveReader, ListsRunNewestFirstSoTheLastOfEqualNamesWins) {
  RawArchive r;
  r.Dir("").File("one", 0, 0).Dir("A").End().File("two", 0, 0).Dir("B").End();
  r.Named('f', std::string("three\0junk", 10)).Put(0);  // the name is cut at its zero
  r.Put(0);
  r.Dir("Zvuk").File("Bonus.wav", "old").File("Bonus.wav", "new").End();
  // The second "Zvuk" hides the first entirely: its Bonus.wav is unreachable.
  r.Dir("Zvuk").File("Other", "oth").End();
  r.Dir("Sfx").File("Bonus.wav", "old").File("Bonus.wav", "new").End().End();
  Judged j(r.Build());
  ASSERT_TRUE(j.accepted());
  std::string files, dirs;
  for (TSPLEntry* e = j.archive.root->files; e; e = e->next) files += std::string(e->name) + ",";
  for (TSPLDir* d = j.archive.root->dirs; d; d = d->next) dirs += std::string(d->name) + ",";
  EXPECT_EQ(files, "three,two,one,");
  EXPECT_EQ(dirs, "Sfx,Zvuk,Zvuk,B,A,");
  EXPECT_EQ(j.Read("three"), "");
  EXPECT_EQ(j.Read("threejunk"), "<none>");
  EXPECT_EQ(j.Read("Zvuk/Other"), "oth");
  EXPECT_EQ(j.Read("Zvuk/Bonus.wav"), "<none>");
  EXPECT_EQ(j.Read("Sfx/Bonus.wav"), "new");
}

TEST(ArchiveReader, NamesResolveOnlyByTheirExactBytesWithinTheirFields) {
  const std::string full(255, 'n');  // no terminator inside the field
  RawArchive r;
  r.Dir("").File("a\\b", "backslash").File("a/b", "slash").File(".", "dot");
  r.Dir("..").File("x", "up").End();
  r.File(
       "\xC8"
       "esky.wav",
       "cp1250")
      .Dir(full)
      .File(full, "ok")
      .End()
      .End();
  Judged j(r.Build());
  ASSERT_TRUE(j.accepted());
  EXPECT_EQ(j.Read("a\\b"), "backslash");
  EXPECT_EQ(j.Read("a/b"), "<none>");  // a name holding '/' is out of reach
  EXPECT_EQ(j.Read("."), "dot");
  EXPECT_EQ(j.Read("../x"), "up");  // ".." is an ordinary name
  EXPECT_EQ(j.Read("\xC8"
                   "esky.wav"),
            "cp1250");
  EXPECT_EQ(j.Read("\xE8"
                   "esky.wav"),
            "<none>");
  EXPECT_EQ(j.Read((full + "/" + full).c_str()), "ok");
  EXPECT_EQ(j.Read((full + "/" + full.substr(0, 254)).c_str()), "<none>");
}

TEST(ArchiveRecords, TheWalkListsFileRecordsInFileOrderWithTheirDirectories) {
  RawArchive r;
  r.Dir("root name").File("z", 5, 100).Dir("Zvuk").File("Bonus.wav", 7, 200);
  r.Dir("Inner").File("deep", 1, 300).End().File("Bonus.wav", 8, 400).End();
  r.File("a", 0, 0xFFFFFFFF).File("", 4, 5).File("a/b", 6, 7).Dir("").File("x", 2, 3).End().End();
  Judged j(r.b);
  ASSERT_TRUE(j.accepted());
  ASSERT_TRUE(j.listed);
  EXPECT_EQ(List(j),
            "z 5 100;Zvuk/Bonus.wav 7 200;Zvuk/Inner/deep 1 300;Zvuk/Bonus.wav 8 400;"
            "a 0 4294967295; 4 5;a/b 6 7;/x 2 3;");
}

// Every cut of the records, the empty file and one lacking only the root's 'e' among them.
TEST(ArchiveRecords, ReaderAndWalkRefuseEveryCutAndNestingBeyondTheBound) {
  RawArchive r;
  r.Dir("").File("a", "1").Dir("B").File("c", "22").Dir("D").End().End().File("e", "333").End();
  const std::vector<uint8_t> good = r.Build();
  const size_t records = r.b.size();
  for (size_t n = 0; n <= good.size(); ++n) {
    Judged j({good.begin(), good.begin() + static_cast<long>(n)});
    EXPECT_EQ(j.accepted(), n >= records) << n;
    EXPECT_EQ(j.listed, j.accepted()) << n;
  }
  for (const auto& [depth, accepted] :
       {std::pair{MaxDirectoryDepth, true}, std::pair{MaxDirectoryDepth + 1, false},
        std::pair{100000, false}}) {  // the last would exhaust the stack if followed
    Judged j(Nested(depth));
    EXPECT_EQ(j.accepted(), accepted) << depth;
    EXPECT_EQ(j.listed, accepted) << depth;
  }
  std::vector<SplRecord> none;
  EXPECT_FALSE(ListSplRecords(nullptr, none));
}
