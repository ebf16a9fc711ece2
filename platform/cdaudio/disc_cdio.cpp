// Drives and BIN images through libcdio: the table of contents, then raw audio sectors.
#include <SDL_endian.h>
#include <cdio/cdio.h>
#include <cdio/logging.h>

#include <algorithm>
#include <cstring>

#include "platform/cdaudio/disc.h"
#include "platform/system/debug.h"

namespace mci {
namespace {

// libcdio reports broken sheets and absent drives on stderr; the game has no console.
void QuietLog(cdio_log_level_t level, const char* message) {
  if (level >= CDIO_LOG_WARN) OutputDebugString((std::string("CD: ") + message).c_str());
}

void QuietenLibrary() {
  static bool done = false;
  if (done) return;
  cdio_log_set_handler(QuietLog);
  done = true;
}

// The tracks as libcdio sees them; refused when the table of contents does not hold
// together (no tracks, a track outside the image).
std::optional<Disc> ReadContents(CdIo_t* raw, const std::string& name) {
  std::unique_ptr<CdIo_t, CdioCloser> cdio(raw);
  track_t first = cdio_get_first_track_num(cdio.get());
  track_t count = cdio_get_num_tracks(cdio.get());
  if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0) {
    OutputDebugString(("CD: " + name + ": no tracks").c_str());
    return std::nullopt;
  }
  Disc disc{.name = name, .tracks = {}, .source = CdioSource{}};
  auto& source = std::get<CdioSource>(disc.source);
  for (track_t t = first; t < first + count; ++t) {
    lsn_t start = cdio_get_track_lsn(cdio.get(), t);
    lsn_t last = cdio_get_track_last_lsn(cdio.get(), t);
    if (start == CDIO_INVALID_LSN || last == CDIO_INVALID_LSN || last < start) {
      OutputDebugString(
          ("CD: " + name + ": track " + std::to_string(t) + " lies outside the disc").c_str());
      return std::nullopt;
    }
    bool audio = cdio_get_track_format(cdio.get(), t) == TRACK_FORMAT_AUDIO;
    disc.tracks.push_back({audio, int64_t{last - start + 1} * FramesPerSector});
    source.firstSector.push_back(start);
  }
  source.cdio = std::move(cdio);
  return disc;
}

bool HasAudioTrack(const Disc& disc) {
  return std::any_of(disc.tracks.begin(), disc.tracks.end(),
                     [](const DiscTrack& t) { return t.audio; });
}

}  // namespace

void CdioCloser::operator()(CdIo_t* cdio) const { cdio_destroy(cdio); }

std::optional<Disc> OpenDriveDisc() {
  QuietenLibrary();
  char** devices = cdio_get_devices(DRIVER_DEVICE);
  if (!devices) return std::nullopt;
  std::optional<Disc> found;
  for (char** device = devices; *device && !found; ++device) {
    CdIo_t* cdio = cdio_open(*device, DRIVER_DEVICE);
    if (!cdio) continue;
    auto disc = ReadContents(cdio, *device);
    if (disc && HasAudioTrack(*disc)) found = std::move(disc);
  }
  cdio_free_device_list(devices);
  return found;
}

std::optional<Disc> OpenImageDisc(const std::string& cuePath) {
  QuietenLibrary();
  if (!CueFileTracksInOrder(cuePath)) {
    OutputDebugString(("CD: " + cuePath + ": track numbers out of order").c_str());
    return std::nullopt;
  }
  CdIo_t* cdio = cdio_open_bincue(cuePath.c_str());
  if (!cdio) {
    OutputDebugString(("CD: " + cuePath + ": not a readable CUE sheet with its BIN").c_str());
    return std::nullopt;
  }
  return ReadContents(cdio, cuePath);
}

size_t ReadCdioFrames(CdioSource& source, const DiscTrack& track, int index, int64_t frame,
                      int16_t* out, size_t frames) {
  int64_t left = track.frames - frame;
  if (left <= 0 || frames == 0) return 0;
  int64_t want = std::min<int64_t>(left, static_cast<int64_t>(frames));
  int64_t firstSector = frame / FramesPerSector;
  int64_t skip = frame % FramesPerSector;
  int64_t sectors = (skip + want + FramesPerSector - 1) / FramesPerSector;

  std::vector<int16_t> raw(static_cast<size_t>(sectors) * FramesPerSector * 2);
  lsn_t lsn = static_cast<lsn_t>(source.firstSector[index] + firstSector);
  if (cdio_read_audio_sectors(source.cdio.get(), raw.data(), lsn, static_cast<uint32_t>(sectors)) !=
      DRIVER_OP_SUCCESS) {
    return 0;  // a short image or an unreadable stretch ends the track here
  }
  for (int64_t i = 0; i < want * 2; ++i)
    out[i] = static_cast<int16_t>(SDL_SwapLE16(static_cast<uint16_t>(raw[skip * 2 + i])));
  return static_cast<size_t>(want);
}

}  // namespace mci
