// The registry over real hive files in a test's own data folder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/registry/registry.h"
#include "support/hive_files.h"

namespace {

reg::LONG SetDword(reg::HKEY key, const char* name, uint32_t v) {
  return reg::RegSetValueEx(key, name, 0, reg::REG_DWORD, reinterpret_cast<const reg::BYTE*>(&v),
                            4);
}

uint32_t QueryDword(reg::HKEY key, const char* name) {
  uint32_t v = 0;
  reg::DWORD type = 0, size = 4;
  EXPECT_EQ(
      reg::RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<reg::BYTE*>(&v), &size),
      reg::ERROR_SUCCESS)
      << name;
  EXPECT_EQ(type, reg::REG_DWORD);
  return v;
}

const std::string Known =
    "REGEDIT4\r\n\r\n; kept by hand\r\n[HKEY_CURRENT_USER\\Software\\HalvoTeam\\Nauvrel]\r\n"
    "\"Future\"=hex(7):61,00,62,00,00\r\n\"MineBubbles\"=dword:00000010\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Someone\\Else]\r\n"
    "\"Blob\"=hex:01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,17,\\\r\n"
    "  18,19\r\n\r\n";

class KnownHive : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(UserHive(data), Known);
    key = CreateGameKey(reg::HKEY_CURRENT_USER);
  }
  void TearDown() override { reg::RegCloseKey(key); }
  IsolatedUserData data;
  reg::HKEY key = nullptr;
};

}  // namespace

// A damaged line costs only its own value; the file is kept aside before it is replaced,
// and one that is no hive at all reads as empty.
TEST(RegistryStore, ADamagedFileKeepsWhatReadsAndIsKeptAsideBeforeItIsReplaced) {
  IsolatedUserData data;
  const std::string corrupt =
      "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\HalvoTeam\\Nauvrel]\n"
      "\"NauvrelBubbles\"=dword:00000007\n\"MineBubbles\"=dword:zz\n";
  WriteFile(UserHive(data), corrupt);
  reg::HKEY key = nullptr;
  ASSERT_EQ(reg::RegOpenKeyEx(reg::HKEY_CURRENT_USER, GameKey, 0, reg::KEY_ALL_ACCESS, &key),
            reg::ERROR_SUCCESS);
  EXPECT_EQ(QueryDword(key, "NauvrelBubbles"), 7u);
  reg::DWORD size = 4;
  reg::BYTE bytes[4];
  EXPECT_EQ(reg::RegQueryValueEx(key, "MineBubbles", nullptr, nullptr, bytes, &size),
            reg::ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(ReadFile(UserHive(data)), corrupt);  // reading changes nothing

  ASSERT_EQ(SetDword(key, "MineBubbles", 5), reg::ERROR_SUCCESS);
  reg::RegCloseKey(key);
  const std::string bad = UserHive(data).string() + ".bad";
  EXPECT_EQ(ReadFile(bad), corrupt);
  EXPECT_EQ(ReadFile(UserHive(data)),
            "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\HalvoTeam\\Nauvrel]\n"
            "\"NauvrelBubbles\"=dword:00000007\n\"MineBubbles\"=dword:00000005\n");

  // No hive at all: read as empty; the first backup stays, the second gets a number.
  WriteFile(UserHive(data), "garbage");
  reg::RegCloseKey(CreateGameKey(reg::HKEY_CURRENT_USER));
  EXPECT_EQ(ReadFile(bad), corrupt);
  EXPECT_EQ(ReadFile(bad + ".1"), "garbage");
}

// Values set in a transaction reach the file together at the commit, and a value read in
// it that another writer changed meanwhile makes the commit write nothing.
TEST_F(KnownHive, ATransactionWritesAllItsValuesAtOnceOrNone) {
  const auto transacted = [](reg::HANDLE t) {
    reg::HKEY opened = nullptr;
    EXPECT_EQ(reg::RegOpenKeyTransacted(reg::HKEY_CURRENT_USER, GameKey, 0, reg::KEY_ALL_ACCESS,
                                        &opened, t, nullptr),
              reg::ERROR_SUCCESS);
    return opened;
  };
  reg::HANDLE t = reg::CreateTransaction();
  reg::HKEY inside = transacted(t);
  ASSERT_EQ(SetDword(inside, "MineBubbles", 1), reg::ERROR_SUCCESS);
  ASSERT_EQ(SetDword(inside, "UseSound", 0), reg::ERROR_SUCCESS);
  EXPECT_EQ(QueryDword(inside, "MineBubbles"), 1u);  // the transaction sees its own
  EXPECT_EQ(ReadFile(UserHive(data)), Known);        // the file does not yet
  ASSERT_EQ(reg::CommitTransaction(t), reg::ERROR_SUCCESS);
  EXPECT_EQ(SetDword(inside, "MineBubbles", 2), reg::ERROR_TRANSACTION_NOT_ACTIVE);
  reg::RegCloseKey(inside);
  reg::CloseHandle(t);
  EXPECT_EQ(QueryDword(key, "MineBubbles"), 1u);
  EXPECT_EQ(QueryDword(key, "UseSound"), 0u);

  // Read, then another writer, then the commit: a conflict, and nothing written.
  t = reg::CreateTransaction();
  inside = transacted(t);
  EXPECT_EQ(QueryDword(inside, "MineBubbles"), 1u);
  ASSERT_EQ(SetDword(inside, "UseSound", 1), reg::ERROR_SUCCESS);
  ASSERT_EQ(SetDword(key, "MineBubbles", 9), reg::ERROR_SUCCESS);
  EXPECT_EQ(reg::CommitTransaction(t), reg::ERROR_TRANSACTIONAL_CONFLICT);
  reg::RegCloseKey(inside);
  reg::CloseHandle(t);
  EXPECT_EQ(QueryDword(key, "UseSound"), 0u);
}

TEST_F(KnownHive, AWriteInterruptedBeforeTheRenameLeavesTheOldFileWhole) {
  reg::testing::FailNextReplaceBeforeRename();
  EXPECT_EQ(SetDword(key, "MineBubbles", 1), reg::ERROR_REGISTRY_IO_FAILED);
  EXPECT_EQ(ReadFile(UserHive(data)), Known);
  EXPECT_EQ(QueryDword(key, "MineBubbles"), 16u);
  // The half-done temporary file does not stop the next write, which leaves none behind
  // and changes only its own value.
  ASSERT_EQ(SetDword(key, "MineBubbles", 192), reg::ERROR_SUCCESS);
  std::string expected = Known;
  expected.replace(expected.find("00000010"), 8, "000000c0");
  EXPECT_EQ(ReadFile(UserHive(data)), expected);
  EXPECT_FALSE(std::filesystem::exists(UserHive(data).string() + ".tmp"));
}

// Another writer holding the hive's lock keeps a write waiting until it lets go.
TEST_F(KnownHive, AWriteWaitsForTheLockAnotherWriterHolds) {
  const int other = open((UserHive(data).string() + ".lock").c_str(), O_RDWR | O_CREAT, 0644);
  ASSERT_GE(other, 0);
  ASSERT_EQ(flock(other, LOCK_EX), 0);
  std::thread writer([&] { EXPECT_EQ(SetDword(key, "MineBubbles", 3), reg::ERROR_SUCCESS); });
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(ReadFile(UserHive(data)), Known);  // still waiting
  close(other);
  writer.join();
  EXPECT_EQ(QueryDword(key, "MineBubbles"), 3u);
}
