#pragma once
// Discs made on the spot: BIN/CUE images and folders of track files whose samples say
// where they come from (left: the frame within the track, right: 100 × the track number).
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/temp_dir.h"

namespace cdtest {

struct ImageTrack {
  bool audio = true;
  int sectors = 10;
};

constexpr int FramesPerSector = 588;

int16_t TrackMark(int track);
int16_t FrameMark(int64_t frame);

// `folder`/disc.cue with `folder`/disc.bin.
void WriteImage(const std::filesystem::path& folder, const std::vector<ImageTrack>& tracks);
// A 44 100 Hz 16-bit stereo WAV file marked as track `track`.
void WriteWav(const std::filesystem::path& file, int track, int frames);

// Sends a command; the reply text, or "error N".
std::string Send(const std::string& command, size_t replyLength = 50);

// The MM_MCINOTIFY codes waiting in the message queue, oldest first (taken out of it).
std::vector<uint64_t> TakeNotifications();

// Every test starts from a closed device, an empty queue and its own disc folder; the
// stream moves only when the test advances it, and drives are left out.
class CDTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  TempDir dir;
};

}  // namespace cdtest
