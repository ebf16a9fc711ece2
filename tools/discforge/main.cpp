// discforge <folder>: synthesises the demo disc's three pieces and writes them there as
// Nauvrel.cue and Nauvrel.bin.
#include <cstdio>
#include <vector>

#include "disc_image.h"
#include "music.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: discforge <output folder>\n");
    return 2;
  }
  std::vector<discforge::Stereo> pieces;
  pieces.reserve(discforge::PieceCount);
  for (int p = 0; p < discforge::PieceCount; ++p) pieces.push_back(discforge::ComposePiece(p));

  std::vector<discforge::DiscTrack> tracks;
  for (int p = 0; p < discforge::PieceCount; ++p)
    tracks.push_back({discforge::PieceTitle(p), &pieces[p]});
  std::string error;
  if (!discforge::WriteDisc(argv[1], "Nauvrel", tracks, error)) {
    std::fprintf(stderr, "discforge: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
