#pragma once
// Streaming a disc to the shared audio output beside the sound effects, and the
// notification that ends each play request.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/cdaudio/disc.h"
#include "platform/window/window.h"

namespace mci {

struct DiscPosition {
  int track = 1;
  int64_t frame = 0;  // within the track
};

// Starts streaming `disc` (which must outlive playback). Manual: no audio callback and
// no reader thread; playback moves only through AdvancePlayback.
void StartPlayback(Disc& disc, bool manual);
void EndPlayback();  // aborts a waiting notification, then stops everything

// A play request from `from` to the end of the disc. With `notify`, MM_MCINOTIFY goes to
// `window` when it ends; a request still waiting is superseded (by a request that notifies)
// or aborted.
void PlayFrom(DiscPosition from, bool notify, win::HWND window);
void PausePlayback();  // keeps the position
void StopPlayback();   // back to the start of the disc
DiscPosition PlayedPosition();
// The music's level, 0 (silent) to 1000 (the disc as recorded); kept across discs.
void SetPlaybackVolume(int perMille);

std::vector<int16_t> AdvancePlayback(size_t frames);

}  // namespace mci
