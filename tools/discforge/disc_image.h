#pragma once
// A CUE sheet with its BIN image: raw 16-bit little-endian stereo, 2352 bytes a sector.
#include <string>
#include <vector>

#include "synth.h"

namespace discforge {

struct DiscTrack {
  std::string title;
  const Stereo* music;
};

// Writes `folder`/`name`.bin and `folder`/`name`.cue; false with `error` set on failure.
bool WriteDisc(const std::string& folder, const std::string& name,
               const std::vector<DiscTrack>& tracks, std::string& error);

}  // namespace discforge
