// Files through the file system: archives newest first, then the disk.
#include "fs/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "fs/spl_writer.h"
#include "fs/tfile.h"
#include "raw_archive.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

std::string Text(const GlobalBlock& block) {
  auto bytes = block.Lock();
  return std::string(bytes.begin(), bytes.end());
}

// Runs in a folder of its own, as the game runs in its working directory.
class FileSystemTest : public ::testing::Test {
 protected:
  InTempDir here;
  void SetUp() override {
    FileSystem.Files = FS_Init();
    ASSERT_NE(FileSystem.Files, nullptr);
  }
  void TearDown() override {
    FS_Done(FileSystem.Files);
    FileSystem.Files = nullptr;
  }
  static void Archive(const char* name, const std::vector<uint8_t>& bytes) {
    WriteFile(name, bytes);
    ASSERT_TRUE(FS_LoadSPL(FileSystem.Files, name));
  }
  static void Archive(const char* name, const SplFiles& files) {
    Archive(name, WriteSplArchive(files));
  }
};

}  // namespace

TEST_F(FileSystemTest, ArchivesComeBeforeTheDiskAndTheNewestArchiveFirst) {
  WriteFile("Zvuk/Bonus.wav", "disk");
  WriteFile("Loose.txt", "loose");
  Archive("first.spl", {{"Zvuk/Bonus.wav", Bytes("first")}, {"Only.txt", Bytes("only")}});
  EXPECT_EQ(Text(sysLoadFile("Zvuk/Bonus.wav")), "first");
  Archive("second.spl", {{"Zvuk/Bonus.wav", Bytes("second")}});
  EXPECT_EQ(Text(sysLoadFile("Zvuk/Bonus.wav")), "second");
  EXPECT_EQ(Text(sysLoadFile("Only.txt")), "only");
  EXPECT_EQ(Text(sysLoadFile("Loose.txt")), "loose");  // the disk adds files
  EXPECT_FALSE(sysLoadFile("Missing.txt"));
  EXPECT_FALSE(sysLoadFile(nullptr));
}

TEST_F(FileSystemTest, BadArchivesAreRefusedAndLeaveTheOthersInPlace) {
  Archive("good.spl", {{"a", Bytes("a")}});
  WriteFile("bad.spl", "dnot an archive");
  EXPECT_FALSE(FS_LoadSPL(FileSystem.Files, "bad.spl"));
  EXPECT_FALSE(FS_LoadSPL(FileSystem.Files, "missing.spl"));
  EXPECT_FALSE(FS_LoadSPL(nullptr, "good.spl"));
  EXPECT_FALSE(FS_LoadSPL(FileSystem.Files, nullptr));
  EXPECT_EQ(Text(sysLoadFile("a")), "a");
}

TEST_F(FileSystemTest, MembersReadToTheirEndAndAlternateFreely) {
  Archive("game.spl", {{"one", Bytes("0123456789")}, {"two", Bytes("abcdefghij")}});
  auto one = FS_Open(FileSystem.Files, "one");
  auto two = FS_Open(FileSystem.Files, "two");
  ASSERT_TRUE(one && two);
  uint8_t buffer[16] = {};
  EXPECT_EQ(one->Read(buffer, 4), 4u);
  EXPECT_EQ(two->Read(buffer + 4, 4), 4u);
  EXPECT_EQ(one->Read(buffer + 8, 100), 6u);  // only what remains
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 14), "0123abcd456789");
  EXPECT_EQ(one->Read(buffer, 1), 0u);
  EXPECT_EQ(one->Tell(), 10u);
  EXPECT_EQ(one->Seek(3, SEEK_SET), 0);
  EXPECT_EQ(one->Read(buffer, 1), 1u);
  EXPECT_EQ(buffer[0], '3');
  EXPECT_EQ(one->Seek(2, SEEK_END), 0);
  EXPECT_EQ(one->Tell(), 8u);
  EXPECT_EQ(one->Seek(11, SEEK_SET), 1);  // beyond the end: refused, position kept
  EXPECT_EQ(one->Seek(-9, SEEK_CUR), 1);
  EXPECT_EQ(one->Tell(), 8u);
}

// Sizes and offsets of any value: empty files give no block, sizes above the cap are
// refused, bytes a little beyond the archive's end read as zeros, and a member that runs
// far past it (more than 64 KiB, and more than the file holds of it) is refused.
TEST_F(FileSystemTest, MemberSizesAndOffsetsOfAnyValueNeitherCrashNorAllocateBlindly) {
  WriteFile("empty.txt", "");
  RawArchive r;
  r.Dir("").File("empty", "").File("huge", 0xFFFFFFFF, 0).File("far", 1, 0xFFFFFFFF);
  Archive("odd.spl", r.File("big", MaxFileSize + 1, 0).End().Build());
  EXPECT_FALSE(sysLoadFile("empty"));
  EXPECT_FALSE(sysLoadFile("empty.txt"));
  EXPECT_FALSE(sysLoadFile("huge"));
  EXPECT_FALSE(sysLoadFile("big"));
  EXPECT_EQ(Text(sysLoadFile("far")), std::string(1, '\0'));

  // One member at the end of each archive; the newest archive answers.
  constexpr uint32_t Half = 100000;
  struct Case {
    std::string data;
    uint64_t claimed;
    bool loads;
  };
  const Case cases[] = {{"xy", 5, true},
                        {"s", SlackPastEnd + 1, true},
                        {"u", SlackPastEnd + 2, false},
                        {"", 256u << 20, false},
                        {std::string(Half, 'h'), 2 * Half, true},
                        {std::string(Half, 'o'), 2 * Half + 1, false}};
  int number = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.claimed);
    RawArchive one;
    one.Dir("").File("m", c.data, static_cast<int64_t>(c.claimed)).End();
    Archive(("past" + std::to_string(number++) + ".spl").c_str(), one.Build());
    const GlobalBlock block = sysLoadFile("m");
    ASSERT_EQ(static_cast<bool>(block), c.loads);
    if (!block) continue;
    std::string expected = c.data;
    expected.resize(c.claimed, '\0');
    EXPECT_EQ(Text(block), expected);
  }
}

TEST_F(FileSystemTest, ReleasingADiskFileClosesItsStreamAnArchiveMemberLeavesItsOpen) {
  WriteFile("disk.txt", "disk");
  Archive("game.spl", {{"member", Bytes("member")}});
  const auto openFiles = [] {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                         std::filesystem::directory_iterator{});
  };
  const auto before = openFiles();
  {
    std::unique_ptr<TFile> disk = FS_Open(FileSystem.Files, "disk.txt");
    ASSERT_TRUE(disk);
    EXPECT_EQ(disk->GetSize(), 4u);
    EXPECT_EQ(openFiles(), before + 1);
  }
  EXPECT_EQ(openFiles(), before);
  { std::unique_ptr<TFile> member = FS_Open(FileSystem.Files, "member"); }
  EXPECT_EQ(Text(sysLoadFile("member")), "member");  // the archive is still readable
}

TEST_F(FileSystemTest, DiskFilesSeekTellAndSizeLikeTheirStreams) {
  WriteFile("disk.bin", "0123456789");
  EXPECT_EQ(FS_OpenDisk("missing.bin"), nullptr);
  EXPECT_EQ(FS_OpenDisk(nullptr), nullptr);
  std::unique_ptr<TStdFile> file = FS_OpenDisk("disk.bin");
  ASSERT_TRUE(file);
  uint8_t buffer[16] = {};
  EXPECT_EQ(file->Read(buffer, 3), 3u);
  EXPECT_EQ(file->GetSize(), 10u);
  EXPECT_EQ(file->Tell(), 3u);  // GetSize puts the position back
  EXPECT_EQ(file->Seek(-2, SEEK_END), 0);
  EXPECT_EQ(file->Read(buffer, 16), 2u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 2), "89");
  EXPECT_EQ(file->Seek(1, SEEK_SET), 0);
  EXPECT_EQ(file->Seek(2, SEEK_CUR), 0);
  EXPECT_EQ(file->Tell(), 3u);
  file->Close();
  file->Close();  // twice is harmless
  EXPECT_EQ(file->Read(buffer, 1), 0u);
  EXPECT_EQ(file->GetSize(), 0u);
}

TEST_F(FileSystemTest, WithoutAFileSystemOnlyTheDiskIsAsked) {
  WriteFile("loose.txt", "loose");
  EXPECT_TRUE(FS_Open(nullptr, "loose.txt"));
  EXPECT_FALSE(FS_Open(nullptr, "missing.txt"));
  EXPECT_FALSE(FS_Open(FileSystem.Files, nullptr));
  FS_Done(nullptr);
}
