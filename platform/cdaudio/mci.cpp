// The CD-audio device: one alias, "cdaudio", opened on a disc and answering in the words
// the game compares ("true", "zvuk" for an audio track, numbers as text).
#include "platform/cdaudio/mci.h"

#include <cstring>
#include <memory>

#include "platform/cdaudio/command.h"
#include "platform/cdaudio/disc.h"
#include "platform/cdaudio/playback.h"
#include "platform/sound/mixer.h"

namespace mci {
namespace {

struct CDAudioDevice {
  std::unique_ptr<Disc> disc;  // set while open
  bool tmsf = false;           // time format tracks:minutes:seconds:frames, else msf
  bool skipDrives = false;
  std::vector<std::string> folders;  // empty: the default folders, found when opened
  bool manual = false;
  bool failStatus = false;
};
CDAudioDevice Device;

MCIERROR Reply(const std::string& text, char* reply, size_t length) {
  if (!reply || length == 0) return 0;
  if (text.size() + 1 > length) return MCIERR_PARAM_OVERFLOW;
  std::memcpy(reply, text.c_str(), text.size() + 1);
  return 0;
}

int TrackCount() { return static_cast<int>(Device.disc->tracks.size()); }

MCIERROR Open() {
  if (Device.disc) return MCIERR_DEVICE_OPEN;
  if (!mixer::Acquire()) return MCIERR_HARDWARE;
  std::optional<Disc> disc =
      FindDisc(Device.skipDrives, Device.folders.empty() ? DefaultDiscFolders() : Device.folders);
  if (!disc) {
    mixer::Release();
    return MCIERR_DEVICE_NOT_READY;
  }
  Device.disc = std::make_unique<Disc>(std::move(*disc));
  Device.tmsf = false;
  StartPlayback(*Device.disc, Device.manual);
  return 0;
}

void Close() {
  EndPlayback();
  Device.disc.reset();
  mixer::Release();
}

MCIERROR Status(const Command& command, char* reply, size_t length) {
  if (Device.failStatus) return MCIERR_HARDWARE;
  switch (command.item) {
    case Item::MediaPresent:
      return Reply("true", reply, length);
    case Item::NumberOfTracks:
      return Reply(std::to_string(TrackCount()), reply, length);
    case Item::CurrentTrack:
      return Reply(std::to_string(PlayedPosition().track), reply, length);
    case Item::TrackType:
      if (command.track < 1 || command.track > TrackCount()) return MCIERR_OUTOFRANGE;
      return Reply(Device.disc->tracks[command.track - 1].audio ? "zvuk" : "other", reply, length);
    default:
      return MCIERR_UNRECOGNIZED_KEYWORD;
  }
}

bool HasAudio() {
  for (const DiscTrack& track : Device.disc->tracks)
    if (track.audio) return true;
  return false;
}

int64_t Frames(int minutes, int seconds, int frames) {
  return (int64_t{minutes} * 60 * SectorsPerSecond + int64_t{seconds} * SectorsPerSecond + frames) *
         FramesPerSector;
}

// "from" in the current time format: tmsf names a track and a time within it; msf a time
// from the start of the disc.
std::optional<DiscPosition> Resolve(const std::vector<int>& fields) {
  std::vector<int> f = fields;
  f.resize(Device.tmsf ? 4 : 3, 0);
  if (Device.tmsf) {
    if (f[0] < 1 || f[0] > TrackCount() || f[2] > 59 || f[3] >= SectorsPerSecond)
      return std::nullopt;
    int64_t offset = Frames(f[1], f[2], f[3]);
    int64_t length = Device.disc->tracks[f[0] - 1].frames;
    if (offset > 0 && offset >= length) return std::nullopt;
    return DiscPosition{f[0], offset};
  }
  if (f[1] > 59 || f[2] >= SectorsPerSecond) return std::nullopt;
  int64_t offset = Frames(f[0], f[1], f[2]);
  for (int t = 1; t <= TrackCount(); ++t) {
    int64_t length = Device.disc->tracks[t - 1].frames;
    if (offset < length) return DiscPosition{t, offset};
    offset -= length;
  }
  return std::nullopt;
}

MCIERROR Play(const Command& command, win::HWND callback) {
  DiscPosition from = PlayedPosition();
  if (!command.from.empty()) {
    auto resolved = Resolve(command.from);
    if (!resolved) return MCIERR_OUTOFRANGE;
    from = *resolved;
  }
  PlayFrom(from, command.notify, callback);
  return 0;
}

}  // namespace

MCIERROR mciSendString(const char* text, char* reply, size_t replyLength, win::HWND callback) {
  if (reply && replyLength > 0) reply[0] = '\0';
  ParsedCommand parsed = ParseCommand(text ? text : "");
  if (!parsed.command) return parsed.error;
  const Command& command = *parsed.command;

  if (command.verb == Verb::Open) return Open();
  // The music's level belongs to the output, so it holds whether a disc is open or not.
  if (command.verb == Verb::SetAudio) {
    SetPlaybackVolume(command.volume);
    return 0;
  }
  if (!Device.disc) return MCIERR_INVALID_DEVICE_NAME;
  switch (command.verb) {
    case Verb::Close:
      Close();
      return 0;
    case Verb::Status:
      return Status(command, reply, replyLength);
    case Verb::Capability:
      return Reply(HasAudio() ? "true" : "false", reply, replyLength);
    case Verb::Set:
      Device.tmsf = command.item == Item::TimeFormatTmsf;
      return 0;
    case Verb::Play:
      return Play(command, callback);
    case Verb::Pause:
      PausePlayback();
      return 0;
    case Verb::Stop:
      StopPlayback();
      return 0;
    default:
      return MCIERR_UNRECOGNIZED_COMMAND;
  }
}

namespace testing {
void SkipDrives(bool skip) { Device.skipDrives = skip; }
void SetDiscFolder(const std::string& folder) { Device.folders = {folder}; }
void FailStatus(bool fail) { Device.failStatus = fail; }
void SetManualStreaming(bool manual) { Device.manual = manual; }
std::vector<int16_t> Advance(size_t frames) {
  if (!Device.disc) return {};
  return AdvancePlayback(frames);
}
void Reset() {
  if (Device.disc) Close();
  Device = CDAudioDevice{};
  SetPlaybackVolume(1000);
}
}  // namespace testing

}  // namespace mci
