#pragma once
// A folder of the game's own with an archive of test pictures, user data of its own, and no
// messages or boxes left from an earlier test.
#include <gtest/gtest.h>

#include "app/shell.h"
#include "platform/window/window.h"
#include "support/game_pictures.h"
#include "support/temp_dir.h"

struct GameFolder : ::testing::Test {
  IsolatedUserData data;
  InTempDir here;
  void SetUp() override { Prepare(32); }
  static void Prepare(int depth) {
    win::testing::Reset();
    WriteGameArchive(GamePictureFiles(depth), "Nauvrel.spl");
  }
};
