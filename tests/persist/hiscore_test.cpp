// The hi-score table: defaults, ranking, ties, the stored value and its names.
#include "persist/hiscore.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/window/window.h"
#include "support/hive_files.h"

namespace {

void StoreHiScore(const std::vector<uint8_t>& bytes) {
  reg::HKEY key = CreateGameKey(reg::HKEY_LOCAL_MACHINE);
  EXPECT_EQ(reg::RegSetValueEx(key, "HiScore", 0, reg::REG_BINARY, bytes.data(),
                               static_cast<reg::DWORD>(bytes.size())),
            reg::ERROR_SUCCESS);
  reg::RegCloseKey(key);
}

std::vector<uint8_t> StoredHiScore(const char* name = "HiScore") {
  reg::HKEY key = CreateGameKey(reg::HKEY_LOCAL_MACHINE);
  std::vector<uint8_t> bytes(1000);
  reg::DWORD size = static_cast<reg::DWORD>(bytes.size());
  EXPECT_EQ(reg::RegQueryValueEx(key, name, nullptr, nullptr, bytes.data(), &size),
            reg::ERROR_SUCCESS)
      << name;
  reg::RegCloseKey(key);
  bytes.resize(size);
  return bytes;
}

bool SameBytes(const std::vector<uint8_t>& a, size_t at, const std::vector<uint8_t>& b, size_t from,
               size_t count) {
  return std::memcmp(a.data() + at, b.data() + from, count) == 0;
}

}  // namespace

// The first run's table; a new score goes below equal ones, scores rank unsigned, the last
// ranked entry drops out and the carried entries 15 to 19 stay as they were.
TEST(HiScore, RanksBelowEqualScoresUnsignedAndDropsTheLastRanked) {
  IsolatedUserData data;
  HiScores = HiScoreState{};
  ASSERT_TRUE(hisLoadData());
  for (size_t i = 0; i < 15; ++i) {
    EXPECT_EQ(hisName(i), "Halvo team");
    EXPECT_EQ(HiScores.Table[i].score, 750u - 50 * i);
  }
  EXPECT_EQ(HiScores.Table[15].score, 0u);
  EXPECT_EQ(static_cast<int32_t>(HiScores.Table[19].score), -200);
  EXPECT_FALSE(hisQualifies(50));
  EXPECT_TRUE(hisQualifies(51));
  const HiScoreEntry carried = HiScores.Table[15];
  hisInsert("Tie", 750);
  EXPECT_EQ(hisName(0), "Halvo team");
  EXPECT_EQ(hisName(1), "Tie");
  EXPECT_EQ(HiScores.Table[14].score, 100u);  // 50 is gone
  hisInsert("Top", 0xFFFFFFFFu);              // unsigned: above every score
  EXPECT_EQ(hisName(0), "Top");
  EXPECT_EQ(hisName(2), "Tie");
  EXPECT_FALSE(hisQualifies(150));
  hisInsert("Nemo", 151);
  EXPECT_EQ(hisName(14), "Nemo");
  EXPECT_EQ(HiScores.Table[13].score, 200u);
  EXPECT_EQ(std::memcmp(&HiScores.Table[15], &carried, sizeof carried), 0);

  for (auto& e : HiScores.Table) e.score = 300;
  std::strcpy(HiScores.Table[14].name, "Last");
  EXPECT_FALSE(hisQualifies(300));
  hisInsert("Higher", 301);
  EXPECT_EQ(hisName(0), "Higher");
  for (size_t i = 1; i < 15; ++i) EXPECT_NE(hisName(i), "Last");
}

// A value of the wrong size is kept aside at the save, once, before it is overwritten; a
// longer one holds a whole table first, and that is used.
TEST(HiScore, AValueOfTheWrongSizeIsKeptAsideAndALongerOneUsed) {
  for (size_t size : {719u, 721u, 0u}) {
    SCOPED_TRACE(size);
    IsolatedUserData data;
    const std::vector<uint8_t> damaged(size, 0x11);
    StoreHiScore(damaged);
    HiScores = HiScoreState{};
    ASSERT_TRUE(hisLoadData());
    EXPECT_EQ(HiScores.Table[0].score, size > 720 ? 0x11111111u : 750u);
    EXPECT_EQ(StoredHiScore().size(), size);  // nothing is written back on load
    ASSERT_TRUE(hisSaveData());
    const std::vector<uint8_t> saved = StoredHiScore();
    ASSERT_EQ(saved.size(), 720u);
    if (size > 720)
      EXPECT_TRUE(SameBytes(saved, 15 * 36, damaged, 15 * 36, 5 * 36));
    else
      EXPECT_EQ(std::memcmp(saved.data(), "Halvo team", 11), 0);
    ASSERT_TRUE(hisSaveData());
    StoreHiScore(std::vector<uint8_t>(3, 0x22));  // damaged again, differently
    ASSERT_TRUE(hisSaveData());
    EXPECT_EQ(StoredHiScore("HiScore.bad"), damaged);
    EXPECT_EQ(StoredHiScore("HiScore.bad.1"), std::vector<uint8_t>(3, 0x22));
  }
}

// Two games load the same table; each saves its own results into the table as the other
// left it, equal scores below those stored first.
TEST(HiScore, TwoGamesAtOnceKeepEachOthersResults) {
  IsolatedUserData data;
  ASSERT_TRUE(hisLoadData());
  const HiScoreState start = HiScores;
  hisInsert("A", 9000);
  ASSERT_TRUE(hisSaveData());
  HiScores = start;  // the second game, loaded before the first saved
  hisInsert("B", 9000);
  hisInsert("C", 750);
  ASSERT_TRUE(hisSaveData());
  ASSERT_TRUE(hisLoadData());
  const char* names[] = {"A", "B", "Halvo team", "C", "Halvo team"};
  const uint32_t scores[] = {9000, 9000, 750, 750, 700};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(hisName(i), names[i]) << i;
    EXPECT_EQ(HiScores.Table[i].score, scores[i]) << i;
  }
  EXPECT_EQ(HiScores.Table[14].score, 200u);

  // Processes saving in turn as fast as they can: every result of both reaches the table.
  pid_t children[2];
  for (int c = 0; c < 2; ++c) {
    children[c] = fork();
    if (children[c] == 0) {
      bool ok = true;
      for (uint32_t i = 0; i < 8; ++i) {
        ok = ok && hisLoadData();
        hisInsert(c ? "odd" : "even", 20000 + 2 * i + c);
        ok = ok && hisSaveData();
      }
      _exit(ok ? 0 : 1);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  ASSERT_TRUE(hisLoadData());
  for (uint32_t i = 0; i < 15; ++i) EXPECT_EQ(HiScores.Table[i].score, 20015 - i) << i;
}

// Every score and name byte chosen, little-endian scores; names never run past their field.
TEST(HiScore, AStoredTableSurvivesByteForByteAndNamesStayInTheirFields) {
  IsolatedUserData data;
  std::vector<uint8_t> stored(720);
  for (size_t i = 0; i < 720; ++i) stored[i] = static_cast<uint8_t>(i * 7 + 3);
  for (size_t e = 0; e < 15; ++e) {
    stored[e * 36 + 10] = 0;  // ranked names end inside their field
    const uint32_t score = 10000 - 100 * static_cast<uint32_t>(e);
    std::memcpy(&stored[e * 36 + 32], &score, 4);
  }
  StoreHiScore(stored);
  ASSERT_TRUE(hisLoadData());
  EXPECT_EQ(HiScores.Table[1].score, 9900u);
  ASSERT_TRUE(hisSaveData());
  EXPECT_EQ(StoredHiScore(), stored);
  ASSERT_TRUE(hisLoadData());
  hisInsert("Nemo", 9950);
  ASSERT_TRUE(hisSaveData());
  std::vector<uint8_t> saved = StoredHiScore();
  EXPECT_TRUE(SameBytes(saved, 15 * 36, stored, 15 * 36, 5 * 36));  // carried as they were
  EXPECT_EQ(std::memcmp(&saved[36], "Nemo", 5), 0);
  EXPECT_TRUE(SameBytes(saved, 72, stored, 36, 36));  // 9900 moved down one
  EXPECT_TRUE(SameBytes(saved, 14 * 36, stored, 13 * 36, 36));

  std::memset(saved.data(), 'A', 32);  // entry 0 without a terminator
  std::memset(saved.data() + 16 * 36, 'B', 36);
  StoreHiScore(saved);
  ASSERT_TRUE(hisLoadData());
  EXPECT_EQ(hisName(0), std::string(31, 'A'));
  EXPECT_EQ(hisName(16), std::string(31, 'B'));  // shown cut, stored as it was
  hisInsert("Z", 20000);
  EXPECT_EQ(hisName(1), std::string(31, 'A'));
  EXPECT_EQ(std::strlen(HiScores.Table[1].name), 31u);
  ASSERT_TRUE(hisSaveData());
  EXPECT_TRUE(SameBytes(StoredHiScore(), 16 * 36, saved, 16 * 36, 36));
  hisInsert(std::string(39, 'x').c_str(), 30000);
  EXPECT_EQ(hisName(0), std::string(31, 'x'));
  EXPECT_EQ(HiScores.Table[0].name[31], '\0');
  EXPECT_EQ(HiScores.Table[0].score, 30000u);
  EXPECT_EQ(hisName(20), "");
}

TEST(HiScore, FailuresToLoadAndSaveAreReported) {
  IsolatedUserData data;
  win::testing::Reset();
  ASSERT_TRUE(hisLoadData());
  reg::testing::FailNextReplaceBeforeRename();
  EXPECT_FALSE(hisSaveData());
  std::filesystem::remove(MachineHive(data));
  EXPECT_FALSE(hisSaveData());
  std::filesystem::remove_all(data.dir.path / "HalvoTeam");
  WriteFile(data.dir.path / "HalvoTeam", "a file where the folder should be");
  EXPECT_FALSE(hisLoadData());
  EXPECT_EQ(win::testing::MessageBoxes(),
            (std::vector<std::string>{"hisSaveData: RegSetValueEx", "hisSaveData: RegOpenKeyEx",
                                      "hisLoadData: RegCreateKeyEx"}));
}
