#pragma once

#include <string>
#include <vector>

#include "picture.hpp"

namespace forge {

struct Exhibit {
  std::string path;
  Picture picture;
};

// One PNG with every picture of the archive, each labelled with its path and size.
void writeContactSheet(const std::vector<Exhibit>& exhibits, const std::string& file);

}  // namespace forge
