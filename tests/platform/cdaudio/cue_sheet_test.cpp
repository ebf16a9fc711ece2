// Sheets whose track numbers libcdio would index its tables out of bounds with are refused
// before it reads them.
#include <SDL.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/cdaudio/disc.h"
#include "platform/system/debug.h"
#include "support/disc_fixture.h"
#include "support/temp_dir.h"

namespace {

TEST(CueSheet, TrackNumbersMustRiseByOneWithinTheDisc) {
  const struct {
    const char* tracks;
    bool inOrder;
  } cases[] = {
      {"TRACK 01 AUDIO\nTRACK 02 AUDIO\n", true},
      {"  track 05 audio\r\n\tTrack 06 MODE1/2352\r\n", true},  // any case, indented, CRLF
      {"REM TRACK 99\nTRACK 98 AUDIO\nTRACK 99 AUDIO\n", true},
      {"FILE \"a.bin\" BINARY\n", true},  // no tracks: libcdio's to refuse
      {"TRACK 99 AUDIO\nTRACK 01 AUDIO\n", false},
      {"TRACK 01 AUDIO\nTRACK 03 AUDIO\n", false},
      {"TRACK 01 AUDIO\nTRACK 01 AUDIO\n", false},
      {"TRACK 00 AUDIO\n", false},
      {"TRACK 100 AUDIO\n", false},
      {"TRACK x1 AUDIO\n", false},
      {"TRACK\n", false},
  };
  for (const auto& c : cases) EXPECT_EQ(mci::CueTracksInOrder(c.tracks), c.inOrder) << c.tracks;
}

void KeepLine(void* log, int, SDL_LogPriority, const char* message) {
  *static_cast<std::string*>(log) += message;
}

TEST(CueSheet, AnImageWithTracksOutOfOrderIsNotOpened) {
  TempDir dir;
  cdtest::WriteImage(dir.path, {{true, 4}, {true, 4}});
  std::ofstream(dir.path / "disc.cue") << "FILE \"disc.bin\" BINARY\n  TRACK 99 AUDIO\n"
                                          "    INDEX 01 00:00:00\n  TRACK 01 AUDIO\n";
  std::string log;
  SDL_LogSetOutputFunction(KeepLine, &log);
  EnableDebugOutput();
  const bool opened = mci::OpenImageDisc((dir.path / "disc.cue").string()).has_value();
  SDL_LogResetPriorities();
  SDL_LogSetOutputFunction(nullptr, nullptr);
  EXPECT_FALSE(opened);
  EXPECT_NE(log.find("track numbers out of order"), std::string::npos) << log;
}

}  // namespace
