// Edge cases of the directory reader that the other tests leave out, the record walk of
// the archive tool against the reader, and the archive writer.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "fs/file_system.h"
#include "fs/spl_records.h"
#include "fs/spl_tree.h"
#include "fs/spl_writer.h"
#include "fs/tfile.h"
#include "raw_archive.h"

namespace {

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
  std::string List() const {
    std::string out;
    for (const SplRecord& r : records)
      out += r.path + " " + std::to_string(r.size) + " " + std::to_string(r.offset) + ";";
    return out;
  }
};

std::vector<uint8_t> Nested(int depth) {
  RawArchive r;
  for (int i = 0; i <= depth; ++i) r.Dir("d");
  for (int i = 0; i <= depth; ++i) r.End();
  return r.b;
}

}  // namespace

TEST(ArchiveReader, EveryTagOtherThanDirectoryFileAndEndIsRefusedAtEveryLevel) {
  for (int tag = 0; tag < 256; ++tag) {
    if (tag == 'd' || tag == 'e' || tag == 'f') continue;
    RawArchive inRoot;
    inRoot.Dir("").File("a", 0, 0).b.push_back(static_cast<uint8_t>(tag));
    inRoot.End();
    RawArchive inSub;
    inSub.Dir("").Dir("Zvuk").b.push_back(static_cast<uint8_t>(tag));
    inSub.End().End();
    RawArchive first;
    first.Named(static_cast<char>(tag), "").End();  // not a directory first
    for (auto* r : {&inRoot, &inSub, &first}) {
      Judged j(r->b);
      EXPECT_FALSE(j.accepted()) << "tag " << tag;
      EXPECT_FALSE(j.listed) << "tag " << tag;
    }
  }
}

TEST(ArchiveReader, AnEmptyFileAndOneLackingOnlyItsFinalEndTagAreRefused) {
  EXPECT_FALSE(Judged({}).accepted());
  RawArchive r;
  r.Dir("").Dir("Zvuk").File("Bonus.wav", "data").End().End();
  std::vector<uint8_t> records = r.b;
  ASSERT_TRUE(Judged(records).accepted());
  records.pop_back();  // only the root's 'e' is missing
  Judged cut(records);
  EXPECT_FALSE(cut.accepted());
  EXPECT_FALSE(cut.listed);
  // A cut in the middle of a size, and one in the middle of an offset.
  for (size_t n : {size_t{256 + 256 + 256 + 2}, size_t{256 + 256 + 256 + 6}})
    EXPECT_FALSE(Judged({r.b.begin(), r.b.begin() + static_cast<long>(n)}).accepted()) << n;
}

TEST(ArchiveReader, BytesAfterTheRootsEndTagAreNeverParsed) {
  RawArchive r;
  r.Dir("").File("a", 1, 0).End();
  const std::vector<uint8_t> plain = r.b;
  for (const std::string& tail : {std::string("x"), std::string("d"), std::string("\0\0\0", 3),
                                 std::string(10000, 'f')}) {
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

TEST(ArchiveReader, ListsRunNewestFirstAndNameFieldsAreCutAtTheirZero) {
  RawArchive r;
  r.Dir("").File("one", 0, 0).Dir("A").End().File("two", 0, 0).Dir("B").End();
  r.Named('f', std::string("three\0junk", 10)).Put(0);
  r.Put(0);
  r.End();
  Judged j(r.b);
  ASSERT_TRUE(j.accepted());
  std::string files, dirs;
  for (TSPLEntry* e = j.archive.root->files; e; e = e->next) files += std::string(e->name) + ",";
  for (TSPLDir* d = j.archive.root->dirs; d; d = d->next) dirs += std::string(d->name) + ",";
  EXPECT_EQ(files, "three,two,one,");
  EXPECT_EQ(dirs, "B,A,");
  EXPECT_EQ(j.Read("three"), "");
  EXPECT_EQ(j.Read("threejunk"), "<none>");
}

TEST(ArchiveReader, OddNamesResolveOnlyByTheirExactBytes) {
  RawArchive r;
  r.Dir("").File("a\\b", "backslash").File("a/b", "slash").File(".", "dot");
  r.Dir("..").File("x", "up").End();
  r.File("\xC8" "esky.wav", "cp1250").End();
  Judged j(r.Build());
  ASSERT_TRUE(j.accepted());
  EXPECT_EQ(j.Read("a\\b"), "backslash");
  EXPECT_EQ(j.Read("a/b"), "<none>");  // a name holding '/' is out of reach
  EXPECT_EQ(j.Read("."), "dot");
  EXPECT_EQ(j.Read("../x"), "up");  // ".." is an ordinary name
  EXPECT_EQ(j.Read("\xC8" "esky.wav"), "cp1250");
  EXPECT_EQ(j.Read("\xE8" "esky.wav"), "<none>");
}

TEST(ArchiveRecords, TheWalkListsFileRecordsInFileOrderWithTheirDirectories) {
  RawArchive r;
  r.Dir("root name").File("z", 5, 100).Dir("Zvuk").File("Bonus.wav", 7, 200);
  r.Dir("Inner").File("deep", 1, 300).End().File("Bonus.wav", 8, 400).End();
  r.File("a", 0, 0xFFFFFFFF).Dir("").File("x", 2, 3).End().End();
  Judged j(r.b);
  ASSERT_TRUE(j.accepted());
  ASSERT_TRUE(j.listed);
  EXPECT_EQ(j.List(),
            "z 5 100;Zvuk/Bonus.wav 7 200;Zvuk/Inner/deep 1 300;Zvuk/Bonus.wav 8 400;"
            "a 0 4294967295;/x 2 3;");
}

TEST(ArchiveRecords, TheWalkAgreesWithTheReaderOnEveryCutAndOnTheDepthBound) {
  RawArchive r;
  r.Dir("").File("a", "1").Dir("B").File("c", "22").Dir("D").End().End().File("e", "333").End();
  const std::vector<uint8_t> good = r.Build();
  const size_t records = r.b.size();
  for (size_t n = 0; n <= good.size(); ++n) {
    Judged j({good.begin(), good.begin() + static_cast<long>(n)});
    EXPECT_EQ(j.accepted(), n >= records) << n;
    EXPECT_EQ(j.listed, j.accepted()) << n;
  }
  EXPECT_TRUE(Judged(Nested(MaxDirectoryDepth)).listed);
  EXPECT_FALSE(Judged(Nested(MaxDirectoryDepth + 1)).listed);
  EXPECT_FALSE(Judged(Nested(100000)).listed);
  std::vector<SplRecord> none;
  EXPECT_FALSE(ListSplRecords(nullptr, none));
}
