#pragma once
// The disc behind the CD-audio device: its tracks and their PCM, 44 100 Hz 16-bit stereo.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

typedef struct _CdIo CdIo_t;

namespace mci {

constexpr int SampleRate = 44100;
constexpr int FramesPerSector = 588;  // 2352 bytes of 16-bit stereo
constexpr int SectorsPerSecond = 75;
// A data track passes as this much silence, so that a play over data tracks still takes time.
constexpr int64_t DataTrackFrames = 2 * SampleRate;

struct DiscTrack {
  bool audio = false;
  int64_t frames = 0;  // best known length; a track file may decode a little longer or shorter
};

struct CdioCloser {
  void operator()(CdIo_t* cdio) const;
};

// A drive or a BIN image, both read through libcdio.
struct CdioSource {
  std::unique_ptr<CdIo_t, CdioCloser> cdio;
  std::vector<int32_t> firstSector;  // of each track
};

// Audio files, one a track, decoded whole when playback comes near them.
struct FolderSource {
  std::vector<std::string> files;
  std::map<int, std::vector<int16_t>> decoded;  // track → samples, the current and next
};

struct Disc {
  std::string name;  // for debug output
  std::vector<DiscTrack> tracks;
  std::variant<CdioSource, FolderSource> source;
};

// The folders named CD where a disc may stand: in the working directory, beside the
// program, in the installed data folder.
std::vector<std::string> DefaultDiscFolders();

// The first disc found: a drive with an audio disc (unless skipped), then in each folder in
// turn a CUE sheet, or track files.
std::optional<Disc> FindDisc(bool skipDrives, const std::vector<std::string>& folders);

std::optional<Disc> OpenDriveDisc();
std::optional<Disc> OpenImageDisc(const std::string& cuePath);
// A sheet's TRACK numbers rise by one from the first, all within 1 to 99 (cue_sheet.cpp);
// the file's, false also for a file far too large to be a sheet.
bool CueTracksInOrder(const std::string& sheet);
bool CueFileTracksInOrder(const std::string& cuePath);
std::optional<Disc> OpenFolderDisc(const std::string& folder);
// The track number a file name gives (1 to 99), or -1: "01 Intro.ogg", "02 - Title.flac",
// "Track03.mp3", "track 04.wav", "Music05.ogg", "disc_06.opus", in any case.
int TrackNumberOf(const std::string& fileName);

// Reads up to `frames` frames of track `track` (1-based) from frame `frame` of the track.
// 0 means the track has ended (or cannot be read further). May block: drives, decoding.
size_t ReadFrames(Disc& disc, int track, int64_t frame, int16_t* out, size_t frames);

// Lets a track-file disc decode `track` ahead of need.
void Prefetch(Disc& disc, int track);

size_t ReadCdioFrames(CdioSource& source, const DiscTrack& track, int index, int64_t frame,
                      int16_t* out, size_t frames);
size_t ReadFolderFrames(FolderSource& source, int index, int64_t frame, int16_t* out,
                        size_t frames);
void PrefetchFolderTrack(FolderSource& source, int index);

}  // namespace mci
