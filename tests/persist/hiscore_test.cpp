// The hi-score table: ranking, the stored value and its names; and the registry fuzz seeds.
#include "persist/hiscore.h"

#include <gtest/gtest.h>

#include <cstring>

#include "fuzz/registry_fuzz.h"
#include "platform/window/window.h"
#include "support/hive_files.h"

namespace {

using Table = std::vector<uint8_t>;

void StoreHiScore(const Table& bytes) {
  reg::HKEY key = CreateGameKey(reg::HKEY_LOCAL_MACHINE);
  EXPECT_EQ(reg::RegSetValueEx(key, "HiScore", 0, reg::REG_BINARY, bytes.data(),
                               static_cast<reg::DWORD>(bytes.size())),
            reg::ERROR_SUCCESS);
  reg::RegCloseKey(key);
}

Table StoredHiScore(const char* name = "HiScore") {
  reg::HKEY key = CreateGameKey(reg::HKEY_LOCAL_MACHINE);
  Table bytes(1000);
  reg::DWORD size = 1000;
  EXPECT_EQ(reg::RegQueryValueEx(key, name, nullptr, nullptr, bytes.data(), &size),
            reg::ERROR_SUCCESS)
      << name;
  reg::RegCloseKey(key);
  bytes.resize(size);
  return bytes;
}

// Entries [from, from + count) of a stored table; empty when it is too short.
Table Entries(const Table& t, size_t from, size_t count = 1) {
  if (t.size() < 36 * (from + count)) return {};
  return {t.begin() + 36 * from, t.begin() + 36 * (from + count)};
}

}  // namespace

// The first run's table; a new score goes below equal ones, scores rank unsigned, the last
// ranked entry drops out and the carried entries 15 to 19 stay as they were.
TEST(HiScore, RanksBelowEqualScoresUnsignedAndDropsTheLastRanked) {
  IsolatedUserData data;
  HiScores = HiScoreState{};
  ASSERT_TRUE(hisLoadData());
  for (size_t i = 0; i < 15; ++i) EXPECT_EQ(HiScores.Table[i].score, 750u - 50 * i);
  EXPECT_EQ(std::pair(hisName(14), static_cast<int32_t>(HiScores.Table[19].score)),
            std::pair(std::string_view("Halvo team"), -200));
  EXPECT_EQ(std::pair(hisQualifies(50), hisQualifies(51)), std::pair(false, true));
  const HiScoreEntry carried = HiScores.Table[15];
  hisInsert("Tie", 750);
  EXPECT_EQ(hisName(1), "Tie");
  EXPECT_EQ(HiScores.Table[14].score, 100u);  // 50 is gone
  hisInsert("Top", 0xFFFFFFFFu);              // unsigned: above every score
  EXPECT_EQ(hisName(0), "Top");
  EXPECT_EQ(std::memcmp(&HiScores.Table[15], &carried, sizeof carried), 0);
}

// A value of the wrong size is kept aside at the save, once, before it is overwritten; a
// longer one holds a whole table first, and that is used.
TEST(HiScore, AValueOfTheWrongSizeIsKeptAsideAndALongerOneUsed) {
  for (size_t size : {719u, 721u, 0u}) {
    SCOPED_TRACE(size);
    IsolatedUserData data;
    const Table damaged(size, 0x11);
    StoreHiScore(damaged);
    HiScores = HiScoreState{};
    ASSERT_TRUE(hisLoadData());
    EXPECT_EQ(HiScores.Table[0].score, size > 720 ? 0x11111111u : 750u);
    EXPECT_EQ(StoredHiScore().size(), size);  // nothing is written back on load
    ASSERT_TRUE(hisSaveData() && hisSaveData());
    const Table saved = StoredHiScore();
    ASSERT_EQ(saved.size(), 720u);
    if (size > 720) {
      EXPECT_EQ(Entries(saved, 15, 5), Entries(damaged, 15, 5));
    }
    StoreHiScore(Table(3, 0x22));  // damaged again, differently
    ASSERT_TRUE(hisSaveData());
    EXPECT_EQ(StoredHiScore("HiScore.bad"), damaged);
    EXPECT_EQ(StoredHiScore("HiScore.bad.1"), Table(3, 0x22));
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
  const std::pair<std::string_view, uint32_t> top[] = {
      {"A", 9000}, {"B", 9000}, {"Halvo team", 750}, {"C", 750}, {"Halvo team", 700}};
  for (size_t i = 0; i < 5; ++i)
    EXPECT_EQ(std::pair(hisName(i), HiScores.Table[i].score), top[i]) << i;
}

// Every score and name byte chosen, little-endian scores; names never run past their field.
TEST(HiScore, AStoredTableSurvivesByteForByteAndNamesStayInTheirFields) {
  IsolatedUserData data;
  Table stored(720);
  for (size_t i = 0; i < 720; ++i) stored[i] = static_cast<uint8_t>(i * 7 + 3);
  for (size_t e = 0; e < 15; ++e) {
    stored[e * 36 + 10] = 0;  // ranked names end inside their field
    const uint32_t score = 10000 - 100 * static_cast<uint32_t>(e);
    std::memcpy(&stored[e * 36 + 32], &score, 4);
  }
  StoreHiScore(stored);
  ASSERT_TRUE(hisLoadData() && hisSaveData());
  EXPECT_EQ(StoredHiScore(), stored);
  hisInsert("Nemo", 9950);
  ASSERT_TRUE(hisSaveData());
  Table saved = StoredHiScore();
  EXPECT_EQ(Entries(saved, 15, 5), Entries(stored, 15, 5));  // carried as they were
  EXPECT_TRUE(std::memcmp(&saved[36], "Nemo", 5) == 0 &&
              Entries(saved, 2, 13) == Entries(stored, 1, 13));  // moved down one

  std::memset(saved.data(), 'A', 32);  // entry 0 without a terminator
  std::memset(saved.data() + 16 * 36, 'B', 36);
  StoreHiScore(saved);
  ASSERT_TRUE(hisLoadData());
  EXPECT_EQ(hisName(16), std::string(31, 'B'));  // shown cut, stored as it was
  hisInsert("Z", 20000);
  EXPECT_EQ(std::string(HiScores.Table[1].name), std::string(31, 'A'));
  ASSERT_TRUE(hisSaveData());
  EXPECT_EQ(Entries(StoredHiScore(), 16), Entries(saved, 16));
  hisInsert(std::string(39, 'x').c_str(), 30000);
  EXPECT_EQ(std::tuple(hisName(0), HiScores.Table[0].score, hisName(20)),
            std::tuple(std::string(31, 'x'), 30000u, std::string()));
}

// A save that fails at its write is the exit test's, which also sees nothing lost.
TEST(HiScore, FailuresToLoadAndSaveAreReported) {
  IsolatedUserData data;
  win::testing::Reset();
  ASSERT_TRUE(hisLoadData());
  std::filesystem::remove(MachineHive(data));
  EXPECT_FALSE(hisSaveData());
  std::filesystem::remove_all(data.dir.path / "HalvoTeam");
  WriteFile(data.dir.path / "HalvoTeam", "a file where the folder should be");
  EXPECT_FALSE(hisLoadData());
  EXPECT_EQ(win::testing::MessageBoxes(),
            (std::vector<std::string>{"hisSaveData: RegOpenKeyEx", "hisLoadData: RegCreateKeyEx"}));
}

TEST(RegistryFuzzCorpus, EverySeedHoldsTheInvariants) {
  IsolatedUserData data;
  using Entry = int (*)(const uint8_t*, size_t);
  for (const auto& [corpus, entry] :
       {std::pair<const char*, Entry>{"registry/reader", FuzzRegistryFile},
        {"registry/hiscore", FuzzHiScoreValue}}) {
    const auto seeds = CorpusSeeds(corpus);
    EXPECT_GE(seeds.size(), 5u) << corpus;
    for (const auto& [name, bytes] : seeds)
      entry(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
}
