// Files through the file system: archives newest first, then the disk.
#include "fs/file_system.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "fs/spl_writer.h"
#include "fs/tfile.h"
#include "support/temp_dir.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

void Write(const std::filesystem::path& p, const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

std::string Text(const GlobalBlock& block) {
  auto bytes = block.Lock();
  return std::string(bytes.begin(), bytes.end());
}

// Runs in a folder of its own, as the game runs in its working directory.
class FileSystemTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::filesystem::path previous = std::filesystem::current_path();
  void SetUp() override {
    std::filesystem::current_path(dir.path);
    FileSystem.Files = FS_Init();
    ASSERT_NE(FileSystem.Files, nullptr);
  }
  void TearDown() override {
    FS_Done(FileSystem.Files);
    FileSystem.Files = nullptr;
    std::filesystem::current_path(previous);
  }
  void Archive(const char* name, const SplFiles& files) {
    Write(dir.path / name, WriteSplArchive(files));
    ASSERT_TRUE(FS_LoadSPL(FileSystem.Files, name));
  }
};

}  // namespace

TEST_F(FileSystemTest, ArchivesComeBeforeTheDiskAndTheNewestArchiveFirst) {
  Write(dir.path / "Zvuk/Bonus.wav", Bytes("disk"));
  Write(dir.path / "Loose.txt", Bytes("loose"));
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
  Write(dir.path / "bad.spl", Bytes("dnot an archive"));
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

TEST_F(FileSystemTest, EmptyFilesGiveNoBlockAndMissingBytesStayZero) {
  Write(dir.path / "empty.txt", {});
  Archive("game.spl", {{"empty", {}}});
  EXPECT_FALSE(sysLoadFile("empty"));
  EXPECT_FALSE(sysLoadFile("empty.txt"));

  // A member whose range runs past the end of the archive loads, padded with zeros.
  std::vector<uint8_t> bytes = WriteSplArchive({{"tail", Bytes("xy")}});
  bytes[bytes.size() - 2 - 1 - 8] = 5;  // its size field (before offset and end tag): 5
  Write(dir.path / "short.spl", bytes);
  ASSERT_TRUE(FS_LoadSPL(FileSystem.Files, "short.spl"));
  const GlobalBlock tail = sysLoadFile("tail");
  ASSERT_TRUE(tail);
  EXPECT_EQ(Text(tail), std::string("xy\0\0\0", 5));
}

TEST_F(FileSystemTest, AbsurdSizesAndOffsetsNeitherCrashNorAllocateBlindly) {
  std::vector<uint8_t> bytes = WriteSplArchive({{"huge", Bytes("xy")}, {"far", Bytes("z")}});
  // Records stand in name order: "far" first, then "huge".
  const size_t farOffset = 256 + 256 + 4, hugeSize = farOffset + 4 + 256;
  for (int i = 0; i < 4; ++i) bytes[farOffset + i] = 0xFF;  // offset near 4 GiB
  for (int i = 0; i < 4; ++i) bytes[hugeSize + i] = 0xFF;   // 4 GiB long
  Write(dir.path / "odd.spl", bytes);
  ASSERT_TRUE(FS_LoadSPL(FileSystem.Files, "odd.spl"));
  EXPECT_FALSE(sysLoadFile("huge"));
  const GlobalBlock far = sysLoadFile("far");
  ASSERT_TRUE(far);
  EXPECT_EQ(Text(far), std::string(1, '\0'));
}

TEST_F(FileSystemTest, ReleasingADiskFileClosesItsStreamAnArchiveMemberLeavesItsOpen) {
  Write(dir.path / "disk.txt", Bytes("disk"));
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
  Write(dir.path / "disk.bin", Bytes("0123456789"));
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
  Write(dir.path / "loose.txt", Bytes("loose"));
  EXPECT_TRUE(FS_Open(nullptr, "loose.txt"));
  EXPECT_FALSE(FS_Open(nullptr, "missing.txt"));
  EXPECT_FALSE(FS_Open(FileSystem.Files, nullptr));
  FS_Done(nullptr);
}

TEST_F(FileSystemTest, SizesUpToTheCapAreZeroFilledAndLargerOnesRefused) {
  std::vector<uint8_t> bytes = WriteSplArchive({{"big", Bytes("ab")}, {"capped", Bytes("c")}});
  // Records in name order: "big" first, then "capped"; each size field follows its name.
  const size_t bigSize = 256 + 256, cappedSize = bigSize + 264;
  for (int i = 0; i < 4; ++i) {
    bytes[bigSize + i] = static_cast<uint8_t>((MaxFileSize + 1) >> (8 * i));
    bytes[cappedSize + i] = static_cast<uint8_t>((1u << 20) >> (8 * i));
  }
  Write(dir.path / "sizes.spl", bytes);
  ASSERT_TRUE(FS_LoadSPL(FileSystem.Files, "sizes.spl"));
  EXPECT_FALSE(sysLoadFile("big"));
  const GlobalBlock capped = sysLoadFile("capped");
  ASSERT_TRUE(capped);
  ASSERT_EQ(capped.Size(), 1u << 20);
  EXPECT_EQ(capped.Lock()[0], 'c');
  EXPECT_EQ(std::count(capped.Lock().begin(), capped.Lock().end(), 0), (1 << 20) - 1);
}
