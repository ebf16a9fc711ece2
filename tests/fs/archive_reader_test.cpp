// Reading the archive's directory, and resolving paths in it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "fs/file_system.h"
#include "fs/spl_tree.h"
#include "fs/spl_writer.h"
#include "fs/tfile.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

// Raw records, for archives no writer of ours would make.
struct Raw {
  std::vector<uint8_t> b;
  Raw& Dir(const std::string& name) { return Named('d', name); }
  Raw& File(const std::string& name, uint32_t size, uint32_t offset) {
    Named('f', name);
    for (uint32_t v : {size, offset})
      for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return *this;
  }
  Raw& End() {
    b.push_back('e');
    return *this;
  }
  Raw& Data(const std::string& s) {
    b.insert(b.end(), s.begin(), s.end());
    return *this;
  }
  Raw& Named(char tag, const std::string& name) {
    b.push_back(static_cast<uint8_t>(tag));
    std::vector<uint8_t> field(255, 0);
    std::copy(name.begin(), name.end(), field.begin());
    b.insert(b.end(), field.begin(), field.end());
    return *this;
  }
};

// An archive held in memory, read with the game's reader.
struct Loaded {
  std::vector<uint8_t> bytes;
  TSPLArchive archive;
  explicit Loaded(std::vector<uint8_t> data) : bytes(std::move(data)) {
    archive.stream = fmemopen(bytes.data(), bytes.size(), "rb");
    archive.root = archive.stream ? FS_ReadDir(archive.stream) : nullptr;
  }
  ~Loaded() {
    FS_FreeDir(archive.root);
    if (archive.stream) std::fclose(archive.stream);
  }
  bool accepted() const { return archive.root != nullptr; }
  std::string Read(const char* path) {
    auto file = FS_OpenInArchive(&archive, archive.root, path);
    if (!file) return "<none>";
    std::string out(file->GetSize(), '\0');
    out.resize(
        file->Read(reinterpret_cast<uint8_t*>(out.data()), static_cast<uint32_t>(out.size())));
    return out;
  }
};

std::vector<uint8_t> GameArchive() {
  return WriteSplArchive({{"Grafika/Game.bmp", Bytes("game")},
                          {"Zvuk/Bonus.wav", Bytes("bonus")},
                          {"Root.txt", Bytes("root")}});
}

}  // namespace

TEST(ArchiveReader, AcceptsWhatTheWriterWritesAndTheSmallestArchive) {
  Loaded game(GameArchive());
  ASSERT_TRUE(game.accepted());
  EXPECT_EQ(game.Read("Grafika/Game.bmp"), "game");
  EXPECT_EQ(game.Read("Zvuk/Bonus.wav"), "bonus");
  EXPECT_EQ(game.Read("Root.txt"), "root");

  Loaded smallest(Raw().Dir("").End().b);  // 'd', a 255-byte name and 'e'
  ASSERT_EQ(smallest.bytes.size(), 257u);
  ASSERT_TRUE(smallest.accepted());
  EXPECT_EQ(smallest.Read("anything"), "<none>");
  EXPECT_EQ(smallest.Read("a/b"), "<none>");
}

TEST(ArchiveReader, RefusesEveryTruncationAndEveryForeignTag) {
  const std::vector<uint8_t> good = GameArchive();
  const size_t directoryEnd = good.size() - 13;  // the member bytes follow the root's 'e'
  ASSERT_EQ(good[directoryEnd - 1], 'e');
  for (size_t n = 0; n < directoryEnd; ++n) {
    Loaded cut(std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(n)));
    EXPECT_FALSE(cut.accepted()) << "accepted after " << n << " bytes";
  }
  EXPECT_FALSE(Loaded(Raw().File("x", 0, 0).b).accepted());  // not a directory first
  EXPECT_FALSE(Loaded(Raw().Dir("").Named('x', "").End().b).accepted());
  EXPECT_FALSE(Loaded(Raw().Dir("").Dir("sub").End().b).accepted());  // root lacks its 'e'
}

TEST(ArchiveReader, RefusesNestingDeeperThanItsBoundButTakesTheBound) {
  const auto nested = [](int depth) {
    Raw r;
    for (int i = 0; i <= depth; ++i) r.Dir("d");
    for (int i = 0; i <= depth; ++i) r.End();
    return r.b;
  };
  EXPECT_TRUE(Loaded(nested(MaxDirectoryDepth)).accepted());
  EXPECT_FALSE(Loaded(nested(MaxDirectoryDepth + 1)).accepted());
  EXPECT_FALSE(Loaded(nested(100000)).accepted());  // would exhaust the stack if followed
}

TEST(ArchiveReader, ResolvesOnlyExactSlashSeparatedPaths) {
  Loaded game(GameArchive());
  for (const char* path :
       {"grafika/Game.bmp", "/Grafika/Game.bmp", "Grafika//Game.bmp", "Grafika\\Game.bmp",
        "Grafika/", "Grafika", "Game.bmp", "", "Grafika/Game.bmp/", "Zvuk/../Grafika/Game.bmp"})
    EXPECT_EQ(game.Read(path), "<none>") << path;
  EXPECT_EQ(FS_OpenInArchive(&game.archive, game.archive.root, nullptr), nullptr);
  EXPECT_EQ(FS_OpenInArchive(&game.archive, nullptr, "Root.txt"), nullptr);
}

TEST(ArchiveReader, TheRecordWrittenLastWinsAmongEqualNames) {
  Raw r;
  r.Dir("").Dir("Zvuk").File("Bonus.wav", 3, 0).File("Bonus.wav", 3, 0).End();
  r.Dir("Zvuk").File("Other", 3, 0).End().End();
  const uint32_t data = static_cast<uint32_t>(r.b.size());
  r.Data("oldnewoth");
  // Patch the offsets now that the data's place is known.
  Raw fixed;
  fixed.Dir("").Dir("Zvuk").File("Bonus.wav", 3, data).File("Bonus.wav", 3, data + 3).End();
  fixed.Dir("Zvuk").File("Other", 3, data + 6).End().End().Data("oldnewoth");
  Loaded archive(fixed.b);
  ASSERT_TRUE(archive.accepted());
  // The second "Zvuk" hides the first entirely: its Bonus.wav is unreachable.
  EXPECT_EQ(archive.Read("Zvuk/Other"), "oth");
  EXPECT_EQ(archive.Read("Zvuk/Bonus.wav"), "<none>");

  Raw single;
  single.Dir("").Dir("Zvuk").File("Bonus.wav", 3, 0).File("Bonus.wav", 3, 0).End().End();
  const uint32_t at = static_cast<uint32_t>(single.b.size());
  Raw two;
  two.Dir("").Dir("Zvuk").File("Bonus.wav", 3, at).File("Bonus.wav", 3, at + 3).End().End();
  two.Data("oldnew");
  EXPECT_EQ(Loaded(two.b).Read("Zvuk/Bonus.wav"), "new");
}

TEST(ArchiveReader, LongNamesAndMissingTerminatorsStayInsideTheirFields) {
  const std::string full(255, 'n');  // no terminator inside the field
  Raw r;
  r.Dir(full).File(full, 2, 0).End();
  const uint32_t at = static_cast<uint32_t>(r.b.size());
  Raw fixed;
  fixed.Dir(full).File(full, 2, at).End().Data("ok");
  Loaded archive(fixed.b);
  ASSERT_TRUE(archive.accepted());
  EXPECT_EQ(archive.Read(full.c_str()), "ok");
  EXPECT_EQ(archive.Read(full.substr(0, 254).c_str()), "<none>");
}
