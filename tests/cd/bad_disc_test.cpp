// No disc, discs without music, broken images and odd folders: they are refused, or played
// within their bounds, never read past; and never with a message.
#include <filesystem>
#include <functional>

#include "audio/cd.h"
#include "disc_fixture.h"
#include "platform/mci.h"
#include "platform/window.h"
#include "support/files.h"

namespace cdtest {
namespace {

namespace fs = std::filesystem;

void Cue(const fs::path& folder, const std::string& text) { WriteFile(folder / "disc.cue", text); }

TEST_F(CDTest, BadDiscsOpenOnlyAsFarAsTheyHoldMusicAndPlayWithinBounds) {
  const struct {
    const char* what;
    bool mayOpen;
    std::function<void(const fs::path&)> make;
  } cases[] = {
      {"no disc", false, [](const fs::path&) {}},
      {"a data track first", false,
       [](const fs::path& f) {
         WriteImage(f, {{false, 10}, {true, 10}});
       }},
      {"no tracks", false,
       [](const fs::path& f) { Cue(f, "REM no tracks at all\nFILE \"disc.bin\" BINARY\n"); }},
      {"garbage sheet", false,
       [](const fs::path& f) {
         WriteImage(f, {{true, 4}});
         std::string garbage(600, '\0');
         for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 37 + 11);
         Cue(f, garbage);
       }},
      {"sheet without its image", false,
       [](const fs::path& f) {
         Cue(f, "FILE \"gone.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
       }},
      {"odd files", false,
       [](const fs::path& f) {  // track 1 does not decode: no music disc
         fs::create_directory(f / "07 a folder.wav");
         WriteFile(f / "01 empty.wav", "");
         WriteFile(f / "02 noise.mp3", std::string(3000, 'Z'));
         WriteFile(f / "cover.jpg", "JFIF");
       }},
      {"track beyond a short image", true,
       [](const fs::path& f) {
         WriteImage(f, {{true, 4}});
         Cue(f,
             "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
             "  TRACK 02 AUDIO\n    INDEX 01 10:00:00\n");
       }},
      {"image cut inside a sector", true,
       [](const fs::path& f) {
         WriteImage(f, {{true, 3}, {true, 3}});
         fs::resize_file(f / "disc.bin", 5 * 2352 + 1000);
       }},
      {"malformed index", true,
       [](const fs::path& f) {
         WriteImage(f, {{true, 4}});
         Cue(f, "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:99\n");
       }},
      {"malformed track numbers", true,
       [](const fs::path& f) {
         WriteImage(f, {{true, 4}});
         Cue(f,
             "FILE \"disc.bin\" BINARY\n  TRACK 99 AUDIO\n    INDEX 01 00:00:00\n"
             "  TRACK 01 AUDIO\n");
       }},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path folder = dir.path / std::to_string(++n);
    fs::create_directory(folder);
    c.make(folder);
    mci::testing::SetDiscFolder(folder.string());
    ASSERT_TRUE(cdInit());
    EXPECT_TRUE(win::testing::MessageBoxes().empty());
    if (!CD.CDOpen) {
      EXPECT_EQ(Send("status cdaudio media present"), "error 263");  // closed again
      continue;
    }
    EXPECT_TRUE(c.mayOpen);
    // Whatever opens must play to its end and stop there.
    const uintmax_t binBytes = fs::file_size(folder / "disc.bin");
    ASSERT_TRUE(cdResume());
    const size_t frames = mci::testing::Advance(binBytes).size() / 2;
    EXPECT_LE(frames * 4, binBytes);
    EXPECT_TRUE(mci::testing::Advance(10).empty());  // over, nothing left to read
    EXPECT_EQ(TakeNotifications(), std::vector<uint64_t>{mci::MCI_NOTIFY_SUCCESSFUL});
    ASSERT_TRUE(cdClose());
  }
}

}  // namespace
}  // namespace cdtest
