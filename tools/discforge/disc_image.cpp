#include "disc_image.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

namespace discforge {
namespace {

constexpr int FramesPerSector = 588;

int16_t ToSample(float value) {
  float scaled = std::round(std::clamp(value, -1.0f, 1.0f) * 32767.0f);
  return static_cast<int16_t>(scaled);
}

// Samples out as little-endian whatever the machine; a track fills whole sectors.
size_t WriteTrack(std::ofstream& bin, const Stereo& music) {
  size_t sectors = (music.frames() + FramesPerSector - 1) / FramesPerSector;
  std::vector<char> bytes(sectors * FramesPerSector * 4, 0);
  for (size_t i = 0; i < music.frames(); ++i) {
    uint16_t l = static_cast<uint16_t>(ToSample(music.left[i]));
    uint16_t r = static_cast<uint16_t>(ToSample(music.right[i]));
    bytes[i * 4 + 0] = static_cast<char>(l & 0xFF);
    bytes[i * 4 + 1] = static_cast<char>(l >> 8);
    bytes[i * 4 + 2] = static_cast<char>(r & 0xFF);
    bytes[i * 4 + 3] = static_cast<char>(r >> 8);
  }
  bin.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return sectors;
}

std::string Msf(size_t sector) {
  char text[32];
  std::snprintf(text, sizeof text, "%02zu:%02zu:%02zu", sector / 75 / 60, sector / 75 % 60,
                sector % 75);
  return text;
}

}  // namespace

bool WriteDisc(const std::string& folder, const std::string& name,
               const std::vector<DiscTrack>& tracks, std::string& error) {
  const std::string binPath = folder + "/" + name + ".bin";
  const std::string cuePath = folder + "/" + name + ".cue";
  std::ofstream bin(binPath, std::ios::binary | std::ios::trunc);
  std::ofstream cue(cuePath, std::ios::trunc);
  if (!bin || !cue) {
    error = "cannot write into " + folder;
    return false;
  }
  cue << "REM Nauvrel demo disc, written by discforge\n";
  cue << "FILE \"" << name << ".bin\" BINARY\n";
  size_t sector = 0;
  for (size_t t = 0; t < tracks.size(); ++t) {
    char number[24];
    std::snprintf(number, sizeof number, "%02zu", t + 1);
    cue << "  TRACK " << number << " AUDIO\n";
    cue << "    REM " << tracks[t].title << "\n";
    cue << "    INDEX 01 " << Msf(sector) << "\n";
    sector += WriteTrack(bin, *tracks[t].music);
  }
  bin.flush();
  cue.flush();
  if (!bin || !cue) {
    error = "writing the disc into " + folder + " failed";
    return false;
  }
  return true;
}

}  // namespace discforge
