#pragma once
// The three pieces of the demo disc.
#include <string>

#include "synth.h"

namespace discforge {

constexpr int PieceCount = 3;

std::string PieceTitle(int piece);
Stereo ComposePiece(int piece);

}  // namespace discforge
