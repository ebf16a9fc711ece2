// Track files in the CD folder, named as rippers and other ports name them: "01 Intro.ogg",
// "02 - Title.flac", "Track03.mp3", "track 04.wav", "Music05.ogg", "disc_06.opus", in any
// case. The number orders the tracks; SDL_mixer decodes whatever it can.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <tuple>

#include "platform/cdaudio/disc.h"
#include "platform/system/debug.h"

namespace mci {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// The file name endings of each music decoder SDL_mixer may have been built with.
constexpr struct {
  const char* decoder;
  const char* extensions[4];
} DecoderExtensions[] = {
    {"WAVE", {".wav", ".wave"}}, {"AIFF", {".aiff", ".aif"}},
    {"VOC", {".voc"}},           {"OGG", {".ogg", ".oga"}},
    {"OPUS", {".opus"}},         {"FLAC", {".flac"}},
    {"MP3", {".mp3"}},           {"MOD", {".mod", ".xm", ".s3m", ".it"}},
    {"MIDI", {".mid", ".midi"}},
};

// Whether the decoders of this SDL_mixer read files with this ending.
bool IsTrackFileExtension(const std::string& extension) {
  // The decoders are listed only once loaded; loading them again is free.
  Mix_Init(MIX_INIT_FLAC | MIX_INIT_MOD | MIX_INIT_MP3 | MIX_INIT_OGG | MIX_INIT_MID |
           MIX_INIT_OPUS);
  const std::string wanted = Lower(extension);
  for (int i = 0; i < Mix_GetNumMusicDecoders(); ++i) {
    const char* name = Mix_GetMusicDecoder(i);
    for (const auto& row : DecoderExtensions) {
      if (!name || std::strcmp(name, row.decoder) != 0) continue;
      for (const char* ending : row.extensions)
        if (ending && wanted == ending) return true;
    }
  }
  return false;
}

// Opening a file as music reads only its header: enough to know it decodes and how long it is.
DiscTrack ProbeTrack(const std::string& path) {
  Mix_Music* music = Mix_LoadMUS(path.c_str());
  if (!music) {
    OutputDebugString(("CD: " + path + ": " + Mix_GetError()).c_str());
    return {false, 0};
  }
  double seconds = Mix_MusicDuration(music);
  Mix_FreeMusic(music);
  return {true, seconds > 0 ? static_cast<int64_t>(seconds * SampleRate) : 0};
}

// The decoder hands out the device's format; the disc speaks 44 100 Hz 16-bit stereo.
std::vector<int16_t> ToDiscFormat(const Mix_Chunk& chunk) {
  int rate = 0, channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&rate, &format, &channels);
  std::vector<int16_t> samples;
  if (rate == SampleRate && format == AUDIO_S16SYS && channels == 2) {
    samples.resize(chunk.alen / sizeof(int16_t));
    std::memcpy(samples.data(), chunk.abuf, samples.size() * sizeof(int16_t));
    return samples;
  }
  SDL_AudioCVT cvt;
  if (SDL_BuildAudioCVT(&cvt, format, static_cast<Uint8>(channels), rate, AUDIO_S16SYS, 2,
                        SampleRate) < 0)
    return samples;
  std::vector<Uint8> buffer(static_cast<size_t>(chunk.alen) * std::max(1, cvt.len_mult));
  std::memcpy(buffer.data(), chunk.abuf, chunk.alen);
  cvt.buf = buffer.data();
  cvt.len = static_cast<int>(chunk.alen);
  if (SDL_ConvertAudio(&cvt) != 0) return samples;
  samples.resize(static_cast<size_t>(cvt.len_cvt) / sizeof(int16_t));
  std::memcpy(samples.data(), buffer.data(), samples.size() * sizeof(int16_t));
  return samples;
}

std::vector<int16_t> DecodeTrack(const std::string& path) {
  Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
  if (!chunk) {
    OutputDebugString(("CD: " + path + ": " + Mix_GetError()).c_str());
    return {};
  }
  std::vector<int16_t> samples = ToDiscFormat(*chunk);
  Mix_FreeChunk(chunk);
  samples.resize(samples.size() & ~size_t{1});  // whole frames only
  return samples;
}

}  // namespace

int TrackNumberOf(const std::string& fileName) {
  const std::string stem = Lower(std::filesystem::path(fileName).stem().string());
  const auto number = [&](size_t from, size_t to) {
    if (from >= to || to - from > 3) return -1;
    const int n = std::stoi(stem.substr(from, to - from));
    return n >= 1 && n <= 99 ? n : -1;  // a disc holds tracks 1 to 99
  };
  // "01 Intro", "02 - Title", "03"
  size_t digits = 0;
  while (digits < stem.size() && IsDigit(stem[digits])) ++digits;
  if (digits > 0) return number(0, digits);
  // "Track04", "track 05", "Track_06 Title"
  if (stem.starts_with("track")) {
    size_t from = stem.find_first_not_of(" _-", 5);
    size_t to = from;
    while (to < stem.size() && IsDigit(stem[to])) ++to;
    if (from != std::string::npos && to > from) return number(from, to);
  }
  // "Music07", "disc_08"; not "Bonus 09", which is a title that ends in a number
  size_t to = stem.size(), from = to;
  while (from > 0 && IsDigit(stem[from - 1])) --from;
  if (from == 0 ||
      !(std::isalpha(static_cast<unsigned char>(stem[from - 1])) || stem[from - 1] == '_'))
    return -1;
  return number(from, to);
}

std::optional<Disc> OpenFolderDisc(const std::string& folder) {
  std::vector<std::tuple<int, std::string, std::string>> found;  // number, name, path
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (!entry.is_regular_file(error)) continue;
    std::string name = entry.path().filename().string();
    int number = TrackNumberOf(name);
    if (number < 0 || !IsTrackFileExtension(entry.path().extension().string())) continue;
    found.emplace_back(number, name, entry.path().string());
  }
  if (found.empty()) return std::nullopt;
  std::sort(found.begin(), found.end());

  Disc disc{.name = folder, .tracks = {}, .source = FolderSource{}};
  auto& source = std::get<FolderSource>(disc.source);
  // Ripped without its data track, a disc's music starts at 02: keep the disc's numbers, with
  // an empty track 1 in front that the game takes for music and plays through at once.
  if (std::get<0>(found.front()) == 2) {
    OutputDebugString(
        ("CD: " + folder + " starts at track 02; track 01 (data) is left empty").c_str());
    disc.tracks.push_back({true, 0});
    source.files.emplace_back();
  }
  int previous = 0;
  for (const auto& [number, name, path] : found) {
    if (number == previous) {
      OutputDebugString(("CD: " + path + ": another file already is track " +
                         std::to_string(number) + "; left out")
                            .c_str());
      continue;
    }
    previous = number;
    disc.tracks.push_back(ProbeTrack(path));
    source.files.push_back(path);
  }
  for (size_t i = 0; i < disc.tracks.size(); ++i) {
    const int64_t seconds = disc.tracks[i].frames / SampleRate;
    char line[64];
    std::snprintf(line, sizeof line, "CD: track %02zu %3lld:%02lld ", i + 1,
                  static_cast<long long>(seconds / 60), static_cast<long long>(seconds % 60));
    const std::string& file = source.files[i];
    OutputDebugString((line + (file.empty() ? std::string("(empty)") : file)).c_str());
  }
  return disc;
}

void PrefetchFolderTrack(FolderSource& source, int index) {
  if (source.decoded.contains(index)) return;
  if (source.files[index].empty()) {  // the empty track in place of a data track
    source.decoded[index] = {};
    return;
  }
  source.decoded[index] = DecodeTrack(source.files[index]);
}

size_t ReadFolderFrames(FolderSource& source, int index, int64_t frame, int16_t* out,
                        size_t frames) {
  // Keep the track being read and the one after it; let the rest go.
  std::erase_if(source.decoded, [index](const auto& entry) {
    return entry.first != index && entry.first != index + 1;
  });
  PrefetchFolderTrack(source, index);
  const std::vector<int16_t>& samples = source.decoded[index];
  int64_t total = static_cast<int64_t>(samples.size() / 2);
  if (frame >= total) return 0;
  size_t n = static_cast<size_t>(std::min<int64_t>(total - frame, static_cast<int64_t>(frames)));
  std::memcpy(out, samples.data() + frame * 2, n * 2 * sizeof(int16_t));
  return n;
}

}  // namespace mci
