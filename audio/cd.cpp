// CD-audio music: the game's side of the MCI conversation with "cdaudio".
#include "audio/cd.h"

#include <cctype>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/shell.h"
#include "platform/cdaudio/mci.h"

namespace {

enum class DiscCheck { MusicDisc, NoMusicDisc, Failed };

bool Send(const char* command) { return mci::mciSendString(command, nullptr, 0, nullptr) == 0; }

bool SendNotify(const char* command) {
  return mci::mciSendString(command, nullptr, 0, Shell.Window) == 0;
}

template <size_t N>
bool Ask(const char* command, char (&reply)[N]) {
  return mci::mciSendString(command, reply, N, nullptr) == 0;
}

// Replies are compared as the system's lstrcmpi does: without regard to case.
bool SameText(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b)
    if (std::tolower(static_cast<unsigned char>(*a)) !=
        std::tolower(static_cast<unsigned char>(*b)))
      return false;
  return *a == *b;
}

void CloseDevice() {
  Send("close cdaudio");  // its failure changes nothing
  CD.CDOpen = false;
}

DiscCheck cdCheckDisc() {
  char reply[10] = {};
  if (!Ask("capability cdaudio has audio", reply)) {
    sysShowError("capability cdaudio has audio");
    return DiscCheck::Failed;
  }
  if (!SameText(reply, "true")) {
    CloseDevice();
    return DiscCheck::NoMusicDisc;
  }
  if (!Ask("status cdaudio type track 1", reply)) {
    sysShowError("capability cdaudio can play");
    return DiscCheck::Failed;
  }
  if (SameText(reply, "zvuk")) return DiscCheck::MusicDisc;
  CloseDevice();
  return DiscCheck::NoMusicDisc;
}

// Current track while a play request runs; `idle` otherwise. False: reported.
// The disc is looked at again after each question: nothing while a music disc is still in,
// otherwise what cdInit returns (the device closed when there is no music to play).
std::optional<bool> StopUnlessMusicDisc() {
  switch (cdCheckDisc()) {
    case DiscCheck::Failed:
      return false;
    case DiscCheck::NoMusicDisc:
      CloseDevice();
      return true;
    case DiscCheck::MusicDisc:
      break;
  }
  return std::nullopt;
}

bool CurrentTrack(int idle, int& track) {
  track = idle;
  if (!CD.CDPlaying) return true;
  char reply[50] = {};
  if (!Ask("status cdaudio current track", reply))
    return sysShowError("status cdaudio current track");
  track = std::atoi(reply);
  return true;
}

bool PlayTrack(int track) {
  std::string command = "play cdaudio from " + std::to_string(track) + " notify";
  if (!SendNotify(command.c_str())) return sysShowError(command.c_str());
  CD.CDPlaying = true;
  return true;
}

}  // namespace

bool cdInit() {
  if (Switches.NoCDMusic) {
    CD.CDOpen = false;
    return true;
  }
  if (CD.CDOpen) {
    if (!cdStop()) return false;
    Send("close cdaudio");
  }
  if (!Send("open cdaudio")) {
    CD.CDOpen = false;
    return true;
  }
  CD.CDOpen = true;

  char reply[50] = {};
  if (!Ask("status cdaudio media present", reply))
    return sysShowError("status cdaudio media present failed");
  if (!SameText(reply, "true")) {
    CloseDevice();
    return true;
  }
  if (const std::optional<bool> stop = StopUnlessMusicDisc()) return *stop;
  if (!Ask("status cdaudio number of tracks", reply))
    return sysShowError("status cdaudio number of track failed");
  if (const std::optional<bool> stop = StopUnlessMusicDisc()) return *stop;
  CD.CDTrackCount = std::atoi(reply);
  if (CD.CDTrackCount == 0) {
    CloseDevice();
    return true;
  }
  if (!Send("set cdaudio time format tmsf")) return sysShowError("set cdaudio time format failed");
  CD.CDOpen = true;
  return true;
}

bool cdResume() {
  if (Switches.NoCDMusic || !CD.CDOpen) return true;
  if (!SendNotify("play cdaudio notify")) return sysShowError("play cdaudio notify");
  CD.CDPlaying = true;
  return true;
}

bool cdPause() {
  if (!CD.CDOpen) return true;
  if (!Send("pause cdaudio")) return sysShowError("pause cdaudio");
  CD.CDPlaying = false;
  return true;
}

bool cdStop() {
  if (!CD.CDOpen) return true;
  if (!Send("stop cdaudio")) return sysShowError("stop cdaudio");
  CD.CDPlaying = false;
  return true;
}

bool cdClose() {
  if (!CD.CDOpen) return true;
  bool stopped = Send("stop cdaudio");
  if (stopped)
    CD.CDPlaying = false;
  else
    sysShowError("stop cdaudio");
  Send("close cdaudio");
  CD.CDOpen = false;
  return stopped;
}

// The track after the one playing, the last wrapping to the first. With nothing playing
// (also after the end of the disc) it counts from track 1, so track 2 comes next.
bool cdNextTrack() {
  if (!CD.CDOpen) return true;
  int current = 0;
  if (!CurrentTrack(0, current)) return false;
  if (current == 0) current = 1;
  if (CD.CDTrackCount != 0) return PlayTrack(current % CD.CDTrackCount + 1);
  return true;
}

// Restarts the track playing (wrapping as the next-track formula does); with nothing
// playing, track 1.
bool cdPrevTrack() {
  if (!CD.CDOpen) return true;
  int current = 1;
  if (!CurrentTrack(1, current)) return false;
  int previous = current - 1;
  if (previous == 0) previous = CD.CDTrackCount;
  if (CD.CDTrackCount != 0) return PlayTrack(previous % CD.CDTrackCount + 1);
  return true;
}
