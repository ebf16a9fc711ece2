#pragma once
// Where the game's data may stand: the working directory, the program's folder, the
// installed data folder, in that order, each once.
#include <string>
#include <vector>

namespace sys {

// Absolute folders, the working directory first; a folder reached twice is listed once.
std::vector<std::string> DataFolders();

}  // namespace sys
