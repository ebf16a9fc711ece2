// Reading the archive's directory and resolving paths in it, and the record walk of the
// archive tool judging every input as the reader does.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "raw_archive.h"

using namespace std::string_literals;

namespace {

std::vector<uint8_t> Nested(int depth) {
  RawArchive r;
  for (int i = 0; i <= depth; ++i) r.Dir("d");
  for (int i = 0; i <= depth; ++i) r.End();
  return r.b;
}

void ExpectVerdict(const std::vector<uint8_t>& bytes, bool accepted, const std::string& what) {
  Judged j(bytes);
  EXPECT_EQ(j.accepted(), accepted) << what;
  EXPECT_EQ(j.listed, accepted) << what;
}

}  // namespace

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
        std::pair{100000, false}})
    ExpectVerdict(Nested(depth), accepted, "depth " + std::to_string(depth));

  RawArchive one;
  one.Dir("").File("a", 1, 0).End().b.push_back('d');  // a tail that reads as a tag
  Judged j(one.b);
  EXPECT_TRUE(j.accepted() && j.listed);
  EXPECT_EQ(j.records.size(), 1u);
  EXPECT_EQ(j.Read("a"), "d");  // an offset may point anywhere, even into the directory
}
