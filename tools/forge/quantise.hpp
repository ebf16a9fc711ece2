#pragma once

#include <span>
#include <vector>

#include "picture.hpp"

namespace forge {

// One picture of an 8-bit group and how it is reduced: keyed sheets are mapped to the
// nearest colour without dithering (so that nothing but the key lands on the key entry);
// full pictures are dithered.
struct GroupMember {
  const Picture* picture;
  bool keyed;
};

// Builds one 256-colour palette over all pictures of a group (with the given colours
// guaranteed as exact entries) and remaps every picture with it.
std::vector<IndexedPicture> quantiseGroup(std::span<const GroupMember> members,
                                          std::span<const Rgb> fixedColours);

}  // namespace forge
