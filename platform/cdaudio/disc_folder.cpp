// Track files in the CD folder: "01 Intro.ogg", "02.flac", … — the number at the front of
// the name orders the tracks. SDL_mixer decodes them (OGG, FLAC, WAV, MP3).
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <tuple>

#include "platform/cdaudio/disc.h"
#include "platform/system/debug.h"

namespace mci {
namespace {

bool IsTrackFileExtension(std::string extension) {
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".ogg" || extension == ".flac" || extension == ".wav" || extension == ".mp3";
}

// The leading track number of a file name, or -1.
int LeadingNumber(const std::string& name) {
  size_t digits = 0;
  while (digits < name.size() && digits < 4 &&
         std::isdigit(static_cast<unsigned char>(name[digits])))
    ++digits;
  if (digits == 0) return -1;
  return std::stoi(name.substr(0, digits));
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

std::optional<Disc> OpenFolderDisc(const std::string& folder) {
  std::vector<std::tuple<int, std::string, std::string>> found;  // number, name, path
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (!entry.is_regular_file(error)) continue;
    std::string name = entry.path().filename().string();
    int number = LeadingNumber(name);
    if (number < 0 || !IsTrackFileExtension(entry.path().extension().string())) continue;
    found.emplace_back(number, name, entry.path().string());
  }
  if (found.empty()) return std::nullopt;
  std::sort(found.begin(), found.end());

  Disc disc{.name = folder, .tracks = {}, .source = FolderSource{}};
  auto& source = std::get<FolderSource>(disc.source);
  for (const auto& [number, name, path] : found) {
    disc.tracks.push_back(ProbeTrack(path));
    source.files.push_back(path);
  }
  return disc;
}

void PrefetchFolderTrack(FolderSource& source, int index) {
  if (source.decoded.contains(index)) return;
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
