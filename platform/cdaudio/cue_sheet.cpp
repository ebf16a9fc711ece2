// A CUE sheet's track numbers, read before the sheet goes to libcdio: the library indexes
// its tables by them and writes out of bounds for numbers that fall back or pass 99.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/cdaudio/disc.h"

namespace mci {

namespace {

bool SameWord(const std::string& word, const char* keyword) {
  if (word.size() != std::char_traits<char>::length(keyword)) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(word[i])) != keyword[i]) return false;
  return true;
}

}  // namespace

bool CueTracksInOrder(const std::string& sheet) {
  std::istringstream lines(sheet);
  std::string line;
  int previous = 0;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string keyword, number;
    if (!(words >> keyword) || !SameWord(keyword, "TRACK")) continue;
    if (!(words >> number) || number.size() > 2 ||
        !std::all_of(number.begin(), number.end(), [](unsigned char c) { return std::isdigit(c); }))
      return false;
    const int track = std::stoi(number);
    if (track < 1 || (previous != 0 && track != previous + 1)) return false;
    previous = track;
  }
  return true;
}

bool CueFileTracksInOrder(const std::string& cuePath) {
  // A sheet is a few lines a track; anything much larger is not one.
  constexpr uintmax_t Largest = 1 << 20;
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(cuePath, error);
  if (error) return true;  // libcdio says why it cannot open it
  if (size > Largest) return false;
  std::string sheet(static_cast<size_t>(size), '\0');
  std::ifstream in(cuePath, std::ios::binary);
  in.read(sheet.data(), static_cast<std::streamsize>(size));
  sheet.resize(static_cast<size_t>(in.gcount()));
  return CueTracksInOrder(sheet);
}

}  // namespace mci
