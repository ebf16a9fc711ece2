// Which disc the device finds, and reading PCM from whichever it is.
#include "platform/cdaudio/disc.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "platform/system/data_folders.h"
#include "platform/system/debug.h"

namespace mci {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::vector<std::string> CueSheets(const std::string& folder) {
  std::vector<std::string> sheets;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (!entry.is_regular_file(error)) continue;
    if (Lower(entry.path().extension().string()) == ".cue") sheets.push_back(entry.path().string());
  }
  std::sort(sheets.begin(), sheets.end());
  return sheets;
}

}  // namespace

std::vector<std::string> DefaultDiscFolders() {
  std::vector<std::string> folders;
  for (const std::string& folder : sys::DataFolders())
    folders.push_back(folders.empty() ? "CD" : folder + "/CD");
  return folders;
}

std::optional<Disc> FindDisc(bool skipDrives, const std::vector<std::string>& folders) {
  if (!skipDrives) {
    if (auto disc = OpenDriveDisc()) return disc;
  }
  std::string looked;
  for (const std::string& folder : folders) {
    for (const std::string& sheet : CueSheets(folder)) {
      if (auto disc = OpenImageDisc(sheet)) return disc;
    }
    if (auto disc = OpenFolderDisc(folder)) return disc;
    looked += (looked.empty() ? "" : ", ") + folder;
  }
  OutputDebugString(("CD: no disc in a drive nor in " + looked).c_str());
  return std::nullopt;
}

size_t ReadFrames(Disc& disc, int track, int64_t frame, int16_t* out, size_t frames) {
  if (track < 1 || track > static_cast<int>(disc.tracks.size()) || frame < 0) return 0;
  const DiscTrack& info = disc.tracks[track - 1];
  if (!info.audio) {
    int64_t left = std::max<int64_t>(0, std::min(info.frames, DataTrackFrames) - frame);
    size_t n = static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(frames)));
    std::memset(out, 0, n * 2 * sizeof(int16_t));
    return n;
  }
  if (auto* cdio = std::get_if<CdioSource>(&disc.source))
    return ReadCdioFrames(*cdio, info, track - 1, frame, out, frames);
  return ReadFolderFrames(std::get<FolderSource>(disc.source), track - 1, frame, out, frames);
}

void Prefetch(Disc& disc, int track) {
  if (track < 1 || track > static_cast<int>(disc.tracks.size())) return;
  if (!disc.tracks[track - 1].audio) return;
  if (auto* folder = std::get_if<FolderSource>(&disc.source))
    PrefetchFolderTrack(*folder, track - 1);
}

}  // namespace mci
