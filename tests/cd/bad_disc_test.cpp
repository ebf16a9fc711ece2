// Broken images and odd folders are refused or played within their bounds, never read past.
#include <filesystem>
#include <fstream>

#include "audio/cd.h"
#include "disc_fixture.h"
#include "platform/mci.h"
#include "platform/window.h"

namespace cdtest {
namespace {

class BadDisc : public CDTest {
 protected:
  // Whatever opens must play to its end and stop there.
  void PlaysWithinBounds(uintmax_t binBytes) {
    ASSERT_TRUE(cdInit());
    EXPECT_TRUE(win::testing::MessageBoxes().empty());
    if (!CD.CDOpen) return;
    ASSERT_TRUE(cdResume());
    size_t frames = mci::testing::Advance(binBytes).size() / 2;
    EXPECT_LE(frames * 4, binBytes);
    EXPECT_TRUE(mci::testing::Advance(10).empty());  // over, nothing left to read
    EXPECT_EQ(TakeNotifications(), std::vector<uint64_t>{mci::MCI_NOTIFY_SUCCESSFUL});
  }
  void Cue(const std::string& text) { WriteText(dir.path / "disc.cue", text); }
  uintmax_t BinBytes() { return std::filesystem::file_size(dir.path / "disc.bin"); }
};

TEST_F(BadDisc, GarbageSheet) {
  WriteImage(dir.path, {{true, 4}});
  std::string garbage(600, '\0');
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 37 + 11);
  Cue(garbage);
  PlaysWithinBounds(BinBytes());
  EXPECT_FALSE(CD.CDOpen);
}

TEST_F(BadDisc, SheetWithoutItsImage) {
  Cue("FILE \"gone.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
  EXPECT_TRUE(cdInit());
  EXPECT_FALSE(CD.CDOpen);
}

TEST_F(BadDisc, TrackBeyondAShortImage) {
  WriteImage(dir.path, {{true, 4}});
  Cue("FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
      "  TRACK 02 AUDIO\n    INDEX 01 10:00:00\n");
  PlaysWithinBounds(BinBytes());
}

TEST_F(BadDisc, ImageCutInTheMiddleOfASector) {
  WriteImage(dir.path, {{true, 3}, {true, 3}});
  std::filesystem::resize_file(dir.path / "disc.bin", 5 * 2352 + 1000);
  PlaysWithinBounds(BinBytes());
}

TEST_F(BadDisc, MalformedIndexAndTrackNumbers) {
  WriteImage(dir.path, {{true, 4}});
  Cue("FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:99\n");
  PlaysWithinBounds(BinBytes());
  Cue("FILE \"disc.bin\" BINARY\n  TRACK 99 AUDIO\n    INDEX 01 00:00:00\n  TRACK 01 AUDIO\n");
  PlaysWithinBounds(BinBytes());
}

TEST_F(BadDisc, OddFilesInTheFolder) {
  std::filesystem::create_directory(dir.path / "07 a folder.wav");
  WriteText(dir.path / "01 empty.wav", "");
  WriteText(dir.path / "02 noise.mp3", std::string(3000, 'Z'));
  WriteText(dir.path / "cover.jpg", "JFIF");
  ASSERT_TRUE(cdInit());
  EXPECT_FALSE(CD.CDOpen);  // track 1 does not decode: no music disc
  EXPECT_TRUE(win::testing::MessageBoxes().empty());
}

}  // namespace
}  // namespace cdtest
